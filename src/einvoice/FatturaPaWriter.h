#pragma once

#include "db/Database.h"
#include "einvoice/ExportSource.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace einvoice {

// The FatturaPA 1.2 document of one customer invoice or credit note, as
// UTF-8 text with its declaration. Only the root carries the "p:" prefix.
struct WrittenDocument {
    QByteArray xml;
    QStringList problems; // what could not be fitted to the schema: not to be saved
    QStringList notes;    // what was fitted with a change the user is told of
};

class FatturaPaWriter {
public:
    // attachments: the bytes of each attachment row with a path, in order.
    static WrittenDocument build(db::Database& db, const ExportSource& source,
                                 const QList<QByteArray>& attachments);
};

} // namespace einvoice
