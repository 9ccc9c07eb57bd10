#pragma once

#include "db/Database.h"

#include <QDate>

namespace cemetery {

// The yearly check of contract payments: every customer still in use whose
// contracts have no payment in the current year (the last payment is older,
// or there is none at all, a contract without rows included) goes into
// TempPagamentiMancanti for this workstation, with the last payment date and
// the contract it was found on. Customers without contracts are left out.
class MissingPayments {
public:
    // Replaces this workstation's rows; the number of customers listed.
    static int run(db::Database& db, const QDate& today);

    // The selection the missing-payments report reads for this workstation.
    static QString reportSelection(db::Database& db);
};

} // namespace cemetery
