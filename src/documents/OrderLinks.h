#pragma once

#include "db/Database.h"

#include <QDate>
#include <QList>
#include <QString>

namespace documents {

// Customer orders an invoice refers to (FatturaOrdiniClientiRighe, read by
// the electronic invoice for its order references). The order's rows are
// not copied; the order is marked invoiced while an invoice refers to it.
class OrderLinks {
public:
    struct Choice {
        qint64 id = 0;
        QString label; // "N° 12/A (int. 3) Data: 15/01/2025"
    };
    // The customer's orders not yet invoiced.
    static QList<Choice> available(db::Database& db, qint64 customerId);
    // Links the order once and marks it invoiced. One transaction.
    static void link(db::Database& db, qint64 invoiceId, qint64 orderId);
    // Removes the link; the order is no longer invoiced when no other
    // invoice refers to it.
    static void unlink(db::Database& db, qint64 invoiceId, qint64 orderId);
    // The same for every order of an invoice, in the caller's transaction
    // (the invoice is being deleted).
    static void unlinkAll(db::Database& db, qint64 invoiceId);
};

} // namespace documents
