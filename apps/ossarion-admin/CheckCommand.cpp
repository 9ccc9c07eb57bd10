#include "CheckCommand.h"

#include "db/ArchiveOpening.h"
#include "db/Database.h"
#include "documents/ArchiveCheck.h"

#include <QTextStream>

namespace admin {

int checkArchive(const QStringList& args) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.size() != 1) {
        err << "Uso: ossarion-admin check ARCHIVIO\n";
        return 2;
    }
    db::Database db;
    db::ArchiveOpening::open(db, args[0], db::ArchiveOpening::IfMissing::Refuse);
    const QStringList problems = documents::ArchiveCheck::run(db);
    for (const QString& p : problems)
        out << p << '\n';
    if (problems.isEmpty()) {
        out << "Nessun problema trovato nell'archivio.\n";
        return 0;
    }
    out << "Problemi trovati: " << problems.size() << '\n';
    return 1;
}

} // namespace admin
