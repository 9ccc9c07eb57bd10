#pragma once

#include <QString>

namespace db {

// percorso.txt in the installation folder: the path of the company's SQLite
// archive or a postgresql:// address. When the file is missing or empty it
// is written again with the installation folder's archivio.db.
class ArchiveLocation {
public:
    // Empty folder: the installation folder.
    explicit ArchiveLocation(const QString& installationFolder = QString());

    static QString fileName() { return QStringLiteral("percorso.txt"); }
    static QString defaultArchiveName() { return QStringLiteral("archivio.db"); }

    const QString& folder() const { return m_folder; }
    QString filePath() const;
    QString defaultArchive() const;

    // The archive named by percorso.txt, trimmed, a relative file path taken
    // from the installation folder; recreates the file first when it is
    // missing or holds only blanks.
    QString read();
    // True when the last read() had to write the file again.
    bool recreated() const { return m_recreated; }
    // Makes the archive the only line of percorso.txt. False when the file
    // cannot be written; the old content then stays.
    bool write(const QString& archive) const;

    // An SQLite path made absolute against the installation folder; a
    // PostgreSQL address as it stands.
    QString resolve(const QString& archive) const;

    // Where the archive's own files (SQLAggio.sql) live: the folder of an
    // SQLite file, the installation folder for a PostgreSQL archive.
    QString archiveFolder(const QString& archive) const;

private:
    QString m_folder;
    bool m_recreated = false;
};

} // namespace db
