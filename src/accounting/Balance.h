#pragma once

#include "accounting/VatPeriod.h"
#include "common/Interaction.h"

#include <QList>
#include <QMap>
#include <optional>

namespace db {
class Database;
}

namespace accounting {

// The balance of the chart of accounts over a period: per account, sales
// and supplier credit notes add, purchases and customer credit notes take
// away, takings add net of their VAT on the takings account of the options,
// other cash-book movements add what came in and take away what went out
// on their own accounts. One aggregate statement per source.
class Balance {
public:
    // Signed amounts per account of the chart (accounts with no movement
    // are left out), unrounded.
    static QMap<qint64, double> compute(db::Database& db, const Period& p);
    // "Bilancio": the dates checked as for the registers, then this
    // workstation's TempBilancio filled, amounts to the cent.
    static std::optional<common::Failure> prepare(db::Database& db, const QDate& from,
                                                  const QDate& to);
    // What TempBilancio holds for this workstation, by account.
    static QMap<qint64, double> read(db::Database& db);
};

} // namespace accounting
