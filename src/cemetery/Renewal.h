#pragma once

#include "db/Database.h"

#include <QDate>

namespace cemetery {

// The yearly renewal of contract rows: every row whose period ends in a year
// gets a copy for the following year, with its period moved on by one year,
// the same article at the price the price list gives now (priced for the
// contract's customer, quantity kept), not paid, not closed, not invoiced.
// A row already renewed (the contract holds a row for the same article and
// description over the moved period) is not copied again, so running the
// renewal twice for one year writes nothing the second time.
class Renewal {
public:
    // The last year the contract's rows cover (latest DataFinePeriodo); 0
    // when it has no dated row.
    static int lastYear(db::Database& db, qint64 contractId);

    // Renews one contract's rows ending in year. One transaction; the rows
    // written.
    static int renewContract(db::Database& db, qint64 contractId, int year, const QDate& today);

    struct Outcome {
        int contracts = 0; // contracts that received rows
        int rows = 0;      // rows written
    };
    // Renews every open contract not in history. One transaction.
    static Outcome renewAll(db::Database& db, int year, const QDate& today);
};

} // namespace cemetery
