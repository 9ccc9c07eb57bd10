#include "QtPrinters.h"
#include "einvoice/ValueFormat.h"
#include "einvoice/XmlText.h"

#include <gtest/gtest.h>

using einvoice::xmlAmount;
using einvoice::xmlSafeText;

// What the schema rejects is replaced or dropped; Italian text is kept.
TEST(Sanitize, TextOutsideLatin1IsMadeSafe) {
    EXPECT_EQ(xmlSafeText(QStringLiteral("Perché è così già più")),
              QStringLiteral("Perché è così già più"));
    EXPECT_EQ(xmlSafeText(QStringLiteral("\u201CLoculo\u201D dell\u2019ala \u2013 nord\u2026")),
              QStringLiteral("\"Loculo\" dell'ala - nord..."));
    EXPECT_EQ(xmlSafeText(QStringLiteral("Totale 10 \u20AC")), QStringLiteral("Totale 10 EUR"));
    EXPECT_EQ(xmlSafeText(QStringLiteral("Fiori \U0001F339 rossi")),
              QStringLiteral("Fiori  rossi"));
    EXPECT_EQ(xmlSafeText(QStringLiteral("a\u0001b\u0007c\u0085d")), QStringLiteral("abcd"));
    EXPECT_EQ(xmlSafeText(QStringLiteral("riga 1\r\nriga 2\tfine")),
              QStringLiteral("riga 1\r\nriga 2\tfine"));
    EXPECT_EQ(xmlSafeText(QStringLiteral("Dvořák Łódź \uFB01ne\u200B")),
              QStringLiteral("Dvorák ódz fine"));
}

TEST(Sanitize, AmountsKeepTheirDecimalsAndAreCut) {
    EXPECT_EQ(xmlAmount(0, 15), QStringLiteral("0.00"));
    EXPECT_EQ(xmlAmount(22, 6), QStringLiteral("22.00"));
    EXPECT_EQ(xmlAmount(2.5, 21), QStringLiteral("2.50"));
    EXPECT_EQ(xmlAmount(-12.5, 15), QStringLiteral("-12.50"));
    EXPECT_EQ(xmlAmount(1.234, 15), QStringLiteral("1.234"));
    EXPECT_EQ(xmlAmount(0.1 + 0.2, 15), QStringLiteral("0.30"));
    EXPECT_EQ(xmlAmount(1234567.125, 15), QStringLiteral("1234567.125"));
    // Cut to the length, a dangling point removed.
    EXPECT_EQ(xmlAmount(33.333333333333, 6), QStringLiteral("33.333"));
    EXPECT_EQ(xmlAmount(123456.5, 6), QStringLiteral("123456"));
    EXPECT_EQ(einvoice::xmlCounter(123456), QStringLiteral("1234"));
    EXPECT_EQ(einvoice::localeNumber(67.5), QStringLiteral("67,5"));
}
