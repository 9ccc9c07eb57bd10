#pragma once

#include "common/Interaction.h"
#include "db/Database.h"

#include <QDate>
#include <QList>
#include <optional>

namespace documents {

// Quotes (PreventiTestata) imported into a customer invoice.
class QuoteImport {
public:
    struct Choice {
        qint64 id = 0;
        QString label; // "N° 3 Data: 15/01/2025"
        qint64 number = 0;
        QDate date;
    };
    // The customer's quotes not yet invoiced.
    static QList<Choice> available(db::Database& db, qint64 customerId);

    // Imports a quote: marks it invoiced, links it once, replaces the rows of
    // an earlier import of the same quote, copies its rows (stock out for
    // "N" rows) and recomputes. One transaction. Fails on an unsaved invoice.
    static std::optional<common::Failure> import(db::Database& db, qint64 invoiceId,
                                                 qint64 quoteId);
    // Removes it: the quote can be invoiced again, its rows (stock back) and
    // its link go, totals recomputed.
    static void remove(db::Database& db, qint64 invoiceId, qint64 quoteId);

    static common::Failure unsavedInvoice();
};

} // namespace documents
