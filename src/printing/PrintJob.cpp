#include "printing/PrintJob.h"

#include "common/Installation.h"
#include "db/ArchiveLocation.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "printing/ReportData.h"
#include "printing/ReportPainter.h"
#include "printing/ReportRenderer.h"
#include "printing/ReportTemplate.h"

#include <QFile>
#include <QFileInfo>

namespace printing {

QString PrintJobs::archiveAddress(QString* error) {
    const QString env = qEnvironmentVariable("OSSARION_ARCHIVE").trimmed();
    if (!env.isEmpty())
        return env;
    db::ArchiveLocation location(common::Installation::folder());
    QFile file(location.filePath());
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Archivio non trovato: manca il file %1").arg(location.filePath());
        return QString();
    }
    const QString text = QString::fromUtf8(file.readAll()).trimmed();
    if (text.isEmpty()) {
        *error =
            QStringLiteral("Archivio non trovato: il file %1 è vuoto").arg(location.filePath());
        return QString();
    }
    return location.resolve(text.section(u'\n', 0, 0).trimmed());
}

PrintJob PrintJobs::prepare(db::Database& db, const QStringList& templateFolders) {
    const std::optional<RequestRow> request = ReportRequests::read(db);
    if (!request)
        throw RenderError{QStringLiteral("Nessuna richiesta di stampa per la postazione %1")
                              .arg(db.workstation())};
    return prepare(db, *request, templateFolders);
}

PrintJob PrintJobs::prepare(db::Database& db, const RequestRow& request,
                            const QStringList& templateFolders) {
    const QStringList folders =
        templateFolders.isEmpty() ? ReportTemplates::defaultFolders() : templateFolders;
    QString error;
    const QJsonObject tmpl =
        ReportTemplates::forRequest(request.report, request.reportLandscape, folders, &error);
    if (!error.isEmpty())
        throw RenderError{error};
    ReportData data;
    try {
        data = ReportData::load(db, request);
        data.loadRelated(db, tmpl);
    } catch (const db::DbError& e) {
        throw RenderError{
            QStringLiteral("Errore nella lettura dei dati del report: %1").arg(e.message())};
    }
    PrintJob job;
    job.request = request;
    job.report = ReportRenderer::render(tmpl, data);
    return job;
}

void PrintJobs::writeExport(const PrintJob& job) {
    const QString file = job.request.exportFile.trimmed();
    if (file.isEmpty())
        throw RenderError{
            QStringLiteral("La richiesta di esportazione non indica il file da creare")};
    const bool pdf =
        job.request.exportType <= 1 ||
        QFileInfo(file).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0;
    if (!pdf)
        throw RenderError{QStringLiteral("Formato di esportazione %1 non disponibile: si esporta "
                                         "solo in PDF")
                              .arg(job.request.exportType)};
    QString error;
    if (!ReportPainter::writePdf(job.report, file, &error))
        throw RenderError{error};
}

} // namespace printing
