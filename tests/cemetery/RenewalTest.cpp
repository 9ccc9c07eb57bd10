#include "cemetery/Renewal.h"

#include "ContractFixture.h"
#include "cemetery/ContractRules.h"

#include <gtest/gtest.h>

using cemetery::ContractRules;
using cemetery::Renewal;
using namespace contractFixture;

TEST(Renewal, CopiesTheYearsRowsOnceAtTodaysPrices) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 rossi = customer(d, "Rossi");
        const qint64 lamp = article(d, "LV", 30);
        const qint64 c = contract(d, 1, QDate(2024, 5, 1), rossi);
        // Two lamps paid and invoiced in 2026, a free row, and an old row.
        const qint64 lampRow = ContractRules::addArticles(d, c, {lamp}, kToday).first();
        d.exec("update ContrattiRighe set Um = 2, Descrizione = 'Luce votiva loculo 12', "
               "DataPagamento = ?, Pagato = true, Fatturato = true, Fattura_ID = 5 where IDX = ?",
               {QDate(2026, 2, 1), lampRow});
        const qint64 free = ContractRules::addFreeRow(d, c, kToday);
        d.exec("update ContrattiRighe set ValoreUnitario = 80, ValoreTotale = 97.6, "
               "DataInizioPeriodo = ?, DataFinePeriodo = ? where IDX = ?",
               {QDate(2026, 7, 1), QDate(2026, 12, 31), free});
        d.insert("ContrattiRighe", {{"Testata_ID", c},
                                    {"Descrizione", "Vecchio canone"},
                                    {"DataInizioPeriodo", QDate(2025, 1, 1)},
                                    {"DataFinePeriodo", QDate(2025, 12, 31)}});
        // A closed contract is not renewed by the yearly run.
        const qint64 ended = contract(d, 2, QDate(2024, 5, 1), rossi);
        ContractRules::addArticles(d, ended, {lamp}, kToday);
        d.exec("update ContrattiRighe set Chiuso = true where Testata_ID = ?", {ended});
        ContractRules::recomputeClosed(d, ended);
        // The price list changed since.
        d.exec("update prezziar set Prezzo = 35 where Id = ?", {lamp});

        const Renewal::Outcome first = Renewal::renewAll(d, 2026, kToday);
        EXPECT_EQ(first.contracts, 1);
        EXPECT_EQ(first.rows, 2);
        const db::Result renewed = d.query(
            "select * from ContrattiRighe where Testata_ID = ? and DataFinePeriodo > ? order by "
            "DataInizioPeriodo",
            {c, QDate(2026, 12, 31)});
        ASSERT_EQ(renewed.size(), 2u);
        const db::Row& l = renewed[0];
        EXPECT_EQ(l.integer("Articolo_ID"), lamp);
        EXPECT_EQ(l.text("Descrizione"), "Luce votiva loculo 12");
        EXPECT_DOUBLE_EQ(l.number("Um"), 2);
        EXPECT_DOUBLE_EQ(l.number("ValoreUnitario"), 35);
        EXPECT_DOUBLE_EQ(l.number("ValoreTotale"), 85.4);
        EXPECT_EQ(l.date("DataInizioPeriodo"), QDate(2027, 1, 1));
        EXPECT_EQ(l.date("DataFinePeriodo"), QDate(2027, 12, 31));
        EXPECT_TRUE(l.isNull("DataPagamento"));
        EXPECT_FALSE(l.boolean("Pagato"));
        EXPECT_FALSE(l.boolean("Fatturato"));
        EXPECT_EQ(l.integer("Fattura_ID"), 0);
        EXPECT_FALSE(l.boolean("Chiuso"));
        const db::Row& f = renewed[1];
        EXPECT_EQ(f.text("Descrizione"), "Articolo da inserire");
        EXPECT_DOUBLE_EQ(f.number("ValoreUnitario"), 80);
        EXPECT_EQ(f.date("DataInizioPeriodo"), QDate(2027, 7, 1));

        // Twice for the same year: nothing more.
        const Renewal::Outcome second = Renewal::renewAll(d, 2026, kToday);
        EXPECT_EQ(second.rows, 0);
        EXPECT_EQ(count(d, "select count(*) from ContrattiRighe where Testata_ID = ?", {c}), 5);

        // The closed contract renews on request, and reopens.
        EXPECT_EQ(Renewal::lastYear(d, ended), 2026);
        EXPECT_EQ(Renewal::renewContract(d, ended, 2026, kToday), 1);
        EXPECT_EQ(Renewal::renewContract(d, ended, 2026, kToday), 0);
        EXPECT_FALSE(closed(d, ended));
        EXPECT_EQ(Renewal::lastYear(d, ended), 2027);
    }
}
