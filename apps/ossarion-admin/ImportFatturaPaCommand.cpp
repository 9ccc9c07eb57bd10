#include "ImportFatturaPaCommand.h"

#include "common/ScriptedInteraction.h"
#include "db/ArchiveOpening.h"
#include "db/Database.h"
#include "purchases/FatturaPaImport.h"
#include "purchases/ReceivedBatch.h"
#include "purchases/ReceivedStore.h"

#include <QTextStream>

namespace admin {

int importFatturaPa(const QStringList& args) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList files = args.mid(1);
    const bool force = files.removeAll(QStringLiteral("--forza")) > 0;
    if (args.isEmpty() || files.isEmpty()) {
        err << "Uso: ossarion-admin import-fatturapa ARCHIVIO FILE... [--forza]\n";
        return 2;
    }
    db::Database db;
    db::ArchiveOpening::open(db, args[0], db::ArchiveOpening::IfMissing::Refuse);
    const QList<purchases::ReceivedEntry> entries = purchases::ReceivedBatch::expand(files);
    if (entries.isEmpty()) {
        err << "Nessuna fattura elettronica (.xml, .p7m) trovata\n";
        return 1;
    }
    bool refused = false;
    const QString folder = purchases::ReceivedStore::defaultFolder(db);
    for (const purchases::ReceivedEntry& e : entries) {
        // The only question is about a file addressed to another company.
        common::ScriptedInteraction answers;
        answers.defaultAnswer = force;
        const purchases::ImportOutcome o =
            purchases::FatturaPaImport::importEntry(db, answers, e, QDate::currentDate(), folder);
        refused = refused || o.status == purchases::ImportOutcome::Status::Refused;
        out << e.displayName() << ": " << o.statusText() << " - " << o.text << '\n';
        out.flush();
    }
    return refused ? 1 : 0;
}

} // namespace admin
