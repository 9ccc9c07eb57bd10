#include "common/Money.h"

#include <gtest/gtest.h>
#include <limits>

using namespace common;

TEST(round2, HalvesGoAwayFromZero) {
    EXPECT_DOUBLE_EQ(round2(2.345), 2.35);
    EXPECT_DOUBLE_EQ(round2(-2.345), -2.35);
    EXPECT_DOUBLE_EQ(round2(0.005), 0.01);
    EXPECT_DOUBLE_EQ(round2(-0.005), -0.01);
    EXPECT_DOUBLE_EQ(round2(2.344), 2.34);
    EXPECT_DOUBLE_EQ(round2(-2.344), -2.34);
    EXPECT_DOUBLE_EQ(round2(0), 0);
}

TEST(round2, FollowsTheBinaryValueOfTheInput) {
    // 1.005 is stored slightly below 1.005.
    EXPECT_DOUBLE_EQ(round2(1.005), 1.00);
}

TEST(round2, LargeAmountsKeepTheirSignAndCents) {
    EXPECT_DOUBLE_EQ(round2(21474836.464), 21474836.46);
    EXPECT_DOUBLE_EQ(round2(-21474836.474), -21474836.47);
    // 1000 × 25.000,00 € with VAT: past the 32-bit range, never wrapped.
    EXPECT_DOUBLE_EQ(round2(1000 * 25000 * 1.22), 30500000.00);
    EXPECT_DOUBLE_EQ(round2(-98765432109.875), -98765432109.88);
    EXPECT_DOUBLE_EQ(round2(kLargestAmount), kLargestAmount);
    EXPECT_TRUE(amountFits(kLargestAmount));
    EXPECT_TRUE(amountFits(-kLargestAmount));
    EXPECT_FALSE(amountFits(kLargestAmount + 1));
    EXPECT_FALSE(amountFits(std::numeric_limits<double>::infinity()));
}

TEST(rowNet, DiscountsCompound) {
    EXPECT_DOUBLE_EQ(rowNet(true, 3, 10, 10, 10), 24.30);
    EXPECT_DOUBLE_EQ(rowNet(true, 1, 100, 10, 10, 10, 10, 10), 59.05);
    EXPECT_DOUBLE_EQ(rowNet4(true, 3, 10, 10, 10), 24.30);
}

TEST(rowNet, NegativeDiscountIgnoredAndFullDiscountGivesZero) {
    EXPECT_DOUBLE_EQ(rowNet(true, 3, 10, -10), 30);
    EXPECT_DOUBLE_EQ(rowNet(true, 3, 10, 100), 0);
    EXPECT_DOUBLE_EQ(rowNet(false, 3, 10, 20, 100, 5), 0);
}

TEST(rowNet, ZeroQuantityOrPriceGivesZero) {
    EXPECT_DOUBLE_EQ(rowNet(true, 0, 10), 0);
    EXPECT_DOUBLE_EQ(rowNet(true, 5, 0), 0);
}

TEST(rowNet, RoundFlagControlsRounding) {
    EXPECT_DOUBLE_EQ(rowNet(false, 1, 10.555), 10.555);
    EXPECT_DOUBLE_EQ(rowNet(false, 7, 1.23, 12.5), 7.53375);
    EXPECT_DOUBLE_EQ(rowNet(true, 7, 1.23, 12.5), 7.53);
    EXPECT_DOUBLE_EQ(rowNet(true, -2, 1.5, 10), -2.70);
}

TEST(rowNet, FifthDiscountOnlyInFiveDiscountForm) {
    EXPECT_DOUBLE_EQ(rowNet(true, 1, 100, 0, 0, 0, 0, 50), 50);
    EXPECT_DOUBLE_EQ(rowNet4(true, 1, 100, 0, 0, 0, 50), 50);
}

TEST(rowVat, RateAppliesToDiscountedNet) {
    EXPECT_DOUBLE_EQ(rowVat(true, 3, 10, 10, 10, 0, 0, 22), 5.35); // 24.30 × 22%
    EXPECT_DOUBLE_EQ(rowVat(false, 1, 100, 0, 0, 0, 0, 22), 22);
    EXPECT_DOUBLE_EQ(rowVat(true, 1, 0.05, 0, 0, 0, 0, 10), 0.01); // 0.005 rounds up
}

TEST(rowVat, ZeroOrNegativeRateGivesZero) {
    EXPECT_DOUBLE_EQ(rowVat(true, 3, 10, 0, 0, 0, 0, 0), 0);
    EXPECT_DOUBLE_EQ(rowVat(true, 3, 10, 0, 0, 0, 0, -4), 0);
}

TEST(rowDiscount, IsGrossMinusNet) {
    EXPECT_DOUBLE_EQ(rowDiscount(true, 3, 10, 10, 10), 5.70);
    EXPECT_DOUBLE_EQ(rowDiscount(true, 3, 10), 0);
    EXPECT_DOUBLE_EQ(rowDiscount(true, 2, 10, 100), 20);
    // Rounded discount and rounded net add up to the gross.
    const double gross = 7 * 1.23;
    EXPECT_NEAR(rowNet(true, 7, 1.23, 12.5) + rowDiscount(true, 7, 1.23, 12.5), gross, 1e-9);
}

TEST(unitFromTotal, ReversesVat) {
    EXPECT_DOUBLE_EQ(unitFromTotal(1, 122, 22), 100.0);
    EXPECT_DOUBLE_EQ(unitFromTotal(2, 122, 22), 50.0);
    EXPECT_DOUBLE_EQ(unitFromTotal(1, 100, 0), 100.0);
}

TEST(unitFromTotal, ReversesDiscountsAndRoundsToFourDecimals) {
    // 24.30 net after 10% + 10% on 3 units of 10, 22% VAT on top.
    EXPECT_DOUBLE_EQ(unitFromTotal(3, 29.646, 22, 10, 10), 10.0);
    EXPECT_DOUBLE_EQ(unitFromTotal(3, 100, 0), 33.3333);
    EXPECT_DOUBLE_EQ(unitFromTotal(3, 200, 0), 66.6667);
    EXPECT_DOUBLE_EQ(unitFromTotal(3, -200, 0), -66.6667);
    EXPECT_DOUBLE_EQ(unitFromTotal(1, 100, 0, -5), 100.0);
}

TEST(unitFromTotal, RoundsTheDecimalTextHalfAwayFromZero) {
    // 0.03125 is exact in binary; "#.0000" gives 0.0313, not banker's 0.0312.
    EXPECT_DOUBLE_EQ(unitFromTotal(32, 1, 0), 0.0313);
    EXPECT_DOUBLE_EQ(unitFromTotal(32, -1, 0), -0.0313);
    EXPECT_DOUBLE_EQ(unitFromTotal(1, 0.00004, 0), 0);
    EXPECT_DOUBLE_EQ(unitFromTotal(1, 0.00005, 0), 0.0001);
}

TEST(unitFromTotal, ZeroAndUnreversibleInputsGiveZero) {
    EXPECT_DOUBLE_EQ(unitFromTotal(0, 122, 22), 0);
    EXPECT_DOUBLE_EQ(unitFromTotal(1, 0, 22), 0);
    EXPECT_DOUBLE_EQ(unitFromTotal(1, 122, 22, 100), 0);
}
