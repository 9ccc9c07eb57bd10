#include "documents/ReceiptImport.h"

#include "common/TextForms.h"
#include "common/Titles.h"
#include "documents/DocumentOptions.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentStore.h"
#include "documents/ImportedRow.h"

namespace documents {

namespace {

const DocumentKind kInvoice = DocumentKind::CustomerInvoice;

} // namespace

QList<ReceiptImport::Choice> ReceiptImport::available(db::Database& db, qint64 customerId) {
    const db::Result r =
        db.query(QStringLiteral("SELECT Id, Numero, Data FROM TotaliCo Where Fatturato = false "
                                "and Cliente_Id = ? order by Data, Numero"),
                 {customerId});
    QList<Choice> out;
    for (const db::Row& row : r)
        out.append({row.integer(QStringLiteral("Id")),
                    QStringLiteral("N° %1 Data: %2")
                        .arg(row.integer(QStringLiteral("Numero")))
                        .arg(common::italianDate(row.date(QStringLiteral("Data"))))});
    return out;
}

std::optional<common::Failure> ReceiptImport::import(db::Database& db, qint64 invoiceId,
                                                     qint64 receiptId) {
    if (invoiceId <= 0)
        return common::Failure{common::titles::warning,
                               QStringLiteral("Attenzione è necessario salvare la fattura prima "
                                              "di inserirci i riferimenti al Buono"),
                               QString()};
    const DocumentOptions options = DocumentOptions::load(db);
    db::Transaction tx(db);
    const db::Result receipt =
        db.query(QStringLiteral("select * from TotaliCo where Id = ?"), {receiptId});
    if (receipt.empty()) {
        tx.commit();
        return std::nullopt;
    }
    db.exec(QStringLiteral("UPDATE TotaliCo SET Fatturato = True where Id = ?"), {receiptId});
    linkOnce(db, QStringLiteral("FatturaContiRighe"), invoiceId, QStringLiteral("Conto_ID"),
             receiptId);
    DocumentRows::removeWhere(db, kInvoice, QStringLiteral("Conto_ID = ? and NumFatt = ?"),
                              {receiptId, invoiceId});
    static const QStringList copied = importedRowColumns({"RiferimentoAmministrazione"});
    const db::Result rows =
        db.query(QStringLiteral("select * from Conti where Testata_ID = ? order by NumeroRiga"),
                 {receiptId});
    const QString note = QStringLiteral("Buono n° ") +
                         QString::number(receipt.first().integer(QStringLiteral("Numero")));
    for (const db::Row& r : rows)
        insertImportedRow(db, invoiceId, r, copied,
                          {{QStringLiteral("Conto_ID"), receiptId}, {QStringLiteral("Note"), note}},
                          options, false);
    DocumentStore::recalculate(db, invoiceId);
    tx.commit();
    return std::nullopt;
}

void ReceiptImport::remove(db::Database& db, qint64 invoiceId, qint64 receiptId) {
    db::Transaction tx(db);
    db.exec(QStringLiteral("UPDATE TotaliCo SET Fatturato = false where Id = ?"), {receiptId});
    DocumentRows::removeWhere(db, kInvoice, QStringLiteral("Conto_ID = ? and NumFatt = ?"),
                              {receiptId, invoiceId});
    db.exec(QStringLiteral("delete * from FatturaContiRighe where Fattura_ID = ? and Conto_ID = ?"),
            {invoiceId, receiptId});
    DocumentStore::recalculate(db, invoiceId);
    tx.commit();
}

} // namespace documents
