#pragma once

#include "common/Interaction.h"
#include "db/Database.h"

#include <QVariantMap>
#include <optional>

namespace documents {

// The invoicing series registry (SerieFatturazione).
class InvoicingSeries {
public:
    // Writes Serie, Descrizione and Note of a series. With check, a missing
    // code refuses and writes nothing. One transaction.
    static std::optional<common::Failure> save(db::Database& db, qint64 id,
                                               const QVariantMap& values, bool check);
    // A new empty series; its key.
    static qint64 add(db::Database& db);
    static void remove(db::Database& db, qint64 id);
};

} // namespace documents
