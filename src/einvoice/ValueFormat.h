#pragma once

#include <QDate>
#include <QString>

// Text forms of the values written into the electronic invoice, each as
// the schema's type for it wants it: "." as decimal separator whatever the
// locale, no grouping, rounded half away from zero.

namespace einvoice {

// Amounts of two decimals (summaries, totals, instalments, stamp): "12.50".
QString xmlAmount2(double amount);
// Amounts of up to eight decimals (prices, row totals, discount amounts):
// at least two decimals, trailing zeros after the second dropped.
QString xmlAmount8(double amount);
// Rates and percentages: exactly two decimals, "22.00".
QString xmlRate(double rate);

// The value as the eight-decimal text says it.
double round8(double value);
// True when a percentage is said exactly in two decimals.
bool fitsTwoDecimals(double percent);

// Counters (NumeroLinea, NumeroColli): the integer cut to 4 characters.
QString xmlCounter(qint64 value);

// yyyy-MM-dd.
QString xmlDate(const QDate& date);

// Plain decimal text with the Italian decimal comma, as the coherence
// report shows numbers.
QString localeNumber(double value);

} // namespace einvoice
