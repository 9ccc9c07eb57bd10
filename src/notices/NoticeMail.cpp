#include "notices/NoticeMail.h"

#include "common/SqlText.h"
#include "common/Titles.h"
#include "mail/Mailer.h"
#include "mail/SmtpClient.h"
#include "mail/WatchedSend.h"
#include "printing/PrintJob.h"
#include "printing/ReportCatalog.h"
#include "printing/ReportCodes.h"
#include "printing/ReportPainter.h"
#include "printing/ReportRenderer.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace notices {

namespace {

// The letter of one customer as a PDF in the folder; empty with *error when
// it could not be drawn.
QString letterPdf(db::Database& db, const MailRequest& request, qint64 customer,
                  const QString& name, const QString& folder, QString* error) {
    printing::ReportCall call;
    call.code = printing::reports::notices;
    call.selection = letterSelection(db.workstation(), {customer});
    const auto entry = printing::ReportCatalog::entry(call, {});
    printing::RequestRow row;
    row.report = entry->report;
    row.query = entry->query;
    row.filter = entry->filter;
    row.letterhead = printing::ReportCatalog::hasLetterhead(call.code);
    row.workstation = db.workstation();
    try {
        const printing::PrintJob job =
            printing::PrintJobs::prepare(db, row, request.templateFolders);
        QString safe = name;
        safe.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral(" "));
        const QString path =
            QDir(folder).filePath(QStringLiteral("Avviso %1.pdf").arg(safe.trimmed()));
        if (!printing::ReportPainter::writePdf(job.report, path, error))
            return QString();
        return path;
    } catch (const printing::RenderError& e) {
        *error = e.message;
        return QString();
    }
}

} // namespace

QString letterSelection(const QString& workstation, const QList<qint64>& customers) {
    QString s = QStringLiteral("TempAvvisiClienti.NomeComputer = '") +
                common::sqlQuote(workstation) + QStringLiteral("'");
    if (!customers.isEmpty()) {
        QStringList ids;
        for (const qint64 id : customers)
            ids.append(QString::number(id));
        s += QStringLiteral(" AND TempAvvisiClienti.Cliente_ID IN (") + ids.join(u',') +
             QStringLiteral(")");
    }
    return s;
}

std::optional<common::Failure> sendNotices(db::Database& db, common::Interaction& ui,
                                           const MailRequest& request, MailOutcome* outcome) {
    *outcome = {};
    if (auto f = checkFields(workText(db)))
        return f;
    mail::Mailer mailer(db, ui);
    if (!mailer.settingsComplete())
        return common::Failure{common::titles::warningCapitalised, mailer.lastError(), {}};
    if (auto f = prepareLetters(db, request.customers, request.dueFrom, request.dueTo))
        return f;

    mail::SmtpSettings settings = mail::SmtpSettings::load(db);
    settings.caFile = request.caFile;
    const mail::SmtpClient client(settings);
    QTemporaryDir folder;
    const qint64 total = request.customers.size();
    qint64 done = 0;
    for (const qint64 id : request.customers) {
        const db::Result r = db.query(
            QStringLiteral(
                "select Clienti.NominativoDocumenti, Clienti.EMail, TempAvvisiClienti.Testo "
                "from TempAvvisiClienti inner join Clienti on "
                "TempAvvisiClienti.Cliente_ID = Clienti.Id where "
                "TempAvvisiClienti.NomeComputer = ? and TempAvvisiClienti.Cliente_ID = ?"),
            {db.workstation(), id});
        if (r.empty())
            continue;
        const QString name = r.first().text(QStringLiteral("NominativoDocumenti")).trimmed();
        const QString address = r.first().text(QStringLiteral("EMail")).trimmed();
        if (!ui.progress(QStringLiteral("Invio dell'avviso a ") + name, done, total)) {
            outcome->stopped = true;
            break;
        }
        ++done;
        if (address.isEmpty()) {
            outcome->noAddress.append({id, name});
            continue;
        }
        mail::MailMessage m;
        m.to = {address};
        m.subject = request.subject;
        m.text = r.first().text(QStringLiteral("Testo"));
        if (request.attachLetter) {
            QString error;
            const QString pdf = letterPdf(db, request, id, name, folder.path(), &error);
            if (pdf.isEmpty()) {
                outcome->failed.append({name, QStringLiteral("Lettera non creata: ") + error});
                continue;
            }
            m.attachments = {pdf};
        }
        const mail::SendResult sent = mail::sendWatched(
            client, m, ui, QStringLiteral("Invio dell'avviso a ") + name, done - 1, total);
        if (sent.sent) {
            outcome->reached.append(name);
            continue;
        }
        if (sent.cancelled) {
            outcome->failed.append({name, sent.error});
            outcome->stopped = true;
            break;
        }
        outcome->failed.append({name, sent.error});
        // The server is not there: the others would wait for nothing.
        if (sent.unreachable) {
            outcome->stopped = true;
            break;
        }
    }
    ui.progress(QString(), total, total);
    return std::nullopt;
}

QString outcomeText(const MailOutcome& o) {
    QStringList out;
    if (o.stopped)
        out << QStringLiteral("Invio interrotto.") << QString();
    out << QStringLiteral("Avvisi inviati: %1").arg(o.reached.size());
    for (const QString& n : o.reached)
        out << QStringLiteral("  ") + n;
    out << QString() << QStringLiteral("Clienti senza indirizzo email: %1").arg(o.noAddress.size());
    for (const Customer& c : o.noAddress)
        out << QStringLiteral("  ") + c.name;
    out << QString() << QStringLiteral("Invii non riusciti: %1").arg(o.failed.size());
    for (const auto& [name, reason] : o.failed)
        out << QStringLiteral("  ") + name + QStringLiteral(": ") + reason;
    return out.join(u'\n');
}

} // namespace notices
