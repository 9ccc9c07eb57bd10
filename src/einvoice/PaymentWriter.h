#pragma once

#include "db/Database.h"
#include "einvoice/ExportSource.h"
#include "einvoice/XmlOut.h"

#include <QList>

namespace einvoice {

// DatiPagamento (only for documents with instalments) and Allegati.
class PaymentWriter {
public:
    static void writePayment(XmlOut& out, db::Database& db, const ExportSource& source);
    // contents[i] are the bytes of the i-th attachment with a path.
    static void writeAttachments(XmlOut& out, const ExportSource& source,
                                 const QList<QByteArray>& contents);
};

} // namespace einvoice
