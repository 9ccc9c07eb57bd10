#pragma once

#include "einvoice/ExportSource.h"
#include "einvoice/XmlOut.h"

namespace einvoice {

// FatturaElettronicaHeader: transmission, seller, fiscal representative,
// customer, intermediary.
class HeaderWriter {
public:
    static void write(XmlOut& out, const ExportSource& source);
    // The recipient code: the customer's "Codice destinatario" (the office
    // code of a public administration, the SdI code of anyone else); without
    // one "XXXXXXX" for a foreign customer, "0000000" for an Italian one.
    static QString recipientCode(const ExportSource& source);
};

// The IdCodice of a VAT number: compact, without its country prefix.
QString vatIdCode(const QString& country, const QString& code);

// Anagrafica: the name of a firm, or the parts of a person's name, then
// title and EORI code; with a firm's name those two only when
// extrasWithName.
void writeAnagrafica(XmlOut& out, const QString& denomination, const QString& firstName,
                     const QString& lastName, const QString& title, const QString& eori,
                     bool extrasWithName = false);

} // namespace einvoice
