#include "documents/DocumentTotals.h"

#include "common/Money.h"
#include "common/TextForms.h"
#include "documents/DocumentLog.h"

namespace documents {

const DocumentTotals::Member& DocumentTotals::member(TotalsFamily family) {
    static const Member invoice{"fattura", "fattdett", "NumFatt", "TotFattura", true, true, false};
    static const Member creditNote{
        "fattura", "NotaCreditoRighe", "NotaCredito_ID", "TotFattura", true, true, false};
    static const Member ddt{"Ddt", "DDTRighe", "DDT_ID", "TotDDT", false, false, true};
    static const Member quote{
        "PreventiTestata", "PreventiRighe", "Prev_ID", "TotalePreventivo", true, false, false};
    static const Member order{"OrdiniClientiTestata",
                              "OrdiniClientiRighe",
                              "Ordine_ID",
                              "TotaleOrdine",
                              false,
                              false,
                              false};
    static const Member receipt{"TotaliCo", "Conti", "Testata_ID", "TotFattura",
                                false,      false,   false};
    switch (family) {
    case TotalsFamily::Invoice:
        return invoice;
    case TotalsFamily::CreditNote:
        return creditNote;
    case TotalsFamily::Ddt:
        return ddt;
    case TotalsFamily::Quote:
        return quote;
    case TotalsFamily::CustomerOrder:
        return order;
    case TotalsFamily::Receipt:
        return receipt;
    }
    return invoice;
}

Totals DocumentTotals::compute(const QList<TotalsRow>& rows, TotalsFamily family,
                               const DocumentOptions& options, bool withholdingAsked,
                               double typedStamp, bool typedVirtual) {
    const Member& m = member(family);
    double taxable = 0;
    double vat = 0;
    double outsideVat = 0; // the rows without VAT, on which stamp duty is due
    Totals t;
    for (const TotalsRow& r : rows) {
        if (r.quantity.isNull())
            continue;
        const double q = r.quantity.toDouble();
        const double net = common::rowNet(false, q, r.unitPrice, r.discount);
        taxable += net;
        if (r.vatRate == 0)
            outsideVat += net;
        vat += common::rowVat(false, q, r.unitPrice, r.discount, 0, 0, 0, r.vatRate);
        t.quantity += q;
    }
    t.taxable = common::round2(taxable);
    t.vat = common::round2(vat);
    if (m.withholding && options.withholding && withholdingAsked)
        t.withholding = common::round2(0.01 * t.taxable * kWithholdingRate);
    t.stamp = typedStamp;
    t.stampVirtual = typedVirtual;
    if (options.stampDuty) {
        // Stamp duty is due on amounts outside VAT above the limit only.
        if (options.stampLimit < common::round2(outsideVat)) {
            t.stamp = options.stampAmount;
            if (m.stampVirtual) {
                t.stampVirtual = options.stampVirtual;
                t.stampVirtualSet = true;
            }
        } else {
            t.stamp = 0;
        }
    }
    t.total = t.taxable + t.vat - t.withholding + t.stamp;
    return t;
}

Totals DocumentTotals::recompute(db::Database& db, TotalsFamily family, qint64 headerId) {
    return recompute(db, family, headerId, DocumentOptions::load(db));
}

Totals DocumentTotals::recompute(db::Database& db, TotalsFamily family, qint64 headerId,
                                 const DocumentOptions& options) {
    const Member& m = member(family);
    const db::Result header =
        db.query(QStringLiteral("select * from %1 where Id = ?").arg(m.header), {headerId});
    if (header.empty())
        return {};
    const db::Row& h = header.first();
    QList<TotalsRow> rows;
    const db::Result r =
        db.query(QStringLiteral("SELECT Um,ValoreUnitario, Sconto,AliquotaIva FROM %1 Where %2 = ?")
                     .arg(m.rows, m.parent),
                 {headerId});
    for (const db::Row& row : r)
        rows.append(
            {row.isNull(QStringLiteral("Um")) ? QVariant() : row.value(QStringLiteral("Um")),
             row.number(QStringLiteral("ValoreUnitario")), row.number(QStringLiteral("Sconto")),
             row.number(QStringLiteral("AliquotaIva"))});
    const bool asked = m.withholding && h.boolean(QStringLiteral("RitAccontoAziende"));
    const bool typedVirtual = m.stampVirtual && h.boolean(QStringLiteral("MarcaBolloVirtuale"));
    const Totals t = compute(rows, family, options, asked,
                             h.number(QStringLiteral("ImportoMarcaBollo")), typedVirtual);
    db::Values values{{QStringLiteral("TotImponibile"), t.taxable},
                      {QStringLiteral("TotImposta"), t.vat},
                      {QStringLiteral("ImportoMarcaBollo"), t.stamp},
                      {m.totalColumn, t.total}};
    if (m.withholding)
        values.append({QStringLiteral("RitenutaAcconto"), t.withholding});
    if (t.stampVirtualSet)
        values.append({QStringLiteral("MarcaBolloVirtuale"), t.stampVirtual});
    if (m.ddtQuantity)
        values.append({QStringLiteral("Quantita"), quantityText(t.quantity)});
    db.update(m.header, headerId, values);
    // An electronic invoice already handed out no longer matches the
    // archive: the change is recorded.
    if (m.header == u"fattura" && h.has(QStringLiteral("DataEsportazioneXml")) &&
        !h.isNull(QStringLiteral("DataEsportazioneXml"))) {
        const double before = h.number(m.totalColumn);
        if (qRound64(before * 100) != qRound64(t.total * 100))
            DocumentLog::recordInvoice(
                db, DocumentLog::Event::TotalChanged, headerId,
                QStringLiteral("Totale da %1 a %2")
                    .arg(common::euroText(before), common::euroText(t.total)));
    }
    return t;
}

Totals DocumentTotals::computeImported(const QList<TotalsRow>& rows) {
    double taxable = 0;
    double vat = 0;
    for (const TotalsRow& r : rows) {
        const double q = r.quantity.toDouble();
        const double net = r.unitPrice * q - r.unitPrice * q * 0.01 * r.discount;
        taxable += net;
        vat += net * 0.01 * r.vatRate;
    }
    Totals t;
    t.vat = common::round2(vat);
    t.total = common::round2(taxable + vat);
    t.taxable = common::round2(taxable);
    return t;
}

Totals DocumentTotals::applyImported(db::Database& db, qint64 creditNoteId,
                                     const QList<TotalsRow>& rows) {
    const Totals t = computeImported(rows);
    db.update(QStringLiteral("fattura"), creditNoteId,
              {{QStringLiteral("TotImposta"), t.vat},
               {QStringLiteral("TotFattura"), t.total},
               {QStringLiteral("TotImponibile"), t.taxable}});
    return t;
}

QString DocumentTotals::quantityText(double quantity) {
    return QString::number(quantity, 'g', 15).replace(u'.', u',') + QStringLiteral(" PZ");
}

} // namespace documents
