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

TEST(ReceiptNumbering, AReceiptAboutToPrintAlwaysHasItsNumberAndDate) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        const qint64 rossi = customer(d, "Rossi");
        const qint64 numbered = contract(d, 1, QDate(2026, 1, 5), rossi);
        const qint64 bare = contract(d, 2, QDate(2026, 2, 5), rossi);
        const qint64 dated = contract(d, 3, QDate(2026, 3, 5), rossi);
        ReceiptNumbering::assign(d, numbered, QDate(2026, 1, 10));
        d.exec("UPDATE ContrattiTestata SET DataRicevuta = ? where Id = ?",
               {QDate(2025, 12, 30), dated});

        const QDate today(2026, 12, 7);
        // Nothing set: the next number of the year, dated today.
        EXPECT_EQ(ReceiptNumbering::ensure(d, bare, today), std::make_pair(qint64(2), today));
        // A date typed before: the number counts for its year.
        EXPECT_EQ(ReceiptNumbering::ensure(d, dated, today),
                  std::make_pair(qint64(1), QDate(2025, 12, 30)));
        // Already numbered: kept, and asking again changes nothing.
        EXPECT_EQ(ReceiptNumbering::ensure(d, numbered, today),
                  std::make_pair(qint64(1), QDate(2026, 1, 10)));
        EXPECT_EQ(ReceiptNumbering::ensure(d, bare, today), std::make_pair(qint64(2), today));
        EXPECT_EQ(d.scalar("select NumeroRicevuta from ContrattiTestata where Id = ?", {bare})
                      .toLongLong(),
                  2);
    }
}
