#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace db {

class Database;

// A backup file holds a consistent snapshot of the archive (SQLite's online
// backup, pg_dump for PostgreSQL) together with the files the archive points
// to: attachments, photos and images, and the installation's own report
// templates. It is one container: a header, the entries one after the other,
// a JSON manifest naming each entry with its size and SHA-256, and a trailer
// with the SHA-256 of everything before it, so a truncated or altered file is
// recognised before anything is replaced.
class ArchiveBackup {
public:
    // Step description and percentage done.
    using Progress = std::function<void(const QString& step, int percent)>;

    struct Summary {
        int files = 0;            // files stored or put back
        QStringList missingFiles; // named by the archive but not found on disk
    };

    // Writes the backup of the open archive to `file`, which is replaced only
    // when the backup is complete. Other workstations may go on working.
    static Summary write(Database& db, const QString& file, const Progress& progress = {});

    // Checks the whole backup, then replaces the archive (an SQLite file, or
    // the schema of a PostgreSQL address) and puts its files back. Nothing is
    // touched when the backup is damaged or does not hold an Ossarion archive.
    static Summary restore(const QString& file, const QString& archive,
                           const Progress& progress = {});

    // Checks the backup without restoring it; throws DbError when damaged.
    static void verify(const QString& file);

    // The columns that hold paths of files on disk, as "Table.Column".
    static QStringList fileColumns();
};

} // namespace db
