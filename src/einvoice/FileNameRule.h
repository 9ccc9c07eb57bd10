#pragma once

#include "db/Row.h"

#include <QString>

namespace einvoice {

// Name of the file handed to the exchange system: country code, the
// transmitter's code (tax code when the company transmits by it, else VAT
// number), "_", a progressive of five characters, ".xml":
// IT01234567890_00042.xml. The progressive is the transmission number in
// decimal up to 99999; later numbers take the five-character codes of
// digits and upper-case letters that hold a letter, in order ("0000A",
// "0000B", …), so 60 466 176 files get different names.
class FileNameRule {
public:
    static QString transmitterCode(const db::Row& company);
    static QString fileName(const db::Row& company, const QString& sequence);
    // The five characters of a transmission number; empty when the number
    // is beyond the last name.
    static QString progressive(qint64 number);
    // Whether the exchange system takes a file of this name: a country
    // code, the transmitter's code, "_", one to five letters or digits,
    // ".xml" (control 00001).
    static bool accepted(const QString& fileName);
    // The warning for a file saved under a name the exchange system refuses.
    static QString refusedName(const QString& fileName);
};

} // namespace einvoice
