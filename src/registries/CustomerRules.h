#pragma once

#include "common/Interaction.h"
#include "db/RegistryRecord.h"

#include <QList>
#include <optional>

namespace registries {

// A customer is a company when its company name (Cliente) is filled, a
// private person otherwise.
enum class CustomerKind { Private, Company };

// A warning to show without stopping the save: its field and its text.
struct FieldWarning {
    QString field;
    QString text;
};

// VAT number, tax code (Italian ones only) and IBAN warnings of a customer or
// supplier, in the order of the fields.
QList<FieldWarning> taxWarnings(const db::RegistryRecord& record);

// Rules of the customer registry (Clienti).
class CustomerRules {
public:
    // Name printed on documents: the company name, else surname and name.
    static QString documentName(const QString& company, const QString& surname,
                                const QString& firstName);
    // Name shown in lists: the document name, then " - " tax code and
    // " - " birth date (dd/MM/yyyy) when present.
    static QString displayName(const QString& documentName, const QString& taxCode,
                               const QString& birthDate);
    // Fills NominativoDocumenti and NominativoVisualizzato from the record.
    static void deriveNames(db::RegistryRecord& record);

    static CustomerKind kindOf(const db::RegistryRecord& record);
    // A private person has no company name.
    static void applyKind(db::RegistryRecord& record, CustomerKind kind);

    // Sets the category and copies its colour; 0 clears both.
    static void chooseCategory(db::Database& db, db::RegistryRecord& record, qint64 categoryId);

    // The first failing check, or nothing.
    static std::optional<common::Failure> validate(const db::RegistryRecord& record,
                                                   CustomerKind kind);
    // Tax code, VAT number and IBAN warnings, in the order of the fields.
    static QList<FieldWarning> warnings(const db::RegistryRecord& record);

    // Statements that copy the document name and the transmission format of
    // the customer onto every document referring to it.
    static QStringList propagationStatements(qint64 customerId, bool publicAdministration);
    static void propagate(db::Database& db, qint64 customerId, bool publicAdministration);

    // A new blank row (Italian seat, not cancelled); its key.
    static qint64 insertNew(db::Database& db);
    // Validates, derives the names when a name field was touched, writes the
    // row (inserting it when it has no key) and updates the documents, all in
    // one transaction. On success the record holds the key and the names.
    static std::optional<common::Failure> save(db::Database& db, db::RegistryRecord& record,
                                               CustomerKind kind, bool namesTouched = true);
    // For a card that has just written the row itself, inside its save
    // transaction: clears the company name of a private person, stores the
    // derived names (when touched or missing), the copy of the category
    // colour and, when valid, the town of a public office chosen in the
    // lookup; then updates the documents. The record receives the names.
    static void completeSave(db::Database& db, qint64 customerId, db::RegistryRecord& record,
                             CustomerKind kind, bool namesTouched,
                             const QVariant& officeTown = QVariant());
    // True when a name field differs between the two records.
    static bool namesChanged(const db::RegistryRecord& before, const db::RegistryRecord& after);

    // Why the customer cannot be deleted (a document or movement refers to
    // it), or nothing.
    static std::optional<common::Failure> deleteCheck(db::Database& db, qint64 customerId);
    // Deletes the customer unless deleteCheck objects.
    static std::optional<common::Failure> remove(db::Database& db, qint64 customerId);

    // Customers offered by lookups: not cancelled, by displayed name.
    static QString lookupSql();

    // Columns whose change means the derived names must be computed again.
    static const QStringList& nameColumns();
};

} // namespace registries
