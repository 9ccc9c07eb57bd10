#include "documents/QuoteImport.h"

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

common::Failure QuoteImport::unsavedInvoice() {
    return {common::titles::warning,
            QStringLiteral("Attenzione è necessario salvare la fattura prima di inserirci i "
                           "riferimenti al Preventivo"),
            QString()};
}

QList<QuoteImport::Choice> QuoteImport::available(db::Database& db, qint64 customerId) {
    const db::Result r =
        db.query(QStringLiteral("SELECT PreventiTestata.Id, Numero, Data, Cliente_Id FROM "
                                "PreventiTestata Where Fatturato = false and Cliente_ID = ? "
                                "order by Data, Numero"),
                 {customerId});
    QList<Choice> out;
    for (const db::Row& row : r) {
        Choice c;
        c.id = row.integer(QStringLiteral("Id"));
        c.number = row.integer(QStringLiteral("Numero"));
        c.date = row.date(QStringLiteral("Data"));
        c.label = QStringLiteral("N° %1 Data: %2").arg(c.number).arg(common::italianDate(c.date));
        out.append(c);
    }
    return out;
}

std::optional<common::Failure> QuoteImport::import(db::Database& db, qint64 invoiceId,
                                                   qint64 quoteId) {
    if (invoiceId <= 0)
        return unsavedInvoice();
    const DocumentOptions options = DocumentOptions::load(db);
    db::Transaction tx(db);
    const db::Result quote =
        db.query(QStringLiteral("select * from PreventiTestata where Id = ?"), {quoteId});
    if (quote.empty()) {
        tx.commit();
        return std::nullopt;
    }
    const db::Row& q = quote.first();
    db.exec(QStringLiteral("UPDATE PreventiTestata SET Fatturato = True where id = ?"), {quoteId});
    linkOnce(db, QStringLiteral("FatturaPreventiviRighe"), invoiceId,
             QStringLiteral("Preventivo_Id"), quoteId,
             {{QStringLiteral("Numero"), q.value(QStringLiteral("Numero"))},
              {QStringLiteral("Data"), q.value(QStringLiteral("Data"))}});
    DocumentRows::removeWhere(db, kInvoice, QStringLiteral("Prev_ID = ? and NumFatt = ?"),
                              {quoteId, invoiceId});

    static const QStringList copied =
        importedRowColumns({"RiferimentoAmministrazione", "Scaffale"});
    const db::Result rows = db.query(
        QStringLiteral("select * from PreventiRighe where Prev_ID = ? order by NumeroRiga"),
        {quoteId});
    const QString note =
        QStringLiteral("Preventivo n° ") + QString::number(q.integer(QStringLiteral("Numero")));
    for (const db::Row& r : rows)
        insertImportedRow(db, invoiceId, r, copied,
                          {{QStringLiteral("Prev_ID"), quoteId}, {QStringLiteral("Note"), note}},
                          options);
    DocumentStore::recalculate(db, invoiceId);
    tx.commit();
    return std::nullopt;
}

void QuoteImport::remove(db::Database& db, qint64 invoiceId, qint64 quoteId) {
    db::Transaction tx(db);
    db.exec(QStringLiteral("UPDATE PreventiTestata SET Fatturato = false where id = ?"), {quoteId});
    DocumentRows::removeWhere(db, kInvoice, QStringLiteral("Prev_ID = ? and NumFatt = ?"),
                              {quoteId, invoiceId});
    db.exec(QStringLiteral("delete * from FatturaPreventiviRighe where Fattura_ID = ? and "
                           "Preventivo_Id = ?"),
            {invoiceId, quoteId});
    DocumentStore::recalculate(db, invoiceId);
    tx.commit();
}

} // namespace documents
