#include "ImportIpaCommand.h"

#include "db/ArchiveOpening.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "einvoice/IpaImport.h"

#include <QTextStream>

namespace admin {

int importIpa(const QStringList& args) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.size() != 2) {
        err << "Uso: ossarion-admin import-ipa ARCHIVIO FILE\n";
        return 2;
    }
    db::Database db;
    db::ArchiveOpening::open(db, args[0], db::ArchiveOpening::IfMissing::Refuse);
    const einvoice::IpaImportResult r = einvoice::IpaImport::run(db, args[1]);
    out << "Uffici importati: " << r.offices << ", senza comune: " << r.withoutTown
        << ", senza codice: " << r.skipped << '\n';
    return 0;
}

} // namespace admin
