#include "einvoice/SdiChecks.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using einvoice::LineValues;
using einvoice::SdiChecks;
using einvoice::SummaryGroup;

namespace {

LineValues line(qint64 n, double qty, double price, double discount, double total, double rate,
                const QString& nature = QString()) {
    LineValues l;
    l.number = n;
    l.hasQuantity = true;
    l.quantity = qty;
    l.unitPrice = price;
    l.discount = discount;
    l.discountAsPercent = true;
    l.total = total;
    l.rate = rate;
    l.nature = nature;
    return l;
}

QStringList codes(const QStringList& problems) {
    QStringList out;
    for (const QString& p : problems)
        out << p.mid(7, 5);
    return out;
}

} // namespace

TEST(SdiChecks, ConsistentDocumentPasses) {
    const std::vector<LineValues> lines{line(1, 3, 25, 10, 67.5, 22),
                                        line(2, 1, 10, 0, 10, 0, "N4"),
                                        line(3, 3, 0.333, 0, 1.0, 22)};
    const std::vector<SummaryGroup> groups{{0, "N4", 10, 0}, {22, "", 68.5, 15.07}};
    EXPECT_EQ(SdiChecks::problems(lines, groups), QStringList());
}

// Each control fires on its own fault, with the row or rate named.
TEST(SdiChecks, EachControlReportsItsCode) {
    const std::vector<LineValues> lines{line(1, 2, 10, 0, 25, 22), // 00423: 2 × 10 is not 25
                                        line(2, 1, 5, 0, 5, 0),    // 00400: rate 0 without nature
                                        line(3, 1, 5, 0, 5, 0, "N2"), // 00445: generic nature
                                        line(4, 1, 5, 0, 5, 10)};     // 00419: no summary for 10%
    const std::vector<SummaryGroup> groups{{0, "", 5, 0},             // 00429
                                           {0, "N2", 5, 0},           // 00445
                                           {22, "N4", 25, 7.00}};     // 00421 (5.50 due) and 00430
    const QStringList problems = SdiChecks::problems(lines, groups);
    EXPECT_EQ(codes(problems),
              QStringList({"00423", "00400", "00445", "00419", "00429", "00445", "00421", "00430"}))
        << problems.join('\n').toStdString();
    EXPECT_TRUE(problems[0].contains("riga 1"));
    EXPECT_TRUE(problems[6].contains("22,00%"));
}

// Taxable per rate: a summary more than one euro away from its rows.
TEST(SdiChecks, TaxablePerRateHasOneEuroTolerance) {
    const std::vector<LineValues> lines{line(1, 1, 100, 0, 100, 22)};
    EXPECT_EQ(SdiChecks::problems(lines, {{22, "", 100.99, 22.22}}), QStringList());
    EXPECT_EQ(codes(SdiChecks::problems(lines, {{22, "", 101.5, 22.33}})), QStringList({"00422"}));
}

// The recipient code must fit the format; N6 is not allowed with split payment.
TEST(SdiChecks, RecipientCodeAndSplitPayment) {
    const std::vector<LineValues> lines{line(1, 1, 100, 0, 100, 0, "N6.1")};
    const std::vector<SummaryGroup> groups{{0, "N6.1", 100, 0}};
    EXPECT_EQ(SdiChecks::problems(lines, groups, {"FPA12", "UFABCD"}), QStringList());
    EXPECT_EQ(codes(SdiChecks::problems(lines, groups, {"FPA12", "0000000"})),
              QStringList({"00427"}));
    EXPECT_EQ(codes(SdiChecks::problems(lines, groups, {"FPR12", "UFABCD"})),
              QStringList({"00427"}));
    EXPECT_EQ(codes(SdiChecks::problems(lines, groups, {"FPR12", "ABC1234", true})),
              QStringList({"00420"}));
}
