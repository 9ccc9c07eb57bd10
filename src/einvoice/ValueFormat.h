#pragma once

#include <QDate>
#include <QString>

// Text forms of the values written into the electronic invoice.

namespace einvoice {

// Amount: "0.00" for zero, otherwise the general number form with 15
// significant digits and "." as decimal separator, at least two decimals,
// not rounded; cut to maxLength (a dangling "." removed).
QString xmlAmount(double amount, int maxLength);

// Counters (NumeroLinea, NumeroColli): the integer cut to 4 characters.
QString xmlCounter(qint64 value);

// yyyy-MM-dd.
QString xmlDate(const QDate& date);

// Plain decimal text with the Italian decimal comma, as the coherence
// report shows numbers.
QString localeNumber(double value);

} // namespace einvoice
