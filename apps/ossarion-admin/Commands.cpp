#include "Commands.h"

#include "AccountingCommands.h"
#include "BackupCommand.h"
#include "CheckCommand.h"
#include "ExportCalendarCommand.h"
#include "ExportFatturaPaCommand.h"
#include "ImportFatturaPaCommand.h"
#include "ImportIpaCommand.h"
#include "PrintCommand.h"
#include "SendMailCommand.h"
#include "app/DemoArchive.h"
#include "app/UpgradeScript.h"
#include "db/ArchiveOpening.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "registries/ComuniImport.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTextStream>

namespace admin {

namespace {

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}

QTextStream& err() {
    static QTextStream s(stderr);
    return s;
}

void openArchive(db::Database& db, const QString& archive) {
    db::ArchiveOpening::open(db, archive, db::ArchiveOpening::IfMissing::Refuse);
}

// One cell of the TSV output.
QString cell(const QVariant& v) {
    if (v.isNull())
        return QString();
    QString s;
    switch (v.typeId()) {
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        s = dt.time() == QTime(0, 0) ? dt.toString(QStringLiteral("yyyy-MM-dd"))
                                     : dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        break;
    }
    case QMetaType::QDate:
        s = v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
        break;
    case QMetaType::Bool:
        s = v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        break;
    case QMetaType::Double:
        s = QString::number(v.toDouble(), 'g', 15);
        break;
    case QMetaType::QByteArray:
        s = QStringLiteral("<%1 byte>").arg(v.toByteArray().size());
        break;
    default:
        s = v.toString();
    }
    s.replace(u'\\', QStringLiteral("\\\\"));
    s.replace(u'\t', QStringLiteral("\\t"));
    s.replace(u'\n', QStringLiteral("\\n"));
    s.replace(u'\r', QStringLiteral("\\r"));
    return s;
}

int create(const QStringList& args) {
    const QString archive = args.value(0);
    if (!db::Database::isPostgresAddress(archive) && QFileInfo::exists(archive))
        throw db::DbError(QStringLiteral("L'archivio %1 esiste già").arg(archive));
    db::Database db;
    if (db::Database::isPostgresAddress(archive)) {
        db.open(archive);
        if (db::Schema::currentVersion(db) > 0)
            throw db::DbError(QStringLiteral("L'archivio %1 esiste già").arg(db.displayName()));
        db.close();
    }
    db::ArchiveOpening::open(db, archive, db::ArchiveOpening::IfMissing::Create);
    return 0;
}

int sql(const QStringList& args) {
    if (args.size() != 2) {
        err() << "Uso: ossarion-admin sql ARCHIVIO ISTRUZIONE\n";
        return 2;
    }
    db::Database db;
    openArchive(db, args[0]);
    const db::Translation t = db.translate(args[1]);
    if (t.kind != db::Translation::Query) {
        db::Transaction tx(db);
        db.exec(args[1]);
        tx.commit();
        return 0;
    }
    const db::Result r = db.query(args[1]);
    out() << r.columns.join(u'\t') << '\n';
    for (const db::Row& row : r) {
        QStringList cells;
        for (int i = 0; i < row.columnCount(); ++i)
            cells.append(cell(row.value(i)));
        out() << cells.join(u'\t') << '\n';
    }
    return 0;
}

int upgrade(const QStringList& args) {
    if (args.size() != 2) {
        err() << "Uso: ossarion-admin upgrade ARCHIVIO SCRIPT\n";
        return 2;
    }
    db::Database db;
    openArchive(db, args[0]);
    const app::UpgradeScriptResult r =
        app::UpgradeScript::apply(db, args[1], app::UpgradeScript::AfterApplying::Keep);
    if (!r.found) {
        err() << "Script non trovato: " << args[1] << '\n';
        return 1;
    }
    if (!r.applied) {
        err() << r.error << '\n';
        return 1;
    }
    if (!r.error.isEmpty())
        err() << r.error << '\n';
    out() << "Istruzioni eseguite: " << r.statements << '\n';
    return 0;
}

int importComuni(const QStringList& args) {
    db::Database db;
    openArchive(db, args.value(0));
    const QString source = args.size() > 1 ? args[1] : registries::ComuniImport::defaultSource();
    const registries::ComuniImportResult r = registries::ComuniImport::run(db, source);
    out() << "Comuni aggiunti: " << r.added << ", aggiornati: " << r.updated
          << ", province aggiunte: " << r.provincesAdded << ", regioni aggiunte: " << r.regionsAdded
          << '\n';
    return 0;
}

int demo(const QStringList& args) {
    db::Database db;
    openArchive(db, args.value(0));
    if (app::DemoArchive::hasData(db)) {
        err() << "L'archivio contiene già dei dati: la ditta dimostrativa non è stata aggiunta.\n";
        return 1;
    }
    app::DemoArchive::fill(db);
    return 0;
}

} // namespace

int runCommand(const QString& command, const QStringList& args) {
    if (command == u"create")
        return create(args);
    if (command == u"sql")
        return sql(args);
    if (command == u"upgrade")
        return upgrade(args);
    if (command == u"import-comuni")
        return importComuni(args);
    if (command == u"demo")
        return demo(args);
    if (command == u"import-ipa")
        return importIpa(args);
    if (command == u"import-fatturapa")
        return importFatturaPa(args);
    if (command == u"export-fatturapa")
        return exportFatturaPa(args);
    if (command == u"print")
        return printCommand(args);
    if (command == u"send-mail")
        return sendMail(args);
    if (command == u"backup")
        return backup(args);
    if (command == u"restore")
        return restore(args);
    if (command == u"export-calendar")
        return exportCalendar(args);
    if (command == u"check")
        return checkArchive(args);
    if (command == u"liquidazione")
        return vatSettlement(args);
    if (command == u"registro")
        return vatRegister(args);
    return UnknownCommand;
}

} // namespace admin
