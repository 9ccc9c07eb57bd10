#include "DocumentsFixture.h"

#include "documents/DocumentRows.h"
#include "documents/DocumentStore.h"

#include <gtest/gtest.h>

namespace fixture {

void setOption(db::Database& db, const QString& column, const QVariant& value) {
    db.exec(QStringLiteral("UPDATE opzioni SET %1 = ?").arg(column), {value});
}

qint64 customer(db::Database& db, const QString& name, const QString& vatNumber, qint64 terms) {
    return db.insert(QStringLiteral("Clienti"),
                     {{QStringLiteral("NominativoDocumenti"), name},
                      {QStringLiteral("Iva"), vatNumber.isEmpty() ? QVariant() : vatNumber},
                      {QStringLiteral("Pagamento_ID"), terms > 0 ? QVariant(terms) : QVariant()}});
}

qint64 terms(db::Database& db, const QList<int>& days, bool endOfMonth, bool endOfMonthFirst,
             bool commercialYear) {
    db::Values v{{QStringLiteral("Descrizione"), QStringLiteral("Prova")},
                 {QStringLiteral("NumeroScadenze"), days.size()},
                 {QStringLiteral("FatturaFineMese"), endOfMonth},
                 {QStringLiteral("CalcolaScadenzeFineMeseInizio"), endOfMonthFirst},
                 {QStringLiteral("AnnoCommerciale"), commercialYear},
                 {QStringLiteral("PA_ModalitaPagamento_Codice"), QStringLiteral("MP05")}};
    for (int i = 0; i < days.size(); ++i)
        v.append({QStringLiteral("GG%1Scadenza").arg(i + 1), days[i]});
    return db.insert(QStringLiteral("ModPagamento"), v);
}

qint64 article(db::Database& db, const QString& code, double price, double vatRate, double stock) {
    return db.insert(QStringLiteral("prezziar"), {{QStringLiteral("Codice"), code},
                                                  {QStringLiteral("Descrizione"), code + " desc"},
                                                  {QStringLiteral("Prezzo"), price},
                                                  {QStringLiteral("AliquotaIva"), vatRate},
                                                  {QStringLiteral("Iva_Id"), 1},
                                                  {QStringLiteral("Giacenza"), stock},
                                                  {QStringLiteral("Annullato"), false}});
}

qint64 document(db::Database& db, documents::DocumentKind kind, qint64 customerId,
                const QDate& date, qint64 terms) {
    const qint64 id = documents::DocumentStore::create(db, kind, {false, QString(), date});
    QVariantMap h = documents::DocumentStore::load(db, id);
    EXPECT_TRUE(documents::DocumentStore::chooseCustomer(db, kind, h, customerId));
    if (terms > 0)
        documents::DocumentStore::changePaymentTerms(db, kind, h, terms);
    return id;
}

qint64 row(db::Database& db, documents::DocumentKind kind, qint64 documentId, double quantity,
           double unitPrice, double discount, double vatRate, const QString& type,
           qint64 articleId) {
    QVariantMap r{{"Descrizione", "riga"}, {"Um", quantity},         {"ValoreUnitario", unitPrice},
                  {"Sconto", discount},    {"AliquotaIva", vatRate}, {"TipoRiga", type},
                  {"NumeroRiga", 1}};
    if (articleId > 0)
        r["Articolo_ID"] = articleId;
    const auto f = documents::DocumentRows::save(db, kind, documentId, r);
    EXPECT_FALSE(f.has_value()) << (f ? f->text.toStdString() : "");
    return r.value("IDX").toLongLong();
}

db::Row header(db::Database& db, qint64 id) {
    return db.query(QStringLiteral("select * from fattura where Id = ?"), {id}).first();
}

double stock(db::Database& db, qint64 articleId) {
    return db.scalar(QStringLiteral("select Giacenza from prezziar where Id = ?"), {articleId})
        .toDouble();
}

qint64 count(db::Database& db, const QString& jet, const QVariantList& binds) {
    return db.scalar(jet, binds).toLongLong();
}

} // namespace fixture
