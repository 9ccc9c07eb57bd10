#pragma once

#include "db/Database.h"

#include <QDate>
#include <QString>

namespace documents {

// The cash-book movements (finanzia) that documents and their instalments
// write when the company mirrors invoicing in the cash book. Each finds the
// movement it owns and updates it, or adds one.
class CashBookMovements {
public:
    struct Movement {
        QDate date;
        QString description;
        double amount = 0;
        bool incoming = true; // the amount goes to Entrata, else to Uscita
        QString type;         // Tipo
        QVariant customerId;
        QVariant supplierId;
        QVariant termsId;
        QVariant bankId;
        qint64 instalmentId = 0;
        qint64 documentId = 0;
    };

    // The issue movement of a document ("Tipo" 1 or 2): its id.
    static qint64 writeIssue(db::Database& db, const Movement& m);
    // The movement of one instalment (found by FatturaScadenze_Id): its id.
    static qint64 writeInstalment(db::Database& db, const Movement& m);

    // The payment of an instalment as recorded on its card: money in for
    // "F" and "B" instalments, out for the others. Stores the movement's id
    // in the instalment's Finanzia_id.
    static qint64 writePayment(db::Database& db, qint64 instalmentId);
    static void removeForInstalment(db::Database& db, qint64 instalmentId);

    // True when an instalment of that Tipo is money coming in.
    static bool isIncoming(const QString& instalmentType);

private:
    // zeroOtherSide also writes 0 on the other amount column.
    static qint64 write(db::Database& db, qint64 existing, const Movement& m, bool zeroOtherSide);
};

} // namespace documents
