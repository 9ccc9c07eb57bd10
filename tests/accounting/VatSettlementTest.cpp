#include "accounting/VatSettlement.h"

#include "AccountingFixture.h"
#include "common/ScriptedInteraction.h"

#include <gtest/gtest.h>

using namespace accounting;
using namespace fixture;

namespace {

const SettlementLine* find(const QList<SettlementLine>& lines, LineKind kind, qint64 code) {
    for (const SettlementLine& l : lines)
        if (l.kind == kind && l.vatId == code)
            return &l;
    return nullptr;
}

} // namespace

TEST(VatSettlement, PeriodBoundariesSplitPaymentNatureAndNegativeRows) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        auto& db = a.db();
        // Dated in March, registered in April: a second-quarter purchase.
        qint64 late = supplierDocument(db, false, QDate(2025, 3, 28), QDate(2025, 4, 2));
        supplierRow(db, false, late, 500, vat::standard);
        qint64 p = supplierDocument(db, false, QDate(2025, 2, 1), QDate(2025, 2, 3));
        supplierRow(db, false, p, 100, vat::standard);
        supplierRow(db, false, p, -10, vat::standard); // a discount line: no negative VAT
        supplierRow(db, false, p, 40, vat::outside);
        // A supplier credit note of a code with no invoice row in the period.
        qint64 nc = supplierDocument(db, true, QDate(2025, 3, 1), QDate(2025, 3, 1));
        supplierRow(db, true, nc, 30, vat::reduced);
        qint64 s = customerDocument(db, false, QDate(2025, 3, 31));
        customerRow(db, false, s, 2, 50, 10, vat::standard); // 90
        customerRow(db, false, s, 1, 70, 0, vat::flatRate);
        qint64 split = customerDocument(db, false, QDate(2025, 1, 10), true, 2);
        customerRow(db, false, split, 1, 1000, 0, vat::standard);
        movement(db, QDate(2025, 1, 5), 122, 0, true, vat::standard);
        movement(db, QDate(2025, 1, 6), 50, 0, true, vat::outside);
        movement(db, QDate(2025, 1, 7), 999, 0, false); // not takings

        const Settlement q1 = VatSettlement::calculatePeriod(db, Frequency::Quarterly, 2025, 1);
        EXPECT_DOUBLE_EQ(q1.purchasesTaxable, 60); // 100 - 10 (22%) and -30 (10%)
        EXPECT_DOUBLE_EQ(q1.purchasesVat, 22 - 3);
        ASSERT_NE(find(q1.lines, LineKind::Purchases, vat::reduced), nullptr);
        EXPECT_DOUBLE_EQ(find(q1.lines, LineKind::Purchases, vat::reduced)->taxable, -30);
        EXPECT_DOUBLE_EQ(q1.salesTaxable, 90);
        EXPECT_DOUBLE_EQ(q1.salesVat, 19.8);
        EXPECT_DOUBLE_EQ(q1.takingsTaxable, 100);
        EXPECT_DOUBLE_EQ(q1.takingsVat, 22);
        EXPECT_DOUBLE_EQ(q1.debit, 41.8);
        EXPECT_DOUBLE_EQ(q1.credit, 19);
        EXPECT_DOUBLE_EQ(q1.result(), 22.8);
        // N2.1 and N2.2 only on the non-taxable pages.
        EXPECT_EQ(find(q1.lines, LineKind::Purchases, vat::outside), nullptr);
        EXPECT_EQ(find(q1.lines, LineKind::Sales, vat::flatRate), nullptr);
        EXPECT_DOUBLE_EQ(q1.purchasesNonTaxable, 40);
        EXPECT_DOUBLE_EQ(q1.salesNonTaxable, 70);
        EXPECT_DOUBLE_EQ(q1.takingsNonTaxable, 50);

        const Settlement q2 = VatSettlement::calculatePeriod(db, Frequency::Quarterly, 2025, 2);
        EXPECT_DOUBLE_EQ(q2.purchasesTaxable, 500);
        EXPECT_DOUBLE_EQ(q2.carried, 0) << "Q1 had more debit than credit";
        EXPECT_DOUBLE_EQ(q2.result(), -110);

        // The stored settlement is what was computed; a second "Calcola"
        // replaces its rows instead of adding to them.
        VatSettlement::calculatePeriod(db, Frequency::Quarterly, 2025, 1);
        const Settlement stored = VatSettlement::load(db, Frequency::Quarterly, q1.id);
        EXPECT_DOUBLE_EQ(stored.debit, q1.debit);
        EXPECT_EQ(stored.lines.size(), q1.lines.size());
        EXPECT_EQ(stored.nonTaxable.size(), q1.nonTaxable.size());
        EXPECT_EQ(db.scalar("select count(*) from ContabilitaChiusuraIvaTrimestre").toInt(), 2);

        // The monthly settlement of April sees the late registration.
        const Settlement april = VatSettlement::calculatePeriod(db, Frequency::Monthly, 2025, 4);
        EXPECT_DOUBLE_EQ(april.purchasesVat, 110);
        EXPECT_EQ(db.scalar("select count(*) from ContabilitaChiusuraIvaMensileRighe").toInt(), 1);
    }
}

TEST(VatSettlement, CreditCarriedAcrossTheYear) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& db = a.db();
        qint64 p = supplierDocument(db, false, QDate(2024, 11, 3), QDate(2024, 11, 4));
        supplierRow(db, false, p, 1000, vat::standard); // credit 220
        qint64 s = customerDocument(db, false, QDate(2024, 12, 31));
        customerRow(db, false, s, 1, 500, 0, vat::standard); // debit 110
        const Settlement q4 = VatSettlement::calculatePeriod(db, Frequency::Quarterly, 2024, 4);
        EXPECT_DOUBLE_EQ(q4.result(), -110);
        // Quarter 1 reads quarter 4 of the year before.
        const Settlement q1 = VatSettlement::calculatePeriod(db, Frequency::Quarterly, 2025, 1);
        EXPECT_DOUBLE_EQ(q1.carried, 110);
        EXPECT_DOUBLE_EQ(q1.result(), -110);
        // The credit keeps travelling while nothing is owed.
        const Settlement q2 = VatSettlement::calculatePeriod(db, Frequency::Quarterly, 2025, 2);
        EXPECT_DOUBLE_EQ(q2.carried, 110);
        // January reads December of the year before; none stored carries 0.
        EXPECT_DOUBLE_EQ(VatSettlement::compute(db, Frequency::Monthly, 2025, 1).carried, 0);
        VatSettlement::calculatePeriod(db, Frequency::Monthly, 2024, 12);
        EXPECT_DOUBLE_EQ(VatSettlement::compute(db, Frequency::Monthly, 2025, 1).carried, 0)
            << "December alone has more debit than credit";
        VatSettlement::calculatePeriod(db, Frequency::Monthly, 2024, 11);
        EXPECT_DOUBLE_EQ(VatSettlement::compute(db, Frequency::Monthly, 2024, 12).carried, 220);
    }
}

TEST(VatSettlement, CardActionsAskCheckAndPropose) {
    TestArchive a(db::Engine::SQLite);
    auto& db = a.db();
    const qint64 first = VatSettlement::addNext(db, Frequency::Quarterly, 2026);
    EXPECT_EQ(
        db.scalar("select Trimestre from ContabilitaChiusuraIvaTrimestre where Id = ?", {first})
            .toInt(),
        1);
    db.exec("update ContabilitaChiusuraIvaTrimestre set Anno = 2025, Trimestre = 4, "
            "TotaleIvaCredito = 300, TotaleIvaDebito = 120 where Id = ?",
            {first});
    const qint64 next = VatSettlement::addNext(db, Frequency::Quarterly, 2026);
    const db::Row r =
        db.query("select * from ContabilitaChiusuraIvaTrimestre where Id = ?", {next}).first();
    EXPECT_EQ(r.integer("Anno"), 2026);
    EXPECT_EQ(r.integer("Trimestre"), 1);
    EXPECT_DOUBLE_EQ(r.number("CreditoResiduoTrimestrePassato"), 180);

    common::ScriptedInteraction no;
    no.answers.enqueue(false);
    EXPECT_FALSE(VatSettlement::calculate(db, no, Frequency::Quarterly, next, 2026, 1));
    EXPECT_EQ(no.messages.size(), 1);
    EXPECT_TRUE(no.messages[0].text.contains("ricalcolare questo Trimestre"));

    common::ScriptedInteraction yes;
    auto f = VatSettlement::calculate(db, yes, Frequency::Quarterly, next, "26", 1);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->text, "Attenzione E' necessario definire correttamente l'anno di calcolo...");
    EXPECT_EQ(f->title, "Messaggio di avviso!!");
    f = VatSettlement::calculate(db, yes, Frequency::Monthly, next, 2026, QVariant());
    ASSERT_TRUE(f);
    EXPECT_EQ(f->text, "Attenzione E' necessario definire il mese di calcolo...");
    EXPECT_FALSE(VatSettlement::calculate(db, yes, Frequency::Quarterly, next, 2026, 1));
    // Carried credit recomputed from the stored quarter 4 of 2025.
    EXPECT_DOUBLE_EQ(VatSettlement::load(db, Frequency::Quarterly, next).carried, 180);

    VatSettlement::remove(db, Frequency::Quarterly, next);
    EXPECT_EQ(db.scalar("select count(*) from ContabilitaChiusuraIvaTrimestre").toInt(), 1);
}
