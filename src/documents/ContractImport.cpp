#include "documents/ContractImport.h"

#include "common/TextForms.h"
#include "documents/DocumentOptions.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentStore.h"
#include "documents/ImportedRow.h"
#include "documents/QuoteImport.h"

namespace documents {

namespace {

const DocumentKind kInvoice = DocumentKind::CustomerInvoice;

} // namespace

QList<ContractImport::Choice> ContractImport::available(db::Database& db, qint64 customerId) {
    const db::Result r = db.query(
        QStringLiteral("SELECT ContrattiRighe.IDX, ContrattiRighe.NumeroRiga, "
                       "ContrattiRighe.DataInizioPeriodo, ContrattiRighe.DataFinePeriodo, "
                       "ContrattiRighe.Descrizione, ContrattiRighe.ValoreTotale, "
                       "ContrattiTestata.Id, ContrattiTestata.Numero, ContrattiTestata.Data "
                       "FROM ContrattiRighe INNER JOIN ContrattiTestata ON "
                       "ContrattiRighe.Testata_ID = ContrattiTestata.Id Where "
                       "ContrattiRighe.Fatturato = false and Cliente_ID = ? "
                       "order by ContrattiTestata.Data, ContrattiRighe.NumeroRiga"),
        {customerId});
    QList<Choice> out;
    for (const db::Row& row : r) {
        Choice c;
        c.rowId = row.integer(QStringLiteral("IDX"));
        c.contractId = row.integer(QStringLiteral("Id"));
        c.number = row.integer(QStringLiteral("Numero"));
        c.date = row.date(QStringLiteral("Data"));
        c.rowNumber = row.integer(QStringLiteral("NumeroRiga"));
        c.label = QStringLiteral(" Num. Riga: ") + QString::number(c.rowNumber) +
                  QStringLiteral(" Data inizio:") +
                  common::italianDate(row.date(QStringLiteral("DataInizioPeriodo"))) +
                  QStringLiteral(" data fine: ") +
                  common::italianDate(row.date(QStringLiteral("DataFinePeriodo")));
        // What the row is and what it costs, so that the user picks the right one.
        if (const QString what = row.text(QStringLiteral("Descrizione")).simplified();
            !what.isEmpty())
            c.label += QStringLiteral(" - ") + what;
        if (!row.isNull(QStringLiteral("ValoreTotale")))
            c.label += QStringLiteral(" - ") +
                       common::euroText(row.number(QStringLiteral("ValoreTotale"))) +
                       QStringLiteral(" €");
        out.append(c);
    }
    return out;
}

std::optional<common::Failure> ContractImport::import(db::Database& db, qint64 invoiceId,
                                                      qint64 contractRowId) {
    if (invoiceId <= 0)
        return QuoteImport::unsavedInvoice();
    const DocumentOptions options = DocumentOptions::load(db);
    db::Transaction tx(db);
    const db::Result found =
        db.query(QStringLiteral("select * from ContrattiRighe where IDX = ?"), {contractRowId});
    if (found.empty()) {
        tx.commit();
        return std::nullopt;
    }
    const db::Row& r = found.first();
    const qint64 contractId = r.integer(QStringLiteral("Testata_ID"));
    const db::Result contract = db.query(
        QStringLiteral("select Numero, Data from ContrattiTestata where Id = ?"), {contractId});
    db.exec(
        QStringLiteral("UPDATE ContrattiRighe SET Fatturato = True, Fattura_ID=? where idX = ?"),
        {invoiceId, contractRowId});
    linkOnce(db, QStringLiteral("FatturaContrattiRighe"), invoiceId, QStringLiteral("Riga_ID"),
             contractRowId,
             {{QStringLiteral("Numero"),
               contract.empty() ? QVariant() : contract.first().value(QStringLiteral("Numero"))},
              {QStringLiteral("Data"),
               contract.empty() ? QVariant() : contract.first().value(QStringLiteral("Data"))},
              {QStringLiteral("Contratto_Id"), contractId},
              {QStringLiteral("NumeroRiga"), r.value(QStringLiteral("NumeroRiga"))},
              {QStringLiteral("DataInizioPeriodo"), r.value(QStringLiteral("DataInizioPeriodo"))},
              {QStringLiteral("DataFinePeriodo"), r.value(QStringLiteral("DataFinePeriodo"))}});
    DocumentRows::removeWhere(db, kInvoice, QStringLiteral("ContrattoRiga_ID = ? and NumFatt = ?"),
                              {contractRowId, invoiceId});

    static const QStringList copied = importedRowColumns();
    insertImportedRow(db, invoiceId, r, copied,
                      {{QStringLiteral("ContrattoRiga_ID"), contractRowId}}, options);
    DocumentStore::recalculate(db, invoiceId);
    tx.commit();
    return std::nullopt;
}

void ContractImport::remove(db::Database& db, qint64 invoiceId, qint64 contractRowId) {
    db::Transaction tx(db);
    db.exec(QStringLiteral("UPDATE ContrattiRighe SET Fatturato = false, Fattura_ID=null where "
                           "idx = ?"),
            {contractRowId});
    DocumentRows::removeWhere(db, kInvoice, QStringLiteral("ContrattoRiga_ID = ? and NumFatt = ?"),
                              {contractRowId, invoiceId});
    db.exec(
        QStringLiteral("delete * from FatturaContrattiRighe where Fattura_ID = ? and Riga_ID = ?"),
        {invoiceId, contractRowId});
    DocumentStore::recalculate(db, invoiceId);
    tx.commit();
}

} // namespace documents
