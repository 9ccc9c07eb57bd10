#pragma once

// Money arithmetic shared by every document. All amounts are doubles and
// every rounding of the system goes through round2.

namespace common {

// Rounds half away from zero to two decimals through a 64-bit integer step.
double round2(double amount);

// The largest amount a row, a document or an instalment may hold: up to it
// the archive's floating-point columns keep every cent exact.
inline constexpr double kLargestAmount = 99'999'999'999.99;
bool amountFits(double amount);

// Net amount of a document row: quantity × unit price with the discounts
// (percent) applied one after the other; discounts not above 0 are ignored.
double rowNet(bool round, double quantity, double unitPrice, double d1 = 0, double d2 = 0,
              double d3 = 0, double d4 = 0, double d5 = 0);
double rowNet4(bool round, double quantity, double unitPrice, double d1 = 0, double d2 = 0,
               double d3 = 0, double d4 = 0);

// VAT of a row: the net with four discounts times the rate (percent).
double rowVat(bool round, double quantity, double unitPrice, double d1, double d2, double d3,
              double d4, double vatRate);

// Amount taken off a row by its discounts: gross minus the row's net.
double rowDiscount(bool round, double quantity, double unitPrice, double d1 = 0, double d2 = 0,
                   double d3 = 0, double d4 = 0, double d5 = 0);

// Price including VAT of a net price with its discount (percent), rounded.
double grossPrice(double net, double vatRate, double discount = 0);

// Unit price (net, before discounts) that gives the total including VAT,
// rounded to four decimals. A discount of 100 or more cannot be reversed
// and gives 0.
double unitFromTotal(double quantity, double totalWithVat, double vatRate, double d1 = 0,
                     double d2 = 0, double d3 = 0, double d4 = 0);

} // namespace common
