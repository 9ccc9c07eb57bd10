#include "printing/ReportRequest.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "printing/ReportCatalog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace printing {

namespace {

QString withSeparator(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder;
    return folder + u'/';
}

struct RequestOptions {
    VariantOptions variants;
    bool defaultPrinter = false;
    int exportType = 0;
};

RequestOptions loadOptions(db::Database& db) {
    RequestOptions o;
    const db::Result r = db.query(QStringLiteral(
        "select top 1 DocumentiRigaIvato, PrezzoPreventivo, StampanteDefault, TipoEsportazione "
        "from opzioni order by ID"));
    if (r.empty()) {
        o.variants.vatPerRow = false;
        o.variants.quotePrices = false;
        return o;
    }
    const db::Row& row = r.first();
    o.variants.vatPerRow = row.boolean(QStringLiteral("DocumentiRigaIvato"));
    o.variants.quotePrices = row.boolean(QStringLiteral("PrezzoPreventivo"));
    o.defaultPrinter = row.boolean(QStringLiteral("StampanteDefault"));
    o.exportType = int(row.integer(QStringLiteral("TipoEsportazione")));
    return o;
}

QVariant textOrNull(const QString& s) {
    return s.isNull() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s);
}

} // namespace

RequestRow RequestRow::fromRow(const db::Row& row) {
    RequestRow r;
    r.id = row.integer(QStringLiteral("ID"));
    r.program = row.text(QStringLiteral("NomeProgramma"));
    r.report = row.text(QStringLiteral("NomeReport"));
    r.reportLandscape = row.text(QStringLiteral("NomeReportLandscape"));
    r.query = row.text(QStringLiteral("Query"));
    r.subQuery[0] = row.text(QStringLiteral("QuerySottoreport1"));
    r.subQuery[1] = row.text(QStringLiteral("QuerySottoreport2"));
    r.subQuery[2] = row.text(QStringLiteral("QuerySottoreport3"));
    r.filter = row.boolean(QStringLiteral("Filtro"));
    r.setup = row.boolean(QStringLiteral("Setup"));
    r.letterhead = row.boolean(QStringLiteral("PresenzaTestata"));
    r.parameter = row.text(QStringLiteral("Parametro"));
    r.workstation = row.text(QStringLiteral("NomeComputer"));
    r.exportMode = row.boolean(QStringLiteral("Esportazione"));
    r.exportFile = row.text(QStringLiteral("FileEsportazione"));
    r.exportType = int(row.integer(QStringLiteral("TipoEsportazione")));
    return r;
}

QString ReportRequests::programFolder() {
    return withSeparator(QCoreApplication::applicationDirPath());
}

QString ReportRequests::printProgram(const QString& programFolder) {
#ifdef Q_OS_WIN
    return withSeparator(programFolder) + QStringLiteral("stampa.exe");
#else
    return withSeparator(programFolder) + QStringLiteral("stampa");
#endif
}

RequestRow ReportRequests::write(db::Database& db, const ReportCall& call,
                                 const QString& programFolderArg) {
    if (db.inTransaction())
        throw db::DbError(QStringLiteral(
            "La richiesta di stampa non può essere scritta dentro una transazione aperta"));
    const QString folder =
        withSeparator(programFolderArg.isEmpty() ? programFolder() : programFolderArg);
    const RequestOptions options = loadOptions(db);

    RequestRow r;
    r.program = programName();
    QString landscape;
    if (const std::optional<CatalogEntry> e = ReportCatalog::entry(call, options.variants)) {
        r.report = folder + e->report;
        landscape = e->landscape;
        r.query = e->query;
        for (int i = 0; i < 3; ++i)
            r.subQuery[i] = e->subQuery[i];
        r.parameter = e->parameter;
        r.filter = e->filter;
    }
    r.setup = !options.defaultPrinter;
    r.reportLandscape = folder + landscape;
    r.letterhead = ReportCatalog::hasLetterhead(call.code);
    r.workstation = db.workstation();
    if (call.exportDocument) {
        r.exportMode = true;
        r.exportFile = call.exportFile;
        r.exportType = options.exportType;
        r.setup = false;
    }

    db::Transaction tx(db);
    // One request per workstation: the previous one goes first.
    const db::Result old = db.query(
        QStringLiteral("select ID from TempStampa where NomeComputer = ?"), {r.workstation});
    for (const db::Row& row : old)
        db.exec(QStringLiteral("delete * from TempStampa where ID = ?"),
                {row.integer(QStringLiteral("ID"))});
    db::Values values = {
        {QStringLiteral("NomeProgramma"), r.program},
        {QStringLiteral("NomeReport"), textOrNull(r.report)},
        {QStringLiteral("NomeReportLandscape"), r.reportLandscape},
        {QStringLiteral("Query"), textOrNull(r.query)},
        {QStringLiteral("QuerySottoreport1"), textOrNull(r.subQuery[0])},
        {QStringLiteral("QuerySottoreport2"), textOrNull(r.subQuery[1])},
        {QStringLiteral("QuerySottoreport3"), textOrNull(r.subQuery[2])},
        {QStringLiteral("Filtro"), r.filter},
        {QStringLiteral("Setup"), r.setup},
        {QStringLiteral("PresenzaTestata"), r.letterhead},
        {QStringLiteral("Parametro"), textOrNull(r.parameter)},
        {QStringLiteral("NomeComputer"), r.workstation},
        {QStringLiteral("Esportazione"), r.exportMode},
    };
    if (r.exportMode) {
        values.append({QStringLiteral("FileEsportazione"), r.exportFile});
        values.append({QStringLiteral("TipoEsportazione"), r.exportType});
    }
    r.id = db.insert(QStringLiteral("TempStampa"), values);
    tx.commit();
    return r;
}

std::optional<RequestRow> ReportRequests::read(db::Database& db) {
    return read(db, db.workstation());
}

std::optional<RequestRow> ReportRequests::read(db::Database& db, const QString& workstation) {
    const db::Result r =
        db.query(QStringLiteral("select * from TempStampa where NomeComputer = ? order by ID desc"),
                 {workstation});
    if (r.empty())
        return std::nullopt;
    return RequestRow::fromRow(r.first());
}

bool ReportRequests::launch(const QString& program, bool wait,
                            const QList<std::pair<QString, QString>>& environment) {
    QProcess process;
    process.setProgram(program);
    process.setWorkingDirectory(QFileInfo(program).absolutePath());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : environment)
        env.insert(name, value);
    process.setProcessEnvironment(env);
    if (!wait) {
        process.setStandardOutputFile(QProcess::nullDevice());
        return process.startDetached();
    }
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start();
    if (!process.waitForStarted())
        return false;
    process.waitForFinished(-1);
    return true;
}

void StampaReport(db::Database& db, const ReportCall& call, const Launcher& launcher,
                  const QList<std::pair<QString, QString>>& environment) {
    const QString folder = ReportRequests::programFolder();
    ReportRequests::write(db, call, folder);
    const QString program = ReportRequests::printProgram(folder);
    if (launcher)
        launcher(program, call.exportDocument, environment);
    else
        ReportRequests::launch(program, call.exportDocument, environment);
}

} // namespace printing
