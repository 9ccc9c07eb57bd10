#include "printing/DocumentExport.h"

#include "common/Installation.h"
#include "common/TextForms.h"
#include "db/Database.h"
#include "printing/ReportCodes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace printing {

namespace {

struct KindInfo {
    int code;
    const char* table;
    const char* number;
    const char* customer;
    const char* prefix;
    const char* subject;
};

KindInfo info(ExportKind kind) {
    switch (kind) {
    case ExportKind::Invoice:
        return {reports::invoice, "fattura", "Num", "Cliente_ID", "Fattura_", "Fattura numero"};
    case ExportKind::Quote:
        return {reports::quote, "PreventiTestata", "Numero",
                "Cliente_ID",   "Preventivo_",     "Preventivo numero"};
    case ExportKind::Receipt:
        break;
    }
    return {reports::receipt, "TotaliCo", "Numero", "Cliente_Id", "Buono_", "Conto numero"};
}

QString withSeparator(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder;
    return folder + u'/';
}

} // namespace

QString DocumentExports::folder(db::Database& db, const QString& fallback) {
    const QString configured =
        db.scalar(
              QStringLiteral("select top 1 CartellaEsportazioneDocumenti from opzioni order by ID"))
            .toString()
            .trimmed();
    if (!configured.isEmpty() && QFileInfo(configured).isDir())
        return withSeparator(configured);
    return withSeparator(fallback.isEmpty() ? common::Installation::exportFolder() : fallback);
}

std::optional<DocumentExport> DocumentExports::prepare(db::Database& db, ExportKind kind,
                                                       qint64 documentId, const QString& fallback) {
    const KindInfo k = info(kind);
    const db::Result doc = db.query(
        QStringLiteral("select %1 as Numero, Data, %2 as Cliente from %3 where ID = ?")
            .arg(QLatin1String(k.number), QLatin1String(k.customer), QLatin1String(k.table)),
        {documentId});
    if (doc.empty())
        return std::nullopt;
    const db::Row& row = doc.first();
    const QString number = row.text(QStringLiteral("Numero"));
    const QDate date = row.date(QStringLiteral("Data"));
    const QString extension =
        db.scalar(QStringLiteral("select top 1 EstensioneEsportazione from opzioni order by ID"))
            .toString()
            .trimmed();

    DocumentExport e;
    e.code = k.code;
    e.documentId = documentId;
    e.file = folder(db, fallback) + QLatin1String(k.prefix) + number + u'_' +
             (date.isValid() ? QString::number(date.year()) : QString()) + u'.' + extension;
    e.subject =
        QLatin1String(k.subject) + number + QStringLiteral(" del : ") + common::italianDate(date);
    if (!row.isNull(QStringLiteral("Cliente"))) {
        const db::Result customer =
            db.query(QStringLiteral("select EMail from Clienti where ID = ?"),
                     {row.integer(QStringLiteral("Cliente"))});
        if (!customer.empty())
            e.recipient = customer.first().text(QStringLiteral("EMail")).trimmed();
    }
    return e;
}

bool DocumentExports::run(db::Database& db, const DocumentExport& e, const Launcher& launcher) {
    ReportCall call;
    call.code = e.code;
    call.documentId = e.documentId;
    call.exportDocument = true;
    call.exportFile = e.file;
    QFile::remove(e.file);
    StampaReport(db, call, launcher);
    return QFileInfo::exists(e.file);
}

} // namespace printing
