#include "documents/LastPrice.h"

#include "common/TextForms.h"

namespace documents {

std::optional<LastPrice> LastPrice::find(db::Database& db, qint64 customerId, qint64 documentId,
                                         qint64 articleId) {
    const db::Result r = db.query(
        QStringLiteral("SELECT TOP 1 fattdett.Sconto,fattdett.ValoreUnitario, fattura.Data, "
                       "fattura.Num FROM fattdett INNER JOIN fattura ON fattdett.NumFatt = "
                       "fattura.ID WHERE (((fattura.FattNota)=false) AND ((fattura.Carico)=False)) "
                       "and fattura.Cliente_ID=? and fattura.ID<>? and fattdett.Articolo_ID=? "
                       "ORDER BY fattura.Data DESC"),
        {customerId, documentId, articleId});
    if (r.empty())
        return std::nullopt;
    const db::Row& row = r.first();
    return LastPrice{row.date(QStringLiteral("Data")), row.integer(QStringLiteral("Num")),
                     row.number(QStringLiteral("ValoreUnitario")),
                     row.number(QStringLiteral("Sconto"))};
}

QString LastPrice::message() const {
    return QStringLiteral("Ultima fattura: ") + common::italianDate(date) +
           QStringLiteral(" Valore Unitario: ") + common::euroText(unitPrice) +
           QStringLiteral(" Sconto: ") + common::euroText(discount);
}

} // namespace documents
