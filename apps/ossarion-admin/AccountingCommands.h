#pragma once

#include <QStringList>

namespace admin {

// liquidazione ARCHIVE YEAR (--trimestre Q | --mese M): runs and stores the
// VAT settlement and prints its figures as name<TAB>value lines.
int vatSettlement(const QStringList& args);

// registro ARCHIVE (acquisti|vendite) FROM TO: fills the register and prints
// its rows and quarter totals.
int vatRegister(const QStringList& args);

} // namespace admin
