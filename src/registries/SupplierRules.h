#pragma once

#include "registries/CustomerRules.h"

namespace registries {

// Rules of the supplier registry (Fornitor).
class SupplierRules {
public:
    // A supplier that is a person is listed by surname and name when no
    // company name was typed.
    static void deriveName(db::RegistryRecord& record);
    static std::optional<common::Failure> validate(const db::RegistryRecord& record);
    static QList<FieldWarning> warnings(const db::RegistryRecord& record);

    static qint64 insertNew(db::Database& db);
    // Validates and writes the row (inserting it when it has no key) in one
    // transaction; on success the record holds the key.
    static std::optional<common::Failure> save(db::Database& db, db::RegistryRecord& record);
    // For a card that has just written the row itself, inside its save
    // transaction: stores the name derived from the person when missing.
    static void completeSave(db::Database& db, qint64 supplierId, db::RegistryRecord& record);
    // Why the supplier cannot be deleted (a document or movement refers to
    // it), or nothing.
    static std::optional<common::Failure> deleteCheck(db::Database& db, qint64 supplierId);
    // Deletes the supplier unless deleteCheck objects.
    static std::optional<common::Failure> remove(db::Database& db, qint64 supplierId);

    static QString lookupSql();
};

} // namespace registries
