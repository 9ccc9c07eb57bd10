#pragma once

#include "db/Database.h"
#include "einvoice/ExportSource.h"
#include "einvoice/XmlOut.h"

namespace einvoice {

// DatiGenerali: the document's type, date and number, stamp duty, total and
// reason; the customer orders of an invoice or the invoice a credit note
// refers to; the carrier.
class GeneralDataWriter {
public:
    static void write(XmlOut& out, db::Database& db, const ExportSource& source);
    // Num, then "/year" and "/series" when the company numbers so.
    static QString documentNumber(const db::Row& company, qint64 number, const QDate& date,
                                  const QString& series);
    // The carrier block goes into the file: "Includi in xml" ticked and a
    // staff member with a VAT number chosen as carrier.
    static bool carrierIncluded(db::Database& db, const db::Row& header);
};

} // namespace einvoice
