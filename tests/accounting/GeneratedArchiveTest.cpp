#include "AccountingFixture.h"
#include "Reference.h"
#include "accounting/VatRegisters.h"
#include "accounting/VatSettlement.h"

#include <gtest/gtest.h>

using namespace accounting;

namespace {

constexpr int year = 2025;

// Every figure of a computed settlement against the reference of its period.
void expectSettlement(const Settlement& s, const reference::Archive& ref, const Period& p,
                      double expectedCarried) {
    const reference::Figures f = ref.settlement(p.from, p.to);
    long double sums[2][3] = {}; // taxable/non-taxable × kind: rounded lines summed
    long double vat[3] = {};
    int taxableLines = 0, nonTaxableLines = 0;
    for (auto it = f.byCode.begin(); it != f.byCode.end(); ++it) {
        const auto [kind, code] = it.key();
        const QString nature = ref.natures.value(code);
        const bool outside = nature == u"N2.1" || nature == u"N2.2";
        const double taxable = reference::cents(it.value().first);
        const double tax = outside ? 0 : reference::cents(it.value().second);
        const QList<SettlementLine>& lines = outside ? s.nonTaxable : s.lines;
        const SettlementLine* found = nullptr;
        for (const SettlementLine& l : lines)
            if (int(l.kind) == kind && l.vatId == code)
                found = &l;
        ASSERT_NE(found, nullptr) << "code " << code << " kind " << kind;
        EXPECT_DOUBLE_EQ(found->taxable, taxable) << "code " << code << " kind " << kind;
        EXPECT_DOUBLE_EQ(found->vat, tax) << "code " << code << " kind " << kind;
        sums[outside][kind] += taxable;
        if (!outside)
            vat[kind] += tax;
        ++(outside ? nonTaxableLines : taxableLines);
    }
    EXPECT_EQ(s.lines.size(), taxableLines);
    EXPECT_EQ(s.nonTaxable.size(), nonTaxableLines);
    EXPECT_DOUBLE_EQ(s.purchasesTaxable, reference::cents(sums[0][0]));
    EXPECT_DOUBLE_EQ(s.salesTaxable, reference::cents(sums[0][1]));
    EXPECT_DOUBLE_EQ(s.takingsTaxable, reference::cents(sums[0][2]));
    EXPECT_DOUBLE_EQ(s.purchasesNonTaxable, reference::cents(sums[1][0]));
    EXPECT_DOUBLE_EQ(s.salesNonTaxable, reference::cents(sums[1][1]));
    EXPECT_DOUBLE_EQ(s.takingsNonTaxable, reference::cents(sums[1][2]));
    EXPECT_DOUBLE_EQ(s.purchasesVat, reference::cents(vat[0]));
    EXPECT_DOUBLE_EQ(s.salesVat, reference::cents(vat[1]));
    EXPECT_DOUBLE_EQ(s.takingsVat, reference::cents(vat[2]));
    EXPECT_DOUBLE_EQ(s.debit, reference::cents(vat[1] + vat[2]));
    EXPECT_DOUBLE_EQ(s.credit, reference::cents(vat[0]));
    EXPECT_DOUBLE_EQ(s.carried, expectedCarried);
}

void expectRegister(db::Database& db, const reference::Archive& ref, RegisterKind kind) {
    const bool purchases = kind == RegisterKind::Purchases;
    const QDate from(year, 1, 1), to(year, 12, 31);
    ASSERT_FALSE(VatRegisters::prepare(db, kind, from, to));
    const Register r = VatRegisters::read(db, kind);
    const auto expected = ref.registerLines(purchases, from, to);
    ASSERT_EQ(r.lines.size(), expected.size());
    long double quarterTaxable[5] = {}, quarterVat[5] = {};
    for (const RegisterLine& l : r.lines) {
        const auto key = std::make_tuple(l.quarter, l.documentId, l.vatId, l.account);
        ASSERT_TRUE(expected.contains(key)) << "document " << l.documentId;
        const auto [taxable, vat] = expected.value(key);
        EXPECT_NEAR(l.taxable, double(taxable), 1e-6);
        EXPECT_NEAR(l.vat, double(vat), 1e-6);
        EXPECT_NEAR(l.total, double(taxable + vat), 1e-6);
        quarterTaxable[l.quarter] += taxable;
        quarterVat[l.quarter] += vat;
    }
    ASSERT_EQ(r.quarters.size(), 4);
    for (const QuarterTotal& q : r.quarters) {
        EXPECT_DOUBLE_EQ(q.taxable, reference::cents(quarterTaxable[q.quarter]));
        EXPECT_DOUBLE_EQ(q.vat, reference::cents(quarterVat[q.quarter]));
    }
    EXPECT_EQ(r.quarters[2].description, purchases ? " Terzo Trimestre " : " terzo Trimestre ");
}

// The register of a quarter, summed per code, gives the settlement's rows
// (sales without the split-payment invoices the settlement leaves out).
void expectAgreement(db::Database& db, const reference::Archive& ref, RegisterKind kind,
                     const Settlement& s, int quarter) {
    const bool purchases = kind == RegisterKind::Purchases;
    ASSERT_FALSE(VatRegisters::prepare(db, kind, QDate(year, 1, 1), QDate(year, 12, 31)));
    QMap<qint64, std::pair<long double, long double>> byCode;
    for (const RegisterLine& l : VatRegisters::read(db, kind).lines) {
        if (l.quarter != quarter || (!purchases && ref.headers[l.documentId].split))
            continue;
        byCode[l.vatId].first += l.taxable;
        byCode[l.vatId].second += l.vat;
    }
    const LineKind lineKind = purchases ? LineKind::Purchases : LineKind::Sales;
    int compared = 0;
    for (const QList<SettlementLine>* lines : {&s.lines, &s.nonTaxable})
        for (const SettlementLine& l : *lines) {
            if (l.kind != lineKind)
                continue;
            EXPECT_DOUBLE_EQ(reference::cents(byCode.value(l.vatId).first), l.taxable);
            if (lines == &s.lines)
                EXPECT_DOUBLE_EQ(reference::cents(byCode.value(l.vatId).second), l.vat);
            ++compared;
        }
    EXPECT_EQ(compared, byCode.size());
}

} // namespace

TEST(GeneratedArchive, SettlementsAndRegistersMatchAnIndependentReckoning) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        auto& db = a.db();
        fixture::generate(db, year, 20251, 400);
        const reference::Archive ref(db);
        ASSERT_GT(ref.customerInvoiceRows.size(), 200);

        double carried = 0;
        for (int q = 1; q <= 4; ++q) {
            SCOPED_TRACE(q);
            const Settlement s = VatSettlement::calculatePeriod(db, Frequency::Quarterly, year, q);
            expectSettlement(s, ref, periodOf(Frequency::Quarterly, year, q), carried);
            const double left = reference::cents((long double)s.credit + s.carried - s.debit);
            carried = left > 0 ? left : 0;
            expectAgreement(db, ref, RegisterKind::Purchases, s, q);
            expectAgreement(db, ref, RegisterKind::Sales, s, q);
        }
        double monthCarried = 0;
        for (int m = 1; m <= 12; ++m) {
            SCOPED_TRACE(m);
            const Settlement s = VatSettlement::calculatePeriod(db, Frequency::Monthly, year, m);
            expectSettlement(s, ref, periodOf(Frequency::Monthly, year, m), monthCarried);
            const double left = reference::cents((long double)s.credit + s.carried - s.debit);
            monthCarried = left > 0 ? left : 0;
        }
        expectRegister(db, ref, RegisterKind::Purchases);
        expectRegister(db, ref, RegisterKind::Sales);
    }
}
