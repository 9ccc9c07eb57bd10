#include "common/Money.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <limits>

namespace common {

namespace {

// Truncates toward zero into a 64-bit signed integer; values beyond its
// range (never an amount the archive accepts) are kept as they are.
double truncateToInt64(double value) {
    if (std::isnan(value))
        return 0;
    if (std::fabs(value) >= 9.2e18)
        return value;
    return double(static_cast<std::int64_t>(value));
}

double applyDiscounts(double value, std::initializer_list<double> discounts) {
    for (double d : discounts) {
        if (d > 0) {
            value = value - 0.01 * value * d;
        }
    }
    return value;
}

// Rounds to four decimals the way a "#.0000" format followed by reading the
// text back does: the value is first taken to 15 significant digits, then
// rounded half away from zero on its decimal digits.
double roundTo4Decimals(double value) {
    if (value == 0 || !std::isfinite(value)) {
        return value;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.14e", std::fabs(value));
    // text is "d.dddddddddddddde±XX": 15 digits and an exponent.
    char digits[16];
    digits[0] = text[0];
    for (int i = 0; i < 14; ++i) {
        digits[i + 1] = text[i + 2];
    }
    const int exponent = std::atoi(text + 17);
    // Digits that stay in front of the fifth decimal.
    const int kept = exponent + 5;
    if (kept >= 15) {
        return value;
    }
    if (kept < 0) {
        return 0;
    }
    std::int64_t units = 0;
    for (int i = 0; i < kept; ++i) {
        units = units * 10 + (digits[i] - '0');
    }
    if (digits[kept] >= '5') {
        ++units;
    }
    const double result = static_cast<double>(units) / 10000.0;
    return value < 0 ? -result : result;
}

} // namespace

double round2(double amount) {
    double scaled = amount * std::pow(10.0, 2);
    if (scaled > 0) {
        scaled += 0.5;
    } else {
        scaled -= 0.5;
    }
    return truncateToInt64(scaled) / 100.0;
}

double grossPrice(double net, double vatRate, double discount) {
    double v = net;
    if (discount > 0)
        v -= 0.01 * v * discount;
    if (vatRate > 0)
        v += v * 0.01 * vatRate;
    return round2(v);
}

bool amountFits(double amount) {
    return std::isfinite(amount) && std::fabs(amount) <= kLargestAmount;
}

double rowNet(bool round, double quantity, double unitPrice, double d1, double d2, double d3,
              double d4, double d5) {
    if (unitPrice == 0 || quantity == 0) {
        return 0;
    }
    const double v = applyDiscounts(quantity * unitPrice, {d1, d2, d3, d4, d5});
    return round ? round2(v) : v;
}

double rowNet4(bool round, double quantity, double unitPrice, double d1, double d2, double d3,
               double d4) {
    return rowNet(round, quantity, unitPrice, d1, d2, d3, d4, 0);
}

double rowVat(bool round, double quantity, double unitPrice, double d1, double d2, double d3,
              double d4, double vatRate) {
    const double net = rowNet4(false, quantity, unitPrice, d1, d2, d3, d4);
    const double vat = vatRate > 0 ? 0.01 * net * vatRate : 0;
    return round ? round2(vat) : vat;
}

double rowDiscount(bool round, double quantity, double unitPrice, double d1, double d2, double d3,
                   double d4, double d5) {
    // With rounding, gross − discount equals the rounded net shown on the row.
    const double gross = quantity * unitPrice;
    const double net = rowNet(round, quantity, unitPrice, d1, d2, d3, d4, d5);
    const double discount = gross - net;
    return round ? round2(discount) : discount;
}

double unitFromTotal(double quantity, double totalWithVat, double vatRate, double d1, double d2,
                     double d3, double d4) {
    if (totalWithVat == 0 || quantity == 0) {
        return 0;
    }
    double u = totalWithVat / (1 + 0.01 * vatRate);
    for (double d : {d1, d2, d3, d4}) {
        if (d >= 100) {
            return 0;
        }
        if (d > 0) {
            u = u * 100 / (100 - d);
        }
    }
    u = u / quantity;
    return roundTo4Decimals(u);
}

} // namespace common
