#pragma once

#include "db/Database.h"
#include "purchases/SupplierOptions.h"

#include <QDate>

namespace purchases {

// The instalments of a supplier invoice ("C") or credit note ("B") and,
// when the company mirrors invoicing in the cash book, the registration
// movement ("3" / "4") and one movement per instalment. Everything is
// written anew each time, in the caller's transaction.
class SupplierSchedule {
public:
    static void rebuild(db::Database& db, qint64 documentId, const SupplierOptions& options,
                        const QDate& today = QDate::currentDate());
    // The instalments and cash-book movements of the document removed.
    static void clear(db::Database& db, qint64 documentId, const SupplierOptions& options);
    // The registration movement and one per instalment as the instalments
    // stand (nothing when the company does not mirror invoicing).
    static void writeCashBook(db::Database& db, qint64 documentId, const SupplierOptions& options);
    // "2° Rata Fattura di acquisto N° 7  Data: 01/02/2025 ".
    static QString description(bool creditNote, int count, int number, const QString& refs);

    // " N° 12/A  Data: 15/01/2025 ": the supplier's number and date, each
    // when set.
    static QString references(const QString& number, const QDate& date);
};

} // namespace purchases
