#pragma once

#include "db/Database.h"
#include "einvoice/ExportSource.h"

#include <QByteArray>
#include <QList>

namespace einvoice {

// The FatturaPA 1.2 document of one customer invoice or credit note, as
// UTF-8 text with its declaration. Only the root carries the "p:" prefix.
class FatturaPaWriter {
public:
    // attachments: the bytes of each attachment row with a path, in order.
    static QByteArray build(db::Database& db, const ExportSource& source,
                            const QList<QByteArray>& attachments);
};

} // namespace einvoice
