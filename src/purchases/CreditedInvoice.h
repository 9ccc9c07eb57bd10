#pragma once

#include "common/Interaction.h"
#include "db/Database.h"

#include <QVariantMap>
#include <optional>

namespace purchases {

// A supplier credit note's link to the invoice it credits and the import
// of that invoice's rows.
class CreditedInvoice {
public:
    // The supplier's invoices a credit note may refer to, newest first:
    // ID, DataRegistrazione, ProgressivoCarico, Data, NumeroCarico, Fornitore.
    static QString choiceSql();
    // Without a supplier on the note the choice cannot start.
    static std::optional<common::Failure> canChoose(const QVariantMap& note);
    // Copies the invoice's Id, number and date on the note (not saved).
    static void choose(db::Database& db, QVariantMap& note, qint64 invoiceId);

    // Every row of the credited invoice becomes a row of the note (saved
    // note); "N" rows take their quantity out of stock again. Then the
    // note's totals and instalments. One transaction.
    static std::optional<common::Failure> importRows(db::Database& db, qint64 noteId);
};

} // namespace purchases
