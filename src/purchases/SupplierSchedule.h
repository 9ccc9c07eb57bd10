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

    // " N° 12/A  Data: 15/01/2025 ": the supplier's number and date, each
    // when set.
    static QString references(const QString& number, const QDate& date);
};

} // namespace purchases
