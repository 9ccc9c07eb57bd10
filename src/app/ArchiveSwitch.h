#pragma once

#include <QString>

namespace common {
class Interaction;
}
namespace db {
class Database;
}

namespace app {

// "Lavora in Rete": moves the running program to another archive, an SQLite
// file chosen in a dialog or a PostgreSQL address typed by the user. The new
// archive is opened and brought up to date before anything changes; on any
// failure the old connection and percorso.txt stay as they were. The upgrade
// script, the cleanup, the history move and the reminder are not run again.
class ArchiveSwitch {
public:
    struct Result {
        bool switched = false;
        QString archive; // the archive now in use
        QString caption; // "Ossarion - " + company name of the new archive
    };

    // Empty folder: the installation folder.
    ArchiveSwitch(db::Database& db, common::Interaction& interaction,
                  const QString& installationFolder = QString());

    static QString dialogTitle() { return QStringLiteral("Lavora in Rete"); }
    static QString dialogFilter() { return QStringLiteral("Database (archivio.db *.db)"); }

    // A typed PostgreSQL address is used as it stands; otherwise the user
    // picks a file. Cancel changes nothing.
    Result run(const QString& typedAddress = QString());
    Result switchTo(const QString& archive);

private:
    db::Database& m_db;
    common::Interaction& m_ui;
    QString m_folder;
};

} // namespace app
