#include "PurchasesFixture.h"

#include "common/ScriptedInteraction.h"
#include "db/RegistryRecord.h"
#include "purchases/SupplierDocuments.h"
#include "purchases/SupplierRows.h"

#include <gtest/gtest.h>

using namespace purchases;

namespace purchasesFixture {

void setOption(db::Database& db, const QString& column, const QVariant& value) {
    db.exec(QStringLiteral("UPDATE opzioni SET %1 = ?").arg(column), {value});
}

qint64 supplier(db::Database& db, const QString& name, qint64 terms) {
    return db.insert(QStringLiteral("Fornitor"),
                     {{QStringLiteral("Fornitore"), name},
                      {QStringLiteral("Pagamento_ID"), terms > 0 ? QVariant(terms) : QVariant()}});
}

qint64 terms(db::Database& db, const QList<int>& days) {
    db::Values v{{QStringLiteral("Descrizione"), QStringLiteral("Prova")},
                 {QStringLiteral("NumeroScadenze"), days.size()},
                 {QStringLiteral("FatturaFineMese"), false},
                 {QStringLiteral("CalcolaScadenzeFineMeseInizio"), false},
                 {QStringLiteral("AnnoCommerciale"), false}};
    for (int i = 0; i < days.size(); ++i)
        v.append({QStringLiteral("GG%1Scadenza").arg(i + 1), days[i]});
    return db.insert(QStringLiteral("ModPagamento"), v);
}

qint64 article(db::Database& db, const QString& code, double stock, double markUp) {
    return db.insert(QStringLiteral("prezziar"), {{QStringLiteral("Codice"), code},
                                                  {QStringLiteral("Descrizione"), code + " desc"},
                                                  {QStringLiteral("Prezzo"), 10.0},
                                                  {QStringLiteral("AliquotaIva"), 22.0},
                                                  {QStringLiteral("Iva_Id"), 1},
                                                  {QStringLiteral("Giacenza"), stock},
                                                  {QStringLiteral("PercentualeRicarico"), markUp},
                                                  {QStringLiteral("Annullato"), false}});
}

qint64 document(db::Database& db, DocumentKind kind, qint64 supplierId, const QDate& date,
                const QString& number) {
    const qint64 id = SupplierDocuments::create(db, kind, {false, date});
    QVariantMap h = SupplierDocuments::load(db, id);
    h["NumeroCarico"] = number;
    common::ScriptedInteraction ui;
    EXPECT_TRUE(SupplierDocuments::chooseSupplier(db, ui, kind, h, supplierId));
    EXPECT_FALSE(SupplierDocuments::save(db, kind, h).has_value());
    return id;
}

qint64 row(db::Database& db, DocumentKind kind, qint64 documentId, double quantity,
           double unitPrice, double vatRate, qint64 articleId) {
    QVariantMap r = SupplierRows::newRow(db, kind, documentId);
    if (articleId > 0) {
        EXPECT_TRUE(SupplierRows::chooseArticle(db, r, articleId));
    }
    r["Um"] = quantity;
    r["ValoreUnitario"] = unitPrice;
    r["AliquotaIva"] = vatRate;
    EXPECT_FALSE(SupplierRows::save(db, kind, documentId, r).has_value());
    return db::RecordKey(r, SupplierTables::of(kind).key);
}

db::Row header(db::Database& db, qint64 id) {
    return db.query(QStringLiteral("select * from fattura where Id = ?"), {id}).first();
}

double stock(db::Database& db, qint64 articleId) {
    return db.scalar(QStringLiteral("select Giacenza from prezziar where ID = ?"), {articleId})
        .toDouble();
}

qint64 count(db::Database& db, const QString& jet, const QVariantList& binds) {
    return db.scalar(jet, binds).toLongLong();
}

} // namespace purchasesFixture
