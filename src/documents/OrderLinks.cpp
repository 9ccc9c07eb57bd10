#include "documents/OrderLinks.h"

#include "common/TextForms.h"

namespace documents {

namespace {

void markInvoiced(db::Database& db, qint64 orderId) {
    const qint64 links =
        db.scalar(QStringLiteral("select count(*) from FatturaOrdiniClientiRighe where "
                                 "Ordine_ID = ?"),
                  {orderId})
            .toLongLong();
    db.exec(QStringLiteral("UPDATE OrdiniClientiTestata SET Fatturato = ? where Id = ?"),
            {links > 0, orderId});
}

} // namespace

QList<OrderLinks::Choice> OrderLinks::available(db::Database& db, qint64 customerId) {
    const db::Result r = db.query(
        QStringLiteral("SELECT Id, Numero, NumeroInterno, Data FROM OrdiniClientiTestata Where "
                       "Fatturato = false and Cliente_ID = ? order by Data, NumeroInterno"),
        {customerId});
    QList<Choice> out;
    for (const db::Row& row : r)
        out.append({row.integer(QStringLiteral("Id")),
                    QStringLiteral("N° %1 (int. %2) Data: %3")
                        .arg(row.text(QStringLiteral("Numero")))
                        .arg(row.integer(QStringLiteral("NumeroInterno")))
                        .arg(common::italianDate(row.date(QStringLiteral("Data"))))});
    return out;
}

void OrderLinks::link(db::Database& db, qint64 invoiceId, qint64 orderId) {
    db::Transaction tx(db);
    const bool linked = !db.query(QStringLiteral("select ID from FatturaOrdiniClientiRighe where "
                                                 "Fattura_ID = ? and Ordine_ID = ?"),
                                  {invoiceId, orderId})
                             .empty();
    if (!linked)
        db.insert(
            QStringLiteral("FatturaOrdiniClientiRighe"),
            {{QStringLiteral("Fattura_ID"), invoiceId}, {QStringLiteral("Ordine_ID"), orderId}});
    markInvoiced(db, orderId);
    tx.commit();
}

void OrderLinks::unlink(db::Database& db, qint64 invoiceId, qint64 orderId) {
    db::Transaction tx(db);
    db.exec(QStringLiteral(
                "delete * from FatturaOrdiniClientiRighe where Fattura_ID = ? and Ordine_ID = ?"),
            {invoiceId, orderId});
    markInvoiced(db, orderId);
    tx.commit();
}

void OrderLinks::unlinkAll(db::Database& db, qint64 invoiceId) {
    const db::Result r = db.query(
        QStringLiteral("select Ordine_ID from FatturaOrdiniClientiRighe where Fattura_ID = ?"),
        {invoiceId});
    for (const db::Row& row : r)
        unlink(db, invoiceId, row.integer(QStringLiteral("Ordine_ID")));
}

} // namespace documents
