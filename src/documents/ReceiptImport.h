#pragma once

#include "common/Interaction.h"
#include "db/Database.h"

#include <QList>
#include <QString>
#include <optional>

namespace documents {

// Receipts (TotaliCo) invoiced by a customer invoice: linked through
// FatturaContiRighe, their rows copied as quotes' are, the receipt marked
// invoiced. The goods left the stock with the receipt, so the copied rows
// do not move it again.
class ReceiptImport {
public:
    struct Choice {
        qint64 id = 0;
        QString label; // "N° 3 Data: 15/01/2025"
    };
    // The customer's receipts not yet invoiced.
    static QList<Choice> available(db::Database& db, qint64 customerId);
    // Imports a receipt: marks it, links it once, replaces the rows of an
    // earlier import, copies its rows and recomputes. One transaction.
    static std::optional<common::Failure> import(db::Database& db, qint64 invoiceId,
                                                 qint64 receiptId);
    // Removes it: rows and link go, the receipt can be invoiced again.
    static void remove(db::Database& db, qint64 invoiceId, qint64 receiptId);
};

} // namespace documents
