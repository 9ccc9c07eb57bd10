#pragma once

#include <QDateTime>
#include <QString>

namespace common {
class Interaction;
}
namespace db {
class Database;
}

namespace app {

// The backup taken when the program closes, as the options ask: for an
// SQLite archive only (a PostgreSQL server keeps its own), into the chosen
// folder or a "Backup" folder beside the archive, keeping the newest
// `BackupDaConservare` of them.
class ExitBackup {
public:
    struct Settings {
        bool enabled = false;
        int keep = 7;
        QString folder; // empty: "Backup" beside the archive
    };
    static Settings load(db::Database& db);
    // The folder the backups go to.
    static QString folderFor(db::Database& db, const Settings& settings);

    // Writes the backup and removes the oldest beyond the number to keep;
    // the file written, or empty when none was due or it failed (the user
    // is told why).
    static QString run(db::Database& db, common::Interaction& interaction,
                       const QDateTime& now = QDateTime::currentDateTime());
};

} // namespace app
