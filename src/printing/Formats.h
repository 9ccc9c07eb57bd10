#pragma once

#include <QString>
#include <QVariant>

namespace printing {

// Italian text forms of the values a report prints. Formats: "text"
// (the default), "date" (dd/MM/yyyy), "datetime", "euro" (1.234,56 €),
// "money" (1.234,56), "qty" (up to three decimals, 1.234,5), "pct" (22%),
// "int", "yesno" (Sì/No), "upper". A null value prints as an empty text.
QString formatValue(const QVariant& value, const QString& format = QString());

// True for the format names formatValue knows.
bool isKnownFormat(const QString& format);

// Italian month name, 1 = "Gennaio".
QString monthName(int month);

// The value as a number when it is one (or a text that reads as one).
bool numericValue(const QVariant& value, double* number);

} // namespace printing
