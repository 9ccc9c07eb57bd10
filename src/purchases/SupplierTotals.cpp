#include "purchases/SupplierTotals.h"

#include "common/Money.h"

namespace purchases {

SupplierTotalsResult SupplierTotals::compute(const QList<SupplierTotalsRow>& rows,
                                             double withholding, double stamp) {
    double taxable = 0;
    double vat = 0;
    for (const SupplierTotalsRow& r : rows) {
        if (r.quantity.isNull())
            continue;
        const double net =
            common::rowNet4(false, r.quantity.toDouble(), r.unitPrice, r.discounts[0],
                            r.discounts[1], r.discounts[2], r.discounts[3]);
        taxable += net;
        vat += net * r.vatRate / 100;
    }
    SupplierTotalsResult t;
    t.taxable = common::round2(taxable);
    t.vat = common::round2(vat);
    t.total = common::round2(t.taxable + t.vat - withholding + stamp);
    return t;
}

QList<SupplierTotalsRow> SupplierTotals::rowsOf(db::Database& db, const SupplierTables& tables,
                                                qint64 documentId) {
    QList<SupplierTotalsRow> rows;
    const db::Result r = db.query(QStringLiteral("SELECT Um, ValoreUnitario, Sconto, Sconto2, "
                                                 "Sconto3, Sconto4, AliquotaIva, TotaleImponibile "
                                                 "FROM %1 where %2 = ?")
                                      .arg(tables.rows, tables.parent),
                                  {documentId});
    for (const db::Row& row : r) {
        SupplierTotalsRow t;
        if (!row.isNull(QStringLiteral("Um")))
            t.quantity = row.number(QStringLiteral("Um"));
        t.unitPrice = row.number(QStringLiteral("ValoreUnitario"));
        t.discounts[0] = row.number(QStringLiteral("Sconto"));
        t.discounts[1] = row.number(QStringLiteral("Sconto2"));
        t.discounts[2] = row.number(QStringLiteral("Sconto3"));
        t.discounts[3] = row.number(QStringLiteral("Sconto4"));
        t.vatRate = row.number(QStringLiteral("AliquotaIva"));
        if (!row.isNull(QStringLiteral("TotaleImponibile")))
            t.net = row.number(QStringLiteral("TotaleImponibile"));
        rows.append(t);
    }
    return rows;
}

SupplierTotalsResult SupplierTotals::recompute(db::Database& db, qint64 documentId) {
    const db::Result h = db.query(
        QStringLiteral("select FattNota, RitenutaAcconto, ImportoMarcaBollo from fattura where "
                       "Id = ?"),
        {documentId});
    if (h.empty())
        return {};
    const SupplierTables& tables =
        SupplierTables::of(h.first().boolean(QStringLiteral("FattNota")));
    const SupplierTotalsResult t =
        compute(rowsOf(db, tables, documentId), h.first().number(QStringLiteral("RitenutaAcconto")),
                h.first().number(QStringLiteral("ImportoMarcaBollo")));
    db.update(QStringLiteral("fattura"), documentId,
              {{QStringLiteral("TotImponibile"), t.taxable},
               {QStringLiteral("TotImposta"), t.vat},
               {QStringLiteral("TotFattura"), t.total}});
    return t;
}

} // namespace purchases
