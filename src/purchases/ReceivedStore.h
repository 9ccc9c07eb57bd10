#pragma once

#include "db/Database.h"
#include "purchases/ReceivedInvoice.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace purchases {

// The received file and the files the supplier embedded in it, kept with
// the supplier document as its attachments (Fattura_Allegati), so that the
// invoice can be looked at as it was sent.
class ReceivedStore {
public:
    static QString description() { return QStringLiteral("Fattura elettronica ricevuta"); }

    // Where the files go: beside an SQLite archive, in the installation
    // folder for a PostgreSQL one.
    static QString defaultFolder(db::Database& db);

    // Writes the XML and the embedded files under `folder` and adds their
    // rows, in the caller's transaction. False when a file cannot be written.
    static bool keep(db::Database& db, qint64 documentId, const QString& folder,
                     const QByteArray& xml, const ReceivedBody& body);

    // The stored XML of a supplier document; empty when it has none.
    static QString xmlPath(db::Database& db, qint64 documentId);
};

} // namespace purchases
