#include "BackupCommand.h"

#include "db/ArchiveBackup.h"
#include "db/ArchiveOpening.h"
#include "db/Database.h"

#include <QDir>
#include <QTextStream>

namespace admin {

namespace {

void printSummary(const db::ArchiveBackup::Summary& s, const QString& what) {
    QTextStream out(stdout);
    out << what << ", file: " << s.files << '\n';
    QTextStream err(stderr);
    for (const QString& missing : s.missingFiles)
        err << "File non trovato, non salvato: " << QDir::toNativeSeparators(missing) << '\n';
}

} // namespace

int backup(const QStringList& args) {
    if (args.size() != 2) {
        QTextStream(stderr) << "Uso: ossarion-admin backup ARCHIVIO FILE\n";
        return 2;
    }
    db::Database db;
    db::ArchiveOpening::open(db, args[0], db::ArchiveOpening::IfMissing::Refuse);
    printSummary(db::ArchiveBackup::write(db, args[1]), QStringLiteral("Backup completato"));
    return 0;
}

int restore(const QStringList& args) {
    if (args.size() != 2) {
        QTextStream(stderr) << "Uso: ossarion-admin restore FILE ARCHIVIO\n";
        return 2;
    }
    printSummary(db::ArchiveBackup::restore(args[0], args[1]),
                 QStringLiteral("Ripristino completato"));
    return 0;
}

} // namespace admin
