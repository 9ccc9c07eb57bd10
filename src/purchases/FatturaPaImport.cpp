#include "purchases/FatturaPaImport.h"

#include "common/TextForms.h"
#include "common/Titles.h"
#include "purchases/ReceivedDocument.h"
#include "purchases/ReceivedFile.h"

#include <QFile>
#include <QFileInfo>
#include <exception>

namespace purchases {

QString ImportOutcome::statusText() const {
    switch (status) {
    case Status::Imported:
        return QStringLiteral("importato");
    case Status::Added:
        return QStringLiteral("righe aggiunte");
    case Status::Skipped:
        return QStringLiteral("saltato");
    case Status::Refused:
        return QStringLiteral("rifiutato");
    }
    return {};
}

QString FatturaPaImport::notOursQuestion() {
    return QStringLiteral("Attenzione ! Il documento non è indirizzato a questa azienda ! Il "
                          "codice sdi, la Pec del destinatario, la partita iva, il codice fiscele "
                          "non corrispondono a quelli dell'azienda! Vuoi importare ugualmente il "
                          "documento ?");
}

bool FatturaPaImport::addressedToUs(db::Database& db, const ReceivedInvoice& invoice) {
    const db::Result r =
        db.query(QStringLiteral("select Pec, CodiceSdi, CodFisc, PIva from ditta"));
    if (r.empty())
        return false;
    const db::Row& c = r.first();
    const auto same = [](const QString& ours, const QString& theirs) {
        return !ours.trimmed().isEmpty() &&
               ours.trimmed().compare(theirs.trimmed(), Qt::CaseInsensitive) == 0;
    };
    return same(c.text(QStringLiteral("Pec")), invoice.recipientPec) ||
           same(c.text(QStringLiteral("CodiceSdi")), invoice.recipientCode) ||
           same(c.text(QStringLiteral("CodFisc")), invoice.buyerTaxCode) ||
           same(c.text(QStringLiteral("PIva")), invoice.buyerVatNumber);
}

ImportOutcome FatturaPaImport::importFile(db::Database& db, common::Interaction& ui,
                                          const QString& path, const QDate& today,
                                          const QString& filesFolder) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {ImportOutcome::Status::Refused,
                QStringLiteral("Impossibile leggere il file: ") + f.errorString()};
    const bool p7m =
        QFileInfo(path).suffix().compare(QLatin1String("p7m"), Qt::CaseInsensitive) == 0;
    return importBytes(db, ui, f.readAll(), p7m, today, filesFolder);
}

ImportOutcome FatturaPaImport::importEntry(db::Database& db, common::Interaction& ui,
                                           const ReceivedEntry& entry, const QDate& today,
                                           const QString& filesFolder) {
    QString error;
    const QByteArray bytes = entry.read(&error);
    if (!error.isEmpty())
        return {ImportOutcome::Status::Refused, error};
    return importBytes(db, ui, bytes, entry.isSigned(), today, filesFolder);
}

ImportOutcome FatturaPaImport::importBytes(db::Database& db, common::Interaction& ui,
                                           const QByteArray& bytes, bool signedEnvelope,
                                           const QDate& today, const QString& filesFolder) {
    const ReceivedFile file = ReceivedFile::fromBytes(bytes, signedEnvelope);
    if (!file.error.isEmpty())
        return {ImportOutcome::Status::Refused, file.error};
    const ReceivedInvoice invoice = ReceivedInvoice::parse(file.xml);
    if (!invoice.error.isEmpty() && file.searched)
        return {ImportOutcome::Status::Refused,
                QStringLiteral("La busta firmata (.p7m) è danneggiata o manomessa: la fattura che "
                               "contiene non è leggibile")};
    if (!invoice.error.isEmpty())
        return {ImportOutcome::Status::Refused, invoice.error};
    if (invoice.bodies.isEmpty())
        return {ImportOutcome::Status::Refused,
                QStringLiteral("Il file non contiene documenti da importare")};
    if (!addressedToUs(db, invoice) && !ui.question(common::titles::warning, notOursQuestion()))
        return {ImportOutcome::Status::Skipped,
                QStringLiteral("non indirizzato a questa azienda: non importato")};

    ImportOutcome outcome;
    QStringList texts;
    bool imported = false;
    bool added = false;
    bool failed = false;
    for (const ReceivedBody& body : invoice.bodies) {
        // A body that fails is rolled back whole; the others stand.
        try {
            const ReceivedDocument::Result r =
                ReceivedDocument::import(db, invoice, body, today, file.xml, filesFolder);
            texts << r.text;
            imported = imported || r.created;
            added = added || r.rowsAdded > 0;
        } catch (const std::exception& e) {
            failed = true;
            texts << QStringLiteral("documento ") + body.number +
                         QStringLiteral(" non importato: ") + QString::fromUtf8(e.what());
        }
    }
    outcome.status = failed     ? ImportOutcome::Status::Refused
                     : imported ? ImportOutcome::Status::Imported
                     : added    ? ImportOutcome::Status::Added
                                : ImportOutcome::Status::Skipped;
    outcome.text = texts.join(QStringLiteral("; "));
    return outcome;
}

} // namespace purchases
