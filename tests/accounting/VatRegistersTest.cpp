#include "accounting/VatRegisters.h"

#include "AccountingFixture.h"
#include "accounting/AccountHistory.h"
#include "accounting/AccountSituation.h"

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

TEST(AccountSituation, EverySourceOfTheAccountInOrder) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& db = a.db();
        const qint64 p = supplierDocument(db, false, QDate(2025, 3, 30), QDate(2025, 4, 2), "FT/9");
        supplierRow(db, false, p, 100, vat::standard, 7);
        supplierRow(db, false, p, 40, vat::standard, 8); // another account
        const qint64 s = customerDocument(db, false, QDate(2025, 5, 5), false, 12);
        customerRow(db, false, s, 2, 50, 10, vat::standard, 7);
        const qint64 nc = customerDocument(db, true, QDate(2025, 6, 1), false, 3);
        customerRow(db, true, nc, 1, 10, 0, vat::standard, 7);
        const qint64 in = movement(db, QDate(2025, 5, 9), 30, 0, false);
        const qint64 out = movement(db, QDate(2025, 5, 10), 0, 12.5, false);
        db.exec("update finanzia set ContabilitaConti_ID = 7 where ID in (?, ?)", {in, out});

        EXPECT_EQ(
            AccountSituation::prepare(db, QVariant(), QDate(2025, 1, 1), QDate(2025, 12, 31))->text,
            "Attenzione manca il conto da esaminare");
        ASSERT_FALSE(AccountSituation::prepare(db, 7, QDate(2025, 4, 1), QDate(2025, 12, 31)));
        const db::Result r = db.query("select * from TempContabilitaConto order by Tipologia, ID");
        ASSERT_EQ(r.size(), 5);
        EXPECT_EQ(r[0].text("DescrizioneTipologia"), "Fatture di Acquisto");
        EXPECT_EQ(r[0].text("NumeroDocumento"), "FT/9");
        EXPECT_DOUBLE_EQ(r[0].number("TotaleImponibile"), 100);
        EXPECT_EQ(r[1].text("NumeroDocumento"), "12");
        EXPECT_DOUBLE_EQ(r[1].number("TotaleImponibile"), 90);
        EXPECT_EQ(r[2].text("DescrizioneTipologia"), "Note di credito di Vendita");
        EXPECT_EQ(r[3].text("DescrizioneTipologia"), "Prima Nota in Dare");
        EXPECT_EQ(r[3].text("DescrizioneData"), "Dal 01/04/2025 al 31/12/2025");
        EXPECT_EQ(r[4].text("DescrizioneTipologia"), "Prima Nota in Avere");
        EXPECT_DOUBLE_EQ(r[4].number("TotaleImponibile"), 12.5);
    }
}

TEST(AccountHistory, RowsOfTheChosenAccountsOnly) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& db = a.db();
        const qint64 p = supplierDocument(db, false, QDate(2025, 2, 1), QDate(2025, 2, 3));
        supplierRow(db, false, p, 100, vat::standard, 7);
        const qint64 s = customerDocument(db, false, QDate(2025, 5, 5), false, 12);
        customerRow(db, false, s, 2, 50, 10, vat::standard, 7);
        customerRow(db, false, s, 1, 30, 0, vat::standard, 8);
        const qint64 nc = supplierDocument(db, true, QDate(2025, 6, 1), QDate(2025, 6, 1));
        supplierRow(db, true, nc, 20, vat::standard, 9);
        AccountHistory::add(db, 7);
        AccountHistory::add(db, 9);
        auto other = a.openAnother("ALTRA");
        AccountHistory::add(*other, 8);
        ASSERT_FALSE(AccountHistory::prepare(db, QDate(2025, 1, 1), QDate(2025, 12, 31)));
        const db::Result r = db.query("select * from tempStoriaContabilitaRighe where "
                                      "NomeComputer = ? order by ContabilitaConti_ID, "
                                      "TipologiaOperazione",
                                      {db.workstation()});
        ASSERT_EQ(r.size(), 3);
        EXPECT_EQ(r[0].text("TipologiaOperazione"), "Fatture di acquisto");
        EXPECT_EQ(r[1].text("TipologiaOperazione"), "Fatture di Vendita");
        EXPECT_DOUBLE_EQ(r[1].number("Imponibile"), 90);
        EXPECT_EQ(r[1].integer("DocumentoNumero"), 12);
        EXPECT_EQ(r[2].text("TipologiaOperazione"), "Note di Credito da Fornitori");
        AccountHistory::clear(db);
        EXPECT_EQ(db.scalar("select count(*) from tempStoriaContabilitaTestata").toInt(), 1)
            << "the other workstation keeps its choice";
    }
}
