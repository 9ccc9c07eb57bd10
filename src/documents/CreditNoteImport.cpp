#include "documents/CreditNoteImport.h"

#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/RegistryRecord.h"
#include "documents/DocumentOptions.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentStore.h"
#include "documents/DocumentTables.h"
#include "documents/DocumentTotals.h"
#include "documents/ImportedRow.h"
#include "documents/InstalmentSchedule.h"
#include "documents/RowRules.h"
#include "documents/StockMoves.h"

namespace documents {

namespace {

const DocumentKind kNote = DocumentKind::CustomerCreditNote;

common::Failure error(const QString& text, const QString& field) {
    return {common::titles::error, text, field};
}

} // namespace

std::optional<common::Failure>
CreditNoteImport::invoicesOf(db::Database& db, const QVariantMap& note, QList<Invoice>* invoices) {
    const qint64 customer = db::RecordKey(note, QStringLiteral("Cliente_ID"));
    if (customer <= 0)
        return error(QStringLiteral("Attenzione E' necessario scegliere il Cliente prima di poter "
                                    "proseguire"),
                     QStringLiteral("Cliente_ID"));
    const db::Result r = db.query(
        QStringLiteral("SELECT ID, Data, Num as Numero, SerieFatturazione,TotFattura as "
                       "TotaleFattura  FROM fattura WHERE FattNota=False AND Carico=false AND "
                       "fattura.Cliente_ID = ? order by Data, Num"),
        {customer});
    invoices->clear();
    for (const db::Row& row : r)
        invoices->append({row.integer(QStringLiteral("ID")), row.date(QStringLiteral("Data")),
                          row.integer(QStringLiteral("Numero")),
                          row.text(QStringLiteral("SerieFatturazione")),
                          row.number(QStringLiteral("TotaleFattura"))});
    return std::nullopt;
}

void CreditNoteImport::chooseInvoice(QVariantMap& note, const Invoice& invoice) {
    note[QStringLiteral("NCFattNumRif")] = invoice.number;
    note[QStringLiteral("NCFattDataRif")] =
        invoice.date.isValid() ? QVariant(invoice.date) : QVariant();
    note[QStringLiteral("NCFattIDRif")] = invoice.id;
    note[QStringLiteral("NCFatSerieRif")] =
        invoice.series.isEmpty() ? QVariant() : QVariant(invoice.series);
}

std::optional<common::Failure>
CreditNoteImport::importRows(db::Database& db, common::Interaction& ui, QVariantMap& note) {
    const qint64 invoiceId = db::RecordKey(note, QStringLiteral("NCFattIDRif"));
    if (invoiceId <= 0)
        return error(QStringLiteral("Attenzione E' necessario trovare e scegliere una fattura "
                                    "prima di poterne importare le righe"),
                     QStringLiteral("NCFattIDRif"));
    const qint64 noteId = db::RecordKey(note, QStringLiteral("Id"));
    const DocumentOptions options = DocumentOptions::load(db);
    const DocumentTables& t = DocumentTables::of(kNote);
    const QVariant number = db::recordValue(note, QStringLiteral("NCFattNumRif"));
    const QString series = db::recordText(note, QStringLiteral("NCFatSerieRif"));
    const QDate date = db::recordDate(note, QStringLiteral("NCFattDataRif"));
    const QString rowNote = QStringLiteral(" Fattura numero: ") + number.toString() +
                            QStringLiteral(" Serie: ") + series + QStringLiteral(" Data: ") +
                            common::italianDate(date);

    db::Transaction tx(db);
    db.update(QStringLiteral("fattura"), noteId,
              {{QStringLiteral("NCFattIDRif"), invoiceId},
               {QStringLiteral("NCFattNumRif"),
                number.isNull() ? QVariant() : QVariant(number.toLongLong())},
               {QStringLiteral("NCFatSerieRif"), series.isEmpty() ? QVariant() : QVariant(series)},
               {QStringLiteral("NCFattDataRif"), date.isValid() ? QVariant(date) : QVariant()}});
    DocumentRows::removeWhere(db, kNote, QStringLiteral("NotaCredito_ID = ? and Fattura_ID = ?"),
                              {noteId, invoiceId});
    const bool history =
        db.scalar(QStringLiteral("select Storico from fattura where Id = ?"), {noteId}).toBool();
    static const QStringList copied = importedRowColumns({"RiferimentoAmministrazione"});
    const db::Result rows =
        db.query(QStringLiteral("select * from fattdett where NumFatt = ? order by NumeroRiga"),
                 {invoiceId});
    QList<TotalsRow> imported;
    for (const db::Row& r : rows) {
        const QString type = r.text(QStringLiteral("TipoRiga"));
        const qint64 article = r.integer(QStringLiteral("Articolo_ID"));
        db::Values values{
            {QStringLiteral("NumeroRiga"), DocumentRows::nextRowNumber(db, kNote, noteId, options)},
            {QStringLiteral("NotaCredito_ID"), noteId},
            {QStringLiteral("Fattura_ID"), invoiceId},
            {QStringLiteral("ContabilitaConti_ID"),
             RowRules::defaultAccount(db, kNote, type, article, options)},
            {QStringLiteral("Storico"), history},
            {QStringLiteral("Note"), rowNote}};
        for (const QString& column : copied)
            values.append({column, r.value(column)});
        db.insert(t.rows, values);
        if (isArticleRow(type))
            StockMoves::move(db, article, t.stockSign * r.number(QStringLiteral("Um")));
        imported.append({r.value(QStringLiteral("Um")), r.number(QStringLiteral("ValoreUnitario")),
                         r.number(QStringLiteral("Sconto")),
                         r.number(QStringLiteral("AliquotaIva"))});
    }
    DocumentTotals::applyImported(db, noteId, imported);
    InstalmentSchedule::generate(db, noteId, InstalmentSchedule::Mode::Refresh, options);
    tx.commit();
    ui.information(common::titles::confirmation,
                   QStringLiteral("Importazione avvenuta con successo !"));
    note = DocumentStore::load(db, noteId);
    return std::nullopt;
}

} // namespace documents
