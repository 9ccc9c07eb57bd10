#include "documents/QuoteInvoicing.h"

#include "documents/QuoteImport.h"

namespace documents {

qint64 QuoteInvoicing::invoice(db::Database& db, qint64 quoteId,
                               const DocumentStore::NewDocument& request) {
    db::Transaction tx(db);
    const db::Result quote =
        db.query(QStringLiteral("select Cliente_ID from PreventiTestata where Id = ?"), {quoteId});
    if (quote.empty())
        return 0;
    const DocumentKind kind = DocumentKind::CustomerInvoice;
    const qint64 id = DocumentStore::create(db, kind, request);
    QVariantMap header = DocumentStore::load(db, id);
    const qint64 customer = quote.first().integer(QStringLiteral("Cliente_ID"));
    if (customer > 0)
        DocumentStore::chooseCustomer(db, kind, header, customer);
    if (QuoteImport::import(db, id, quoteId))
        return 0;
    tx.commit();
    return id;
}

} // namespace documents
