#include "accounting/VatRegisters.h"

#include "AccountingFixture.h"

#include <gtest/gtest.h>

using namespace accounting;
using namespace fixture;

TEST(VatRegisters, DatesAreRequiredInOneYear) {
    EXPECT_EQ(VatRegisters::checkDates({}, QDate(2025, 1, 1))->text,
              "Attenzione E' necessario definire la data di inizio...");
    EXPECT_EQ(VatRegisters::checkDates(QDate(2025, 1, 1), {})->text,
              "Attenzione E' necessario definire la data di fine...");
    const auto f = VatRegisters::checkDates(QDate(2024, 12, 1), QDate(2025, 1, 31));
    ASSERT_TRUE(f);
    EXPECT_EQ(f->title, "Messaggio di avviso!!");
    EXPECT_TRUE(f->text.contains("stesso anno"));
}

TEST(VatRegisters, RowsWithoutAccountStopThePrintAndNameTheirDocuments) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& db = a.db();
        const qint64 ok = supplierDocument(db, false, QDate(2025, 2, 1), QDate(2025, 2, 1), "10");
        supplierRow(db, false, ok, 100, vat::standard, 3);
        const qint64 bad = supplierDocument(db, false, QDate(2025, 3, 30), QDate(2025, 4, 2),
                                            "FT/77", "Marmi Rossi");
        supplierRow(db, false, bad, 100, vat::standard, 3);
        supplierRow(db, false, bad, 50, vat::standard, QVariant());
        supplierRow(db, false, bad, 20, vat::reduced, 0);
        const QDate from(2025, 1, 1), to(2025, 12, 31);
        auto f = VatRegisters::prepare(db, RegisterKind::Purchases, from, to);
        ASSERT_TRUE(f);
        EXPECT_EQ(f->text, "Le seguenti fatture hanno alcune righe senza collegato il conto di "
                           "riferimento ! Prego verificare e correggere prima di andare avanti:\n"
                           "Data Registrazione:02/04/2025  Numero:FT/77  Fornitore:Marmi Rossi\n");
        EXPECT_EQ(db.scalar("select count(*) from TempContabilitaRegistroAcquisti").toInt(), 0);
        // Outside the period the row does not block.
        EXPECT_FALSE(VatRegisters::prepare(db, RegisterKind::Purchases, from, QDate(2025, 3, 31)));

        db.exec("update Movimenti set ContabilitaConti_ID = 4");
        const qint64 nc = customerDocument(db, true, QDate(2025, 5, 5), false, 3, "Verdi Anna");
        customerRow(db, true, nc, 1, 10, 0, vat::standard, QVariant());
        f = VatRegisters::prepare(db, RegisterKind::Sales, from, to);
        ASSERT_TRUE(f);
        EXPECT_TRUE(f->text.startsWith("Le seguenti Note di Credito hanno"));
        EXPECT_TRUE(f->text.endsWith("Data :05/05/2025  Numero:3  Cliente:Verdi Anna\n"));

        // A purchase dated in March and registered in April is in quarter 2.
        ASSERT_FALSE(VatRegisters::prepare(db, RegisterKind::Purchases, from, to));
        const Register r = VatRegisters::read(db, RegisterKind::Purchases);
        ASSERT_EQ(r.lines.size(), 3); // the late invoice's rows: one line per code
        EXPECT_EQ(r.lines[0].quarter, 1);
        EXPECT_EQ(r.lines[1].quarter, 2);
        EXPECT_EQ(r.lines[1].documentId, bad);
        EXPECT_DOUBLE_EQ(r.quarters[1].taxable, 170);
        EXPECT_DOUBLE_EQ(r.quarters[1].vat, 35);
        EXPECT_DOUBLE_EQ(r.quarters[1].total, 205);
        EXPECT_DOUBLE_EQ(r.quarters[3].total, 0);
    }
}

TEST(VatRegisters, EachWorkstationHasItsOwnRows) {
    TestArchive a(db::Engine::SQLite);
    auto& db = a.db();
    const qint64 s = customerDocument(db, false, QDate(2025, 7, 1));
    customerRow(db, false, s, 1, 100, 0, vat::standard, 2);
    auto other = a.openAnother(QStringLiteral("ALTRO"));
    ASSERT_FALSE(
        VatRegisters::prepare(*other, RegisterKind::Sales, QDate(2025, 1, 1), QDate(2025, 12, 31)));
    ASSERT_FALSE(
        VatRegisters::prepare(db, RegisterKind::Sales, QDate(2025, 1, 1), QDate(2025, 3, 31)));
    EXPECT_EQ(VatRegisters::read(*other, RegisterKind::Sales).lines.size(), 1);
    EXPECT_EQ(VatRegisters::read(db, RegisterKind::Sales).lines.size(), 0);
}
