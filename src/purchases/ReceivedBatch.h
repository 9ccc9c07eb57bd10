#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace purchases {

// One received file of a batch: on disk, or inside a .zip as the tax
// portal hands them out.
struct ReceivedEntry {
    QString path;  // the file, or the .zip holding it
    QString inner; // the name inside the .zip; empty for a plain file

    QString displayName() const;
    bool isSigned() const; // ".p7m"
    // The bytes of the file; empty with `error` set when it cannot be read.
    QByteArray read(QString* error) const;
};

// The received files named by the user: files as they are, the ".xml" and
// ".p7m" files of a folder (and its subfolders), the same inside a ".zip".
class ReceivedBatch {
public:
    static QList<ReceivedEntry> expand(const QStringList& paths);
    static bool isInvoiceName(const QString& name);
};

} // namespace purchases
