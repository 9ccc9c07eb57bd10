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

// "Backup archivio": asks where to save, writes the backup of the open
// archive with a progress window and says how it went. True when written.
class BackupAction {
public:
    static bool run(db::Database& db, common::Interaction& interaction,
                    const QString& folder = QString());

    // The name offered for a backup taken now.
    static QString suggestedName(const QDateTime& when);
};

} // namespace app
