#include "einvoice/FatturaPaExport.h"

#include "common/Installation.h"
#include "common/Titles.h"
#include "documents/DocumentLog.h"
#include "documents/HeaderRules.h"
#include "einvoice/CoherenceCheck.h"
#include "einvoice/CustomerChecks.h"
#include "einvoice/DocumentLines.h"
#include "einvoice/ExportSource.h"
#include "einvoice/FatturaPaWriter.h"
#include "einvoice/FileControls.h"
#include "einvoice/FileNameRule.h"
#include "einvoice/HeaderWriter.h"
#include "einvoice/SchemaCheck.h"
#include "einvoice/SdiChecks.h"
#include "einvoice/TransmissionCounter.h"
#include "einvoice/WrittenFileControls.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace einvoice {

namespace {

QString notWritten(const QStringList& problems) {
    return QStringLiteral("Il file non è stato scritto:\n\n") + problems.join(u'\n');
}

} // namespace

FatturaPaExport::Result FatturaPaExport::run(db::Database& db, common::Interaction& ui,
                                             const Request& request) {
    Result result;
    auto stop = [&](bool error, const QString& title, const QString& text) {
        if (error)
            ui.error(title, text);
        else
            ui.warning(title, text);
        result.failure = text;
        return result;
    };

    std::optional<ExportSource> loaded = ExportSource::load(db, request.documentId);
    if (!loaded)
        return stop(
            true, common::titles::error,
            QStringLiteral("Il documento non è una fattura o una nota di credito cliente."));
    const ExportSource& s = *loaded;
    const db::Row& h = s.header;

    // Preconditions.
    if (s.rows.empty())
        return stop(false, common::titles::warning,
                    s.creditNote ? QStringLiteral("Attenzione mancano le Righe di dettaglio della "
                                                  "nota di credito! Prego inserirle")
                                 : QStringLiteral("Attenzione mancano le Righe di dettaglio della "
                                                  "fattura! Prego inserirle"));
    if (s.creditNote && h.isNull(QStringLiteral("NCFattDataRif")))
        return stop(true, common::titles::error,
                    QStringLiteral("Attenzione manca la data della fattura di riferimento della "
                                   "nota di credito"));
    if (const QString early = documents::HeaderRules::warning(
            documents::DocumentKind::CustomerCreditNote,
            {{QStringLiteral("Data"), h.date(QStringLiteral("Data"))},
             {QStringLiteral("NCFattDataRif"), h.date(QStringLiteral("NCFattDataRif"))}});
        s.creditNote && !early.isEmpty())
        return stop(true, common::titles::error, early);

    // Refusals come before the questions: nothing is asked of a document
    // that cannot be exported anyway.
    if (const auto failure = CustomerChecks::check(s))
        return stop(true, failure->title, failure->text);
    // What cannot be fitted to the schema does not depend on the
    // attachments' bytes: a first writing finds it before anything is asked.
    // The progressive is not taken yet: any one stands in for it.
    ExportSource trial = s;
    trial.progressive = QStringLiteral("1");
    const WrittenDocument trialFile = FatturaPaWriter::build(db, trial, {});
    if (!trialFile.problems.isEmpty())
        return stop(true, common::titles::error, notWritten(trialFile.problems));

    if (s.options.columnCount() > 0 &&
        s.options.boolean(QStringLiteral("VerificaCoerenza_FattureElett_PrimaEsportazione"))) {
        const QString report = CoherenceCheck::report(s);
        if (!report.isEmpty() && !ui.question(CoherenceCheck::question(), report)) {
            result.failure = report;
            return result;
        }
    }

    const std::vector<LineValues> lines = DocumentLines::lines(s);
    const std::vector<SummaryGroup> summaries = DocumentLines::summaries(s);
    QStringList problems =
        CustomerChecks::taxNumberProblems(s) + FileControls::problems(s, lines, summaries) +
        SdiChecks::problems(lines, summaries,
                            {h.text(QStringLiteral("DatiTrasmissione_FormatoTrasmissione")),
                             HeaderWriter::recipientCode(s),
                             h.boolean(QStringLiteral("ScissionePagamenti"))});
    // The same controls read from the file itself catch what the values
    // above do not show; each code is said once.
    problems +=
        WrittenFileControls::notYetSaid(problems, WrittenFileControls::problems(trialFile.xml));
    if (!problems.isEmpty() && !ui.question(SdiChecks::title(), SdiChecks::question(problems))) {
        result.failure = problems.join(u'\n');
        return result;
    }

    // Every file gets a progressive never given before; the document keeps
    // the last one it was sent with.
    TransmissionCounter::take(db, s.documentId);
    loaded = ExportSource::load(db, request.documentId);

    // File name and folder.
    QString file = request.file;
    if (file.isEmpty()) {
        const QString name = FileNameRule::fileName(s.company, s.progressive);
        QString folder =
            s.options.columnCount() > 0
                ? s.options.text(QStringLiteral("CartellaEsportazioneFattureElettroniche"))
                : QString();
        if (folder.trimmed().isEmpty() || !QFileInfo(folder).isDir())
            folder = common::Installation::exportFolder();
        file = ui.saveFile(QStringLiteral("Scegli il file xml"),
                           QStringLiteral("Archivi Xml (*.xml)"), QDir(folder).filePath(name));
        if (file.isEmpty())
            return result;
        if (QFileInfo::exists(file) &&
            !ui.question(common::titles::warning,
                         QStringLiteral("Il file e' gia' presente ! Sovrascriverlo ?")))
            return result;
    }

    // Every attachment must still be on disk before anything is written.
    QList<QByteArray> contents;
    for (const db::Row& a : s.attachments) {
        const QString path = a.text(QStringLiteral("PercorsoCompleto"));
        if (path.isEmpty())
            continue;
        QFile f(path);
        if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly))
            return stop(false, common::titles::warning,
                        QStringLiteral("Attenzione non è più presente il file allegato : ") + path);
        contents.append(f.readAll());
    }

    const WrittenDocument document = FatturaPaWriter::build(db, s, contents);
    if (!document.problems.isEmpty())
        return stop(true, common::titles::error, notWritten(document.problems));
    const QByteArray& xml = document.xml;
    // Nothing the exchange system would refuse for its form is saved.
    if (const auto invalid = SchemaCheck::problems(xml); !invalid.empty())
        return stop(true, common::titles::error, SchemaCheck::message(invalid));
    // Only the attachments make a file too big for the exchange system.
    if (const QString big = WrittenFileControls::sizeProblem(xml);
        !big.isEmpty() && !ui.question(SdiChecks::title(), SdiChecks::question({big}))) {
        result.failure = big;
        return result;
    }

    // Marked exported before the file is saved. The transport flag follows
    // "Includi in xml" of the editor.
    {
        db::Transaction tx(db);
        db.update(QStringLiteral("fattura"), s.documentId,
                  {{QStringLiteral("EsportatoXml"), true},
                   {QStringLiteral("DataEsportazioneXml"), QDateTime::currentDateTime()},
                   {QStringLiteral("DatiTrasporto"),
                    h.boolean(QStringLiteral("DatiAnagraficiVettore"))}});
        documents::DocumentLog::recordInvoice(db, documents::DocumentLog::Event::Exported,
                                              s.documentId, QFileInfo(file).fileName());
        tx.commit();
    }

    if (!document.notes.isEmpty())
        ui.warning(common::titles::warning,
                   QStringLiteral("Il file è stato adattato al tracciato FatturaPA:\n\n") +
                       document.notes.join(u'\n'));

    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(xml) != xml.size() || !out.commit())
        return stop(true, common::titles::error,
                    QStringLiteral("Impossibile scrivere il file %1: %2")
                        .arg(QDir::toNativeSeparators(file), out.errorString()));

    result.written = true;
    result.file = file;
    ui.information(common::titles::warning,
                   s.creditNote ? QStringLiteral("Nota di credito esportata con successo !")
                                : QStringLiteral("Fattura esportata con successo !"));
    if (const QString name = QFileInfo(file).fileName(); !FileNameRule::accepted(name))
        ui.warning(common::titles::warning, FileNameRule::refusedName(name));
    return result;
}

} // namespace einvoice
