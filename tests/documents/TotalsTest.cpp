#include "DocumentsFixture.h"
#include "documents/DocumentStore.h"
#include "documents/DocumentTotals.h"
#include "documents/RowRules.h"

#include <gtest/gtest.h>

using namespace documents;

namespace {

TotalsRow R(QVariant q, double unit, double discount = 0, double rate = 22) {
    return {q, unit, discount, rate};
}

} // namespace

TEST(Totals, RowAmountsCompoundAndRound) {
    // 2 × 10 less 10%: net 18, VAT 3.96, gross 21.96.
    QVariantMap row{{"Um", 2}, {"ValoreUnitario", 10}, {"Sconto", 10}, {"AliquotaIva", 22}};
    RowRules::computeAmounts(row);
    EXPECT_DOUBLE_EQ(row["TotaleImponibile"].toDouble(), 18);
    EXPECT_DOUBLE_EQ(row["ValoreTotale"].toDouble(), 21.96);
    // Net kept unrounded, gross rounded: 3 × 3.333 less 10% = 8.9991.
    row = {{"Um", 3}, {"ValoreUnitario", 3.333}, {"Sconto", 10}, {"AliquotaIva", 0}};
    RowRules::computeAmounts(row);
    EXPECT_NEAR(row["TotaleImponibile"].toDouble(), 8.9991, 1e-9);
    EXPECT_DOUBLE_EQ(row["ValoreTotale"].toDouble(), 9.0);
    // A negative price rounds the half away from zero.
    EXPECT_DOUBLE_EQ(RowRules::rowGross(true, 1, -0.005, 0, 0), -0.01);
}

TEST(Totals, VatIsSummedRowByRowAndNullQuantityIsSkipped) {
    DocumentOptions o;
    // Three rows of 0.333 at 22%: per-row VAT 0.07326 each, summed 0.21978.
    const Totals t =
        DocumentTotals::compute({R(1, 0.333), R(1, 0.333), R(1, 0.333), R(QVariant(), 1000)},
                                TotalsFamily::Invoice, o, false, 0, false);
    EXPECT_DOUBLE_EQ(t.taxable, 1.0);
    EXPECT_DOUBLE_EQ(t.vat, 0.22);
    EXPECT_DOUBLE_EQ(t.total, 1.22);
}

TEST(Totals, StampThresholdAndWithholding) {
    DocumentOptions o;
    o.stampDuty = true;
    o.stampLimit = 77.47;
    o.stampAmount = 2;
    o.stampVirtual = true;
    // Taxable exactly at the limit: no stamp, whatever was typed.
    Totals t =
        DocumentTotals::compute({R(1, 77.47, 0, 0)}, TotalsFamily::Invoice, o, false, 5, false);
    EXPECT_DOUBLE_EQ(t.stamp, 0);
    EXPECT_FALSE(t.stampVirtualSet);
    EXPECT_DOUBLE_EQ(t.total, 77.47);
    // One cent above: the option's stamp and its virtual flag.
    t = DocumentTotals::compute({R(1, 77.48, 0, 0)}, TotalsFamily::Invoice, o, false, 0, false);
    EXPECT_DOUBLE_EQ(t.stamp, 2);
    EXPECT_TRUE(t.stampVirtualSet && t.stampVirtual);
    EXPECT_DOUBLE_EQ(t.total, 79.48);
    // Rows subject to VAT do not count towards the limit.
    t = DocumentTotals::compute({R(1, 100, 0, 22), R(1, 50, 0, 0)}, TotalsFamily::Invoice, o, false,
                                0, false);
    EXPECT_DOUBLE_EQ(t.stamp, 0);
    EXPECT_DOUBLE_EQ(t.total, 172);
    t = DocumentTotals::compute({R(1, 100, 0, 22), R(1, 80, 0, 0)}, TotalsFamily::Invoice, o, false,
                                0, false);
    EXPECT_DOUBLE_EQ(t.stamp, 2);
    // Quotes take the amount only.
    t = DocumentTotals::compute({R(1, 100, 0, 0)}, TotalsFamily::Quote, o, false, 0, false);
    EXPECT_DOUBLE_EQ(t.stamp, 2);
    EXPECT_FALSE(t.stampVirtualSet);
    // Option off: the typed amount is kept and counted.
    o.stampDuty = false;
    t = DocumentTotals::compute({R(1, 10, 0, 0)}, TotalsFamily::Invoice, o, false, 1.5, false);
    EXPECT_DOUBLE_EQ(t.total, 11.5);

    // Withholding: 20% of the rounded taxable, only with option and flag.
    o.withholding = true;
    t = DocumentTotals::compute({R(1, 100.025, 0, 22)}, TotalsFamily::Invoice, o, true, 0, false);
    EXPECT_DOUBLE_EQ(t.taxable, 100.03);
    EXPECT_DOUBLE_EQ(t.withholding, 20.01);
    EXPECT_DOUBLE_EQ(t.total, 100.03 + 22.01 - 20.01);
    t = DocumentTotals::compute({R(1, 100)}, TotalsFamily::Invoice, o, false, 0, false);
    EXPECT_DOUBLE_EQ(t.withholding, 0);
    // Orders never withhold; their total adds the stamp.
    t = DocumentTotals::compute({R(1, 100)}, TotalsFamily::CustomerOrder, o, true, 2, false);
    EXPECT_DOUBLE_EQ(t.withholding, 0);
    EXPECT_DOUBLE_EQ(t.total, 124);
}

TEST(Totals, ImportedCreditNoteUsesPlainSums) {
    // Taxable 1.0049 and VAT 0.10049: the plain sums round the whole total
    // (1.11), the reference adds the rounded parts (1.10).
    const Totals t = DocumentTotals::computeImported({R(1, 1.0049, 0, 10)});
    EXPECT_DOUBLE_EQ(t.taxable, 1.0);
    EXPECT_DOUBLE_EQ(t.vat, 0.1);
    EXPECT_DOUBLE_EQ(t.total, 1.11);
    DocumentOptions o;
    EXPECT_DOUBLE_EQ(
        DocumentTotals::compute({R(1, 1.0049, 0, 10)}, TotalsFamily::CreditNote, o, false, 0, false)
            .total,
        1.1);
}

TEST(Totals, SavedRowsUpdateTheHeader) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        fixture::setOption(d, "MarcaDaBolloDocumenti", true);
        fixture::setOption(d, "RitenutaAcconto", true);
        const qint64 c = fixture::customer(d, "Rossi", "01234567890");
        const qint64 id = fixture::document(d, DocumentKind::CustomerInvoice, c, QDate(2025, 3, 1));
        EXPECT_TRUE(fixture::header(d, id).boolean("RitAccontoAziende"));
        fixture::row(d, DocumentKind::CustomerInvoice, id, 3, 10, 10, 22);
        fixture::row(d, DocumentKind::CustomerInvoice, id, 2, 30, 0, 10);
        db::Row h = fixture::header(d, id);
        EXPECT_DOUBLE_EQ(h.number("TotImponibile"), 87.0);
        EXPECT_DOUBLE_EQ(h.number("TotImposta"), 11.94);
        EXPECT_DOUBLE_EQ(h.number("RitenutaAcconto"), 17.4);
        // Everything is subject to VAT: no stamp duty.
        EXPECT_DOUBLE_EQ(h.number("ImportoMarcaBollo"), 0);
        EXPECT_DOUBLE_EQ(h.number("TotFattura"), 87 + 11.94 - 17.4);
        // An exempt row above the limit brings it.
        fixture::row(d, DocumentKind::CustomerInvoice, id, 1, 100, 0, 0);
        h = fixture::header(d, id);
        EXPECT_DOUBLE_EQ(h.number("ImportoMarcaBollo"), 2);
        EXPECT_TRUE(h.boolean("MarcaBolloVirtuale"));
    }
}
