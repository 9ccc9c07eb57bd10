#pragma once

#include <QDate>
#include <QString>

// Text forms of values written into Jet SQL statements.

namespace common {

// Doubles every single quote; the caller puts the result between quotes.
QString sqlQuote(const QString& text);

// Date typed in the Italian short form (dd/MM/yyyy, d/M/yyyy, ...) written as
// month/day/year without leading zeros, the form read inside #...#.
// Gives an empty text when the input is not a valid date.
QString jetDate(const QString& shortDate);
QString jetDate(const QDate& date);

// The last second of the day, for "<= #m/d/yyyy 23.59.59#" comparisons.
QString jetDateEndOfDay(const QDate& date);

} // namespace common
