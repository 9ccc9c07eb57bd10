#pragma once

#include "common/Interaction.h"

#include <QDate>
#include <QVariant>
#include <optional>

namespace db {
class Database;
}

namespace accounting {

// "Situazione Conto": every document row and cash-book movement of one
// account in a period, written into this workstation's TempContabilitaConto
// for the print, one statement per source: supplier invoices and credit
// notes (by registration date), customer invoices and credit notes, cash
// inflows and outflows.
class AccountSituation {
public:
    static std::optional<common::Failure> prepare(db::Database& db, const QVariant& account,
                                                  const QDate& from, const QDate& to);
};

} // namespace accounting
