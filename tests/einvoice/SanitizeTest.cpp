#include "QtPrinters.h"
#include "einvoice/ValueFormat.h"
#include "einvoice/XmlText.h"

#include <gtest/gtest.h>

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
              QStringLiteral("Dvorák Lódz fine"));
}

// Each amount in the decimals its schema type allows, rounded half away
// from zero; rates always with two.
// Composed before anything is dropped; other alphabets romanised.
TEST(Sanitize, LettersOfOtherAlphabetsKeepALatinForm) {
    EXPECT_EQ(xmlSafeText(QStringLiteral("Citta\u0300 e\u0301")), QStringLiteral("Città é"));
    EXPECT_EQ(xmlSafeText(QStringLiteral("Łucja Wałęsa")), QStringLiteral("Lucja Walesa"));
    EXPECT_EQ(xmlSafeText(QStringLiteral("Γιώργος Παπαδόπουλος, Αθήνα")),
              QStringLiteral("Giorgos Papadopoulos, Athina"));
    EXPECT_EQ(xmlSafeText(QStringLiteral("ΟΥΡΑΝΟΣ Θεσσαλονίκη")),
              QStringLiteral("OURANOS Thessaloniki"));
    EXPECT_EQ(xmlSafeText(QStringLiteral("Ирина Шевченко, Щукино, Юрий")),
              QStringLiteral("Irina Shevchenko, Shchukino, Yurij"));
    EXPECT_EQ(xmlSafeText(QStringLiteral("\U0001F642")), QString());
}

TEST(Sanitize, AmountsFitTheirSchemaType) {
    using namespace einvoice;
    EXPECT_EQ(xmlAmount2(0), QStringLiteral("0.00"));
    EXPECT_EQ(xmlAmount2(-12.5), QStringLiteral("-12.50"));
    EXPECT_EQ(xmlAmount2(0.1 + 0.2), QStringLiteral("0.30"));
    EXPECT_EQ(xmlAmount2(0.125), QStringLiteral("0.13"));
    EXPECT_EQ(xmlAmount2(-0.001), QStringLiteral("0.00"));
    EXPECT_EQ(xmlAmount8(2.5), QStringLiteral("2.50"));
    EXPECT_EQ(xmlAmount8(1234567.125), QStringLiteral("1234567.125"));
    EXPECT_EQ(xmlAmount8(33.333333333333), QStringLiteral("33.33333333"));
    EXPECT_EQ(xmlAmount8(-0.123456789), QStringLiteral("-0.12345679"));
    EXPECT_EQ(xmlRate(22), QStringLiteral("22.00"));
    EXPECT_EQ(xmlRate(12.3456), QStringLiteral("12.35"));
    EXPECT_TRUE(fitsTwoDecimals(10.5));
    EXPECT_TRUE(fitsTwoDecimals(0.1 + 0.2));
    EXPECT_FALSE(fitsTwoDecimals(17.065));
    EXPECT_EQ(xmlCounter(123456), QStringLiteral("1234"));
    EXPECT_EQ(localeNumber(67.5), QStringLiteral("67,5"));
}
