#include "app/ExitBackup.h"

#include "app/BackupAction.h"
#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/ArchiveBackup.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/SingleRow.h"

#include <QDir>
#include <QFileInfo>

namespace app {

ExitBackup::Settings ExitBackup::load(db::Database& db) {
    Settings s;
    const db::Row o = db::SingleRow::load(db, QStringLiteral("opzioni"));
    if (!o.has(QStringLiteral("BackupUscita")))
        return s;
    s.enabled = o.boolean(QStringLiteral("BackupUscita"));
    s.keep = std::max(1, int(o.integer(QStringLiteral("BackupDaConservare"))));
    s.folder = o.text(QStringLiteral("CartellaBackup")).trimmed();
    return s;
}

QString ExitBackup::folderFor(db::Database& db, const Settings& settings) {
    if (!settings.folder.isEmpty())
        return settings.folder;
    return QFileInfo(db.archive()).absoluteDir().filePath(QStringLiteral("Backup"));
}

QString ExitBackup::run(db::Database& db, common::Interaction& interaction, const QDateTime& now) {
    if (!db.isOpen() || db.engine() != db::Engine::SQLite)
        return {};
    const Settings settings = load(db);
    if (!settings.enabled)
        return {};
    const QDir folder(folderFor(db, settings));
    const QString file = folder.filePath(BackupAction::suggestedName(now));
    try {
        if (!QDir().mkpath(folder.path()))
            throw db::DbError(QStringLiteral("Impossibile creare la cartella dei backup %1.")
                                  .arg(QDir::toNativeSeparators(folder.path())));
        db::ArchiveBackup::write(db, file, [&interaction](const QString& step, int percent) {
            interaction.progress(QStringLiteral("Backup di chiusura: ") + step, percent, 100);
        });
    } catch (const db::DbError& e) {
        interaction.progress(QString(), 100, 100);
        interaction.errorWithDetails(common::titles::error,
                                     e.message() +
                                         QStringLiteral("\nIl backup di chiusura non è stato "
                                                        "scritto; l'archivio non è cambiato."),
                                     e.details());
        return {};
    }
    interaction.progress(QString(), 100, 100);
    // The newest are kept: the names sort by the time they were taken.
    QStringList taken = folder.entryList({QStringLiteral("Backup archivio *.bak")}, QDir::Files,
                                         QDir::Name | QDir::Reversed);
    for (int i = settings.keep; i < taken.size(); ++i)
        QFile::remove(folder.filePath(taken[i]));
    return file;
}

} // namespace app
