#include "purchases/CreditedInvoice.h"

#include "common/Titles.h"
#include "db/RegistryRecord.h"
#include "documents/DocumentTables.h"
#include "documents/StockMoves.h"
#include "purchases/SupplierDocuments.h"
#include "purchases/SupplierOptions.h"

#include <QDate>

namespace purchases {

QString CreditedInvoice::choiceSql() {
    return QStringLiteral(
        "SELECT fattura.ID, fattura.DataRegistrazione, fattura.ProgressivoCarico, "
        "fattura.Data, fattura.NumeroCarico, fattura.Fornitore FROM fattura "
        "WHERE FattNota=False AND Carico=True AND fattura.Fornitore_ID = ? "
        "ORDER BY fattura.DataRegistrazione DESC,fattura.ProgressivoCarico");
}

std::optional<common::Failure> CreditedInvoice::canChoose(const QVariantMap& note) {
    if (db::RecordKey(note, QStringLiteral("Fornitore_ID")) > 0)
        return std::nullopt;
    return common::Failure{
        common::titles::error,
        QStringLiteral("Attenzione E' necessario scegliere il Fornitore prima di poter proseguire"),
        QStringLiteral("Fornitore_ID")};
}

void CreditedInvoice::choose(db::Database& db, QVariantMap& note, qint64 invoiceId) {
    const db::Result r = db.query(
        QStringLiteral("select NumeroCarico, Data from fattura where Id = ?"), {invoiceId});
    if (r.empty())
        return;
    note[QStringLiteral("NCFattIDRif")] = invoiceId;
    note[QStringLiteral("NCFattNumRifCarico")] = r.first().text(QStringLiteral("NumeroCarico"));
    const QDate date = r.first().date(QStringLiteral("Data"));
    note[QStringLiteral("NCFattDataRif")] = date.isValid() ? QVariant(date) : QVariant();
}

std::optional<common::Failure> CreditedInvoice::importRows(db::Database& db, qint64 noteId) {
    const db::Result h =
        db.query(QStringLiteral("select NCFattIDRif, DataRegistrazione from fattura where Id = ?"),
                 {noteId});
    const qint64 invoice = h.empty() ? 0 : h.first().integer(QStringLiteral("NCFattIDRif"));
    if (invoice <= 0)
        return common::Failure{common::titles::error,
                               QStringLiteral("Attenzione E' necessario trovare e scegliere una "
                                              "fattura prima di poterne importare le righe"),
                               QStringLiteral("NCFattIDRif")};
    const SupplierOptions o = SupplierOptions::load(db);
    const QVariant date = h.first().value(QStringLiteral("DataRegistrazione"));
    db::Transaction tx(db);
    const db::Result rows =
        db.query(QStringLiteral("select * from Movimenti where Fattura_ID = ? order by NumeroRiga"),
                 {invoice});
    for (const db::Row& r : rows) {
        const QString type = r.text(QStringLiteral("TipoRiga"));
        const qint64 article = r.integer(QStringLiteral("Articolo_ID"));
        qint64 account = o.creditGoodsAccount;
        if (type.compare(QLatin1String("S"), Qt::CaseInsensitive) == 0)
            account = o.creditCollectionAccount;
        else if (type.compare(QLatin1String("T"), Qt::CaseInsensitive) == 0)
            account = o.creditTransportAccount;
        else if (article > 0) {
            const qint64 own =
                db.scalar(QStringLiteral("select ContabilitaContoNoteCreditoAcquisto_ID "
                                         "from prezziar where ID = ?"),
                          {article})
                    .toLongLong();
            if (own > 0)
                account = own;
        }
        db.insert(
            QStringLiteral("NotaCreditoCaricoRighe"),
            {{QStringLiteral("NotaCredito_ID"), noteId},
             {QStringLiteral("Fattura_ID"), invoice},
             {QStringLiteral("NumeroRiga"), r.value(QStringLiteral("NumeroRiga"))},
             {QStringLiteral("Data"), date},
             {QStringLiteral("Articolo_ID"), r.value(QStringLiteral("Articolo_ID"))},
             {QStringLiteral("TipoRiga"), type},
             {QStringLiteral("Codice"), r.value(QStringLiteral("Codice"))},
             {QStringLiteral("Descrizione"), r.value(QStringLiteral("Descrizione"))},
             {QStringLiteral("Um"), r.value(QStringLiteral("Um"))},
             {QStringLiteral("ValoreUnitario"), r.value(QStringLiteral("ValoreUnitario"))},
             {QStringLiteral("Sconto"), r.value(QStringLiteral("Sconto"))},
             {QStringLiteral("Sconto2"), r.value(QStringLiteral("Sconto2"))},
             {QStringLiteral("Sconto3"), r.value(QStringLiteral("Sconto3"))},
             {QStringLiteral("Sconto4"), r.value(QStringLiteral("Sconto4"))},
             {QStringLiteral("AliquotaIva"), r.value(QStringLiteral("AliquotaIva"))},
             {QStringLiteral("Iva_Id"), r.value(QStringLiteral("Iva_ID"))},
             {QStringLiteral("TotaleImponibile"), r.value(QStringLiteral("TotaleImponibile"))},
             {QStringLiteral("PrezzoCompleto"), r.value(QStringLiteral("PrezzoCompleto"))},
             {QStringLiteral("ValoreTotale"), r.value(QStringLiteral("PrezzoCompleto"))},
             {QStringLiteral("Reparto"), r.value(QStringLiteral("Reparto"))},
             {QStringLiteral("ContabilitaConti_ID"), account},
             {QStringLiteral("Storico"), false},
             {QStringLiteral("ImportatoXml"), false}});
        if (documents::isArticleRow(type))
            documents::StockMoves::move(db, article, -r.number(QStringLiteral("Um")));
    }
    SupplierDocuments::recalculate(db, noteId);
    tx.commit();
    return std::nullopt;
}

} // namespace purchases
