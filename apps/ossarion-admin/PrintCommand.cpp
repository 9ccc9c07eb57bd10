#include "PrintCommand.h"

#include "db/ArchiveOpening.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "printing/ReportCatalog.h"
#include "printing/ReportRequest.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace admin {

namespace {

const char* const printUsage =
    "Uso: ossarion-admin print ARCHIVIO CODICE [--id ID_DOCUMENTO] [--export FILE]\n";

} // namespace

int printCommand(const QStringList& args) {
    QTextStream err(stderr);
    if (args.size() < 2) {
        err << printUsage;
        return 2;
    }
    const QString archive = args[0];
    bool ok = false;
    printing::ReportCall call;
    call.code = args[1].toInt(&ok);
    if (!ok || !printing::ReportCatalog::codes().contains(call.code)) {
        err << "Codice report non valido: " << args[1] << "\n" << printUsage;
        return 2;
    }
    for (int i = 2; i < args.size(); ++i) {
        const QString& a = args[i];
        if ((a == u"--id" || a == u"--export") && i + 1 < args.size()) {
            const QString value = args[++i];
            if (a == u"--id") {
                const qint64 id = value.toLongLong(&ok);
                if (!ok) {
                    err << "Id documento non valido: " << value << "\n";
                    return 2;
                }
                call.documentId = id;
            } else {
                call.exportDocument = true;
                call.exportFile = QFileInfo(value).absoluteFilePath();
            }
        } else {
            err << "Argomento non riconosciuto: " << a << "\n" << printUsage;
            return 2;
        }
    }

    db::Database db;
    db::ArchiveOpening::open(db, archive, db::ArchiveOpening::IfMissing::Refuse);

    // The print program opens the archive named here, not the one of
    // percorso.txt.
    const QString address =
        db::Database::isPostgresAddress(archive) ? archive : QFileInfo(archive).absoluteFilePath();
    if (call.exportDocument)
        QFile::remove(call.exportFile);
    printing::StampaReport(db, call, {}, {{QStringLiteral("OSSARION_ARCHIVE"), address}});
    if (call.exportDocument && !QFileInfo::exists(call.exportFile)) {
        err << "Il file " << call.exportFile << " non è stato creato\n";
        return 1;
    }
    return 0;
}

} // namespace admin
