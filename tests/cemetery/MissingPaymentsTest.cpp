#include "cemetery/MissingPayments.h"

#include "ContractFixture.h"

#include <gtest/gtest.h>

using cemetery::MissingPayments;
using namespace contractFixture;

namespace {

void paidRow(db::Database& d, qint64 contractId, const QVariant& paid) {
    d.insert("ContrattiRighe", {{"Testata_ID", contractId},
                                {"Descrizione", "Canone"},
                                {"DataPagamento", paid},
                                {"Pagato", !paid.isNull()}});
}

} // namespace

TEST(MissingPayments, ListsCustomersWithoutAPaymentThisYear) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        // Only contract without rows: listed with no date.
        const qint64 empty = customer(d, "Senza righe");
        contract(d, 1, QDate(2026, 2, 1), empty);
        // Paid this year on one contract, last year on another: not listed.
        const qint64 paid = customer(d, "Pagato");
        paidRow(d, contract(d, 2, QDate(2024, 1, 1), paid), QDate(2025, 3, 1));
        paidRow(d, contract(d, 3, QDate(2025, 1, 1), paid), QDate(2026, 1, 15));
        // Last paid in 2025, with an unpaid row too: listed with 2025.
        const qint64 late = customer(d, "In ritardo");
        const qint64 lateContract = contract(d, 4, QDate(2023, 1, 1), late);
        paidRow(d, lateContract, QVariant());
        paidRow(d, lateContract, QDate(2025, 11, 30));
        paidRow(d, lateContract, QDate(2024, 11, 30));
        // No contract, or cancelled: not listed.
        customer(d, "Nessun contratto");
        paidRow(d, contract(d, 5, QDate(2023, 1, 1), customer(d, "Annullato", true)), QVariant());
        // Another workstation's run is left alone.
        d.insert("TempPagamentiMancanti", {{"Cliente_ID", 999}, {"NomeComputer", "ALTRO"}});
        d.insert("TempPagamentiMancanti", {{"Cliente_ID", 998}, {"NomeComputer", d.workstation()}});

        EXPECT_EQ(MissingPayments::run(d, kToday), 2);
        const db::Result rows =
            d.query("select * from TempPagamentiMancanti where NomeComputer = ? order by "
                    "ContrattoNumero",
                    {d.workstation()});
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0].integer("Cliente_ID"), empty);
        EXPECT_TRUE(rows[0].isNull("UltimaDataPagamento"));
        EXPECT_EQ(rows[0].integer("ContrattoNumero"), 1);
        EXPECT_EQ(rows[1].integer("Cliente_ID"), late);
        EXPECT_EQ(rows[1].date("UltimaDataPagamento"), QDate(2025, 11, 30));
        EXPECT_EQ(rows[1].integer("ContrattoNumero"), 4);
        EXPECT_EQ(
            count(d, "select count(*) from TempPagamentiMancanti where NomeComputer = 'ALTRO'"), 1);

        // Nothing missing: the run lists nobody and clears the earlier list.
        d.exec("update ContrattiRighe set DataPagamento = ?", {kToday});
        d.insert("ContrattiRighe", {{"Testata_ID", d.scalar("select Id from ContrattiTestata "
                                                            "where Numero = 1")},
                                    {"DataPagamento", kToday}});
        EXPECT_EQ(MissingPayments::run(d, kToday), 0);
        EXPECT_EQ(count(d, "select count(*) from TempPagamentiMancanti where NomeComputer = ?",
                        {d.workstation()}),
                  0);
    }
}
