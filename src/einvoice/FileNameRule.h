#pragma once

#include "db/Row.h"

#include <QString>

namespace einvoice {

// Name of the file handed to the exchange system: country code, the
// transmitter's code (tax code when the company transmits by it, else VAT
// number), "_", the first five characters of the transmission sequence
// padded with zeros, ".xml". IT01234567890_00042.xml.
class FileNameRule {
public:
    static QString transmitterCode(const db::Row& company);
    static QString fileName(const db::Row& company, const QString& sequence);
};

} // namespace einvoice
