#pragma once

#include <QDate>
#include <QString>

// Text forms of amounts, numbers, postcodes and dates: the fixed forms used
// in SQL and XML, and the Italian forms shown on screen.

namespace common {

// Decimal-point form used in XML: "0.00" for zero, otherwise the shortest
// text that reads back as the same double, with at least two decimals
// (12.5 → "12.50", 3 → "3.00", 1.234 → "1.234").
QString amountText(double amount);

// Postcode padded on the left with zeros to 5 characters.
QString postcodeText(const QString& text);

// The integer in decimal, cut to maxLength characters (no cut when
// maxLength is not positive).
QString numberText(int value, int maxLength);

// Keeps printable ASCII (codes 31 to 127) and line breaks; a code 1
// followed by "4" or "b" is dropped together with that character.
QString plainText(const QString& text);

// Italian display form with two decimals: 1234.5 → "1.234,50".
QString euroText(double amount);

// Reads an amount typed the Italian way ("1.234,50", "1234,5"), also
// accepting a decimal point when a single dot is followed by one or two
// digits and there is no comma ("1234.50"). Returns false on bad input.
bool parseItalianAmount(const QString& text, double* amount);

// dd/MM/yyyy; an empty text for an invalid date.
QString italianDate(const QDate& date);

// Reads dd/MM/yyyy, d/M/yyyy, dd/MM/yy (yy up to 50 → 20yy, else 19yy), with
// "/", ".", "-" or a space between the parts, and the digits alone: ddMMyyyy,
// ddMMyy, dMMyyyy. Returns a null date on bad input.
QDate parseItalianDate(const QString& text);

} // namespace common
