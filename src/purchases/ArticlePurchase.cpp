#include "purchases/ArticlePurchase.h"

#include "common/Money.h"
#include "db/RegistryRecord.h"

namespace purchases {

namespace {

double num(const QVariantMap& row, const QString& column) {
    return db::recordValue(row, column).toDouble();
}

} // namespace

bool ArticlePurchase::carriesPrice(const QString& rowType) {
    return rowType.compare(QLatin1String("N"), Qt::CaseInsensitive) == 0 ||
           rowType.compare(QLatin1String("D"), Qt::CaseInsensitive) == 0;
}

void ArticlePurchase::updatePrices(db::Database& db, qint64 articleId, const QVariantMap& row) {
    const db::Result a =
        db.query(QStringLiteral(
                     "select PercentualeRicarico, AliquotaIva, Sconto from prezziar where ID = ?"),
                 {articleId});
    if (a.empty())
        return;
    const double unit = num(row, QStringLiteral("ValoreUnitario"));
    const double d1 = num(row, QStringLiteral("Sconto"));
    const double d2 = num(row, QStringLiteral("Sconto2"));
    const double d3 = num(row, QStringLiteral("Sconto3"));
    const double d4 = num(row, QStringLiteral("Sconto4"));
    const double vat = num(row, QStringLiteral("AliquotaIva"));
    const double netUnit = common::rowNet4(false, 1, unit, d1, d2, d3, d4);
    const QVariant vatId = db::recordValue(row, QStringLiteral("Iva_ID")).isNull()
                               ? db::recordValue(row, QStringLiteral("Iva_Id"))
                               : db::recordValue(row, QStringLiteral("Iva_ID"));
    db::Values v{{QStringLiteral("Fornitore_ValoreUnitario"), unit},
                 {QStringLiteral("Fornitore_Iva_id"), vatId},
                 {QStringLiteral("Fornitore_AliquotaIva"), vat},
                 {QStringLiteral("Fornitore_Sconto1"), d1},
                 {QStringLiteral("Fornitore_Sconto2"), d2},
                 {QStringLiteral("Fornitore_Sconto3"), d3},
                 {QStringLiteral("Fornitore_Sconto4"), d4},
                 {QStringLiteral("PrezzoFornitore"), common::round2(netUnit * (1 + vat / 100))}};
    const double markUp = a.first().number(QStringLiteral("PercentualeRicarico"));
    if (markUp != 0) {
        // The selling price by the mark-up; its price with VAT follows as on
        // the article card.
        const double price = common::round2(netUnit * (1 + markUp / 100));
        v.append({QStringLiteral("Prezzo"), price});
        v.append({QStringLiteral("PrezzoCompleto"),
                  common::grossPrice(price, a.first().number(QStringLiteral("AliquotaIva")),
                                     a.first().number(QStringLiteral("Sconto")))});
    }
    db.update(QStringLiteral("prezziar"), articleId, v);
}

void ArticlePurchase::updateInsertDate(db::Database& db, qint64 articleId,
                                       const QDate& registered) {
    db.update(QStringLiteral("prezziar"), articleId,
              {{QStringLiteral("DataInserimento"),
                registered.isValid() ? QVariant(registered) : QVariant()}});
}

} // namespace purchases
