#pragma once

#include <QChar>
#include <QString>

// Splitting a text into separator-terminated fields, empty fields included.

namespace common {

// Number of fields: 0 for an empty text, otherwise the number of separators
// once a final separator is supplied when missing ("a;;c" has 3).
int fieldCount(const QString& text, QChar separator);

// Field n, counted from 1; empty when the text has fewer than n fields.
QString field(const QString& text, int n, QChar separator);

} // namespace common
