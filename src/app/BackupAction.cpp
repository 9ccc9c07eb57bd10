#include "app/BackupAction.h"

#include "common/Installation.h"
#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/ArchiveBackup.h"
#include "db/Database.h"
#include "db/DbError.h"

#include <QDir>
#include <QFileInfo>

namespace app {

QString BackupAction::suggestedName(const QDateTime& when) {
    return QStringLiteral("Backup archivio %1.bak")
        .arg(when.toString(QStringLiteral("yyyy-MM-dd HH.mm")));
}

bool BackupAction::run(db::Database& db, common::Interaction& interaction, const QString& folder) {
    const QString where = folder.isEmpty() ? common::Installation::exportFolder() : folder;
    const QString file = interaction.saveFile(
        QStringLiteral("Backup archivio"), QStringLiteral("Backup di Ossarion (*.bak)"),
        QDir(where).filePath(suggestedName(QDateTime::currentDateTime())));
    if (file.isEmpty())
        return false;
    if (QFileInfo::exists(file) &&
        !interaction.question(common::titles::warning,
                              QStringLiteral("Il file %1 esiste già. Sostituirlo con il nuovo "
                                             "backup ?")
                                  .arg(QDir::toNativeSeparators(file))))
        return false;
    db::ArchiveBackup::Summary summary;
    try {
        summary =
            db::ArchiveBackup::write(db, file, [&interaction](const QString& step, int percent) {
                interaction.progress(step, percent, 100);
            });
    } catch (const db::DbError& e) {
        interaction.progress(QString(), 100, 100);
        interaction.errorWithDetails(
            common::titles::error, e.message() + QStringLiteral("\nIl backup non è stato scritto."),
            e.details());
        return false;
    }
    QString text = QStringLiteral("Backup completato: %1\nFile salvati insieme all'archivio: %2.")
                       .arg(QDir::toNativeSeparators(file))
                       .arg(summary.files);
    if (!summary.missingFiles.isEmpty()) {
        QStringList shown;
        for (const QString& f : summary.missingFiles.mid(0, 10))
            shown.append(QDir::toNativeSeparators(f));
        if (summary.missingFiles.size() > 10)
            shown.append(QStringLiteral("… e altri %1").arg(summary.missingFiles.size() - 10));
        text += QStringLiteral("\n\nQuesti file indicati nell'archivio non sono stati trovati e "
                               "non sono nel backup:\n") +
                shown.join(u'\n');
        interaction.warning(common::titles::warning, text);
    } else {
        interaction.information(common::titles::warning, text);
    }
    return true;
}

} // namespace app
