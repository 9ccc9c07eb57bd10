#pragma once

#include "db/Database.h"

#include <QDate>
#include <utility>

namespace cemetery {

// Receipt numbers of contracts restart every year: the next one is the
// highest NumeroRicevuta among the contracts whose DataRicevuta falls in
// that year, plus 1.
class ReceiptNumbering {
public:
    // The number the next receipt of the year would take, leaving out the
    // contract asking (its own earlier number is not in the way).
    static qint64 next(db::Database& db, int year, qint64 askingContractId = 0);

    // "Imposta": gives the contract the next number of the year of its
    // receipt date, dating the receipt receiptDate (today when the caller has
    // none) so that the number counts for that year. Numbering and writing
    // happen under one lock, so two workstations never get the same number.
    // The number given.
    static qint64 assign(db::Database& db, qint64 contractId, const QDate& receiptDate);
    // Before a receipt prints: a contract without a receipt number gets the
    // next one, dated its receipt date or today; one that has a number keeps
    // it. The number and date the receipt carries.
    static std::pair<qint64, QDate> ensure(db::Database& db, qint64 contractId, const QDate& today);
};

} // namespace cemetery
