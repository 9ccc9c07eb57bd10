#include "cemetery/ReceiptNumbering.h"

#include "ContractFixture.h"

#include <gtest/gtest.h>

using cemetery::ReceiptNumbering;
using namespace contractFixture;

TEST(ReceiptNumbering, RestartsEachYearWhateverTheContractDate) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 rossi = customer(d, "Rossi");
        const qint64 old = contract(d, 1, QDate(2019, 4, 1), rossi);
        const qint64 other = contract(d, 2, QDate(2025, 1, 1), rossi);
        const qint64 last = contract(d, 3, QDate(2025, 6, 1), rossi);

        EXPECT_EQ(ReceiptNumbering::next(d, 2025), 1);
        EXPECT_EQ(ReceiptNumbering::assign(d, other, QDate(2025, 12, 31)), 1);
        EXPECT_EQ(ReceiptNumbering::assign(d, last, QDate(2025, 1, 1)), 2);
        // A contract from 2019 starts the numbers of 2026.
        EXPECT_EQ(ReceiptNumbering::assign(d, old, QDate(2026, 1, 2)), 1);
        const db::Row row = d.query("select * from ContrattiTestata where Id = ?", {old}).first();
        EXPECT_EQ(row.integer("NumeroRicevuta"), 1);
        EXPECT_EQ(row.date("DataRicevuta"), QDate(2026, 1, 2));
        EXPECT_EQ(ReceiptNumbering::next(d, 2025), 3);

        // Asking again keeps the contract's own number when it is the last.
        EXPECT_EQ(ReceiptNumbering::assign(d, last, QDate(2025, 3, 1)), 2);
        // A receipt dated another year takes that year's sequence.
        EXPECT_EQ(ReceiptNumbering::assign(d, last, QDate(2026, 2, 1)), 2);
    }
}
