#include "common/Fields.h"
#include "common/SqlText.h"
#include "common/TextForms.h"

#include <gtest/gtest.h>

using namespace common;

TEST(SqlText, QuoteDoublesEverySingleQuote) {
    EXPECT_EQ(sqlQuote(QStringLiteral("l'arco")), QStringLiteral("l''arco"));
    EXPECT_EQ(sqlQuote(QStringLiteral("'a''")), QStringLiteral("''a''''"));
    EXPECT_EQ(sqlQuote(QString()), QString());
}

TEST(SqlText, JetDateIsMonthDayYearWithoutLeadingZeros) {
    EXPECT_EQ(jetDate(QStringLiteral("01/12/2025")), QStringLiteral("12/1/2025"));
    EXPECT_EQ(jetDate(QStringLiteral("5/3/2026")), QStringLiteral("3/5/2026"));
    EXPECT_EQ(jetDate(QDate(2026, 11, 30)), QStringLiteral("11/30/2026"));
    EXPECT_EQ(jetDateEndOfDay(QDate(2026, 3, 1)), QStringLiteral("3/1/2026 23.59.59"));
}

TEST(SqlText, JetDateOfInvalidInputIsEmpty) {
    EXPECT_EQ(jetDate(QStringLiteral("31/02/2026")), QString());
    EXPECT_EQ(jetDate(QStringLiteral("")), QString());
    EXPECT_EQ(jetDate(QStringLiteral("12/2025")), QString());
    EXPECT_EQ(jetDate(QDate()), QString());
    EXPECT_EQ(jetDateEndOfDay(QDate()), QString());
}

TEST(Fields, EmptyFieldsCount) {
    const QString text = QStringLiteral("a;;c");
    const QChar sep = QLatin1Char(';');
    EXPECT_EQ(fieldCount(text, sep), 3);
    EXPECT_EQ(field(text, 1, sep), QStringLiteral("a"));
    EXPECT_EQ(field(text, 2, sep), QString());
    EXPECT_EQ(field(text, 3, sep), QStringLiteral("c"));
    EXPECT_EQ(field(text, 4, sep), QString());
}

TEST(Fields, FinalSeparatorIsOptional) {
    const QChar sep = QLatin1Char('|');
    EXPECT_EQ(fieldCount(QStringLiteral("x|y|"), sep), 2);
    EXPECT_EQ(field(QStringLiteral("x|y|"), 2, sep), QStringLiteral("y"));
    EXPECT_EQ(fieldCount(QStringLiteral("|"), sep), 1);
    EXPECT_EQ(fieldCount(QStringLiteral("solo"), sep), 1);
    EXPECT_EQ(field(QStringLiteral("solo"), 1, sep), QStringLiteral("solo"));
}

TEST(Fields, EmptyTextHasNoFields) {
    EXPECT_EQ(fieldCount(QString(), QLatin1Char(';')), 0);
    EXPECT_EQ(field(QString(), 1, QLatin1Char(';')), QString());
    EXPECT_EQ(field(QStringLiteral("a;b"), 0, QLatin1Char(';')), QString());
}

TEST(TextForms, AmountTextHasDecimalPointAndAtLeastTwoDecimals) {
    EXPECT_EQ(amountText(0), QStringLiteral("0.00"));
    EXPECT_EQ(amountText(3), QStringLiteral("3.00"));
    EXPECT_EQ(amountText(12.5), QStringLiteral("12.50"));
    EXPECT_EQ(amountText(12.05), QStringLiteral("12.05"));
    EXPECT_EQ(amountText(1.234), QStringLiteral("1.234"));
    EXPECT_EQ(amountText(-7.1), QStringLiteral("-7.10"));
    EXPECT_EQ(amountText(0.1), QStringLiteral("0.10"));
    EXPECT_EQ(amountText(1234567.89), QStringLiteral("1234567.89"));
    EXPECT_EQ(amountText(20000000), QStringLiteral("20000000.00"));
}

TEST(TextForms, PostcodePadsToFive) {
    EXPECT_EQ(postcodeText(QString()), QStringLiteral("00000"));
    EXPECT_EQ(postcodeText(QStringLiteral("7")), QStringLiteral("00007"));
    EXPECT_EQ(postcodeText(QStringLiteral("123")), QStringLiteral("00123"));
    EXPECT_EQ(postcodeText(QStringLiteral("35100")), QStringLiteral("35100"));
    EXPECT_EQ(postcodeText(QStringLiteral("123456")), QStringLiteral("123456"));
}

TEST(TextForms, NumberTextIsCutToMaximumLength) {
    EXPECT_EQ(numberText(0, 4), QStringLiteral("0"));
    EXPECT_EQ(numberText(42, 4), QStringLiteral("42"));
    EXPECT_EQ(numberText(123456, 4), QStringLiteral("1234"));
    EXPECT_EQ(numberText(-15, 2), QStringLiteral("-1"));
}

TEST(TextForms, PlainTextKeepsPrintableAsciiAndLineBreaks) {
    const QString text = QStringLiteral("Riga\r\nTab\there") + QChar(0x7f) + QChar(0x1f);
    EXPECT_EQ(plainText(text), QStringLiteral("Riga\r\nTabhere") + QChar(0x7f) + QChar(0x1f));
    EXPECT_EQ(plainText(QStringLiteral("Città però")), QStringLiteral("Citt per"));
}

TEST(TextForms, PlainTextDropsCodeOneWithFollowingMarker) {
    const QChar one(1);
    EXPECT_EQ(plainText(QStringLiteral("A") + one + QStringLiteral("4B")), QStringLiteral("AB"));
    EXPECT_EQ(plainText(QStringLiteral("A") + one + QStringLiteral("bB")), QStringLiteral("AB"));
    EXPECT_EQ(plainText(QStringLiteral("A") + one + QStringLiteral("5B")), QStringLiteral("A5B"));
    EXPECT_EQ(plainText(QStringLiteral("A") + one), QStringLiteral("A"));
}

TEST(TextForms, EuroTextIsItalian) {
    EXPECT_EQ(euroText(0), QStringLiteral("0,00"));
    EXPECT_EQ(euroText(1234.5), QStringLiteral("1.234,50"));
    EXPECT_EQ(euroText(999.999), QStringLiteral("1.000,00"));
    EXPECT_EQ(euroText(1234567.891), QStringLiteral("1.234.567,89"));
    EXPECT_EQ(euroText(123456.78), QStringLiteral("123.456,78"));
    EXPECT_EQ(euroText(-1234.5), QStringLiteral("-1.234,50"));
    EXPECT_EQ(euroText(-0.001), QStringLiteral("0,00"));
    EXPECT_EQ(euroText(2.345), QStringLiteral("2,35"));
    EXPECT_EQ(euroText(1e9), QStringLiteral("1.000.000.000,00"));
}

TEST(TextForms, ParseItalianAmountAcceptsCommonForms) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"1.234,50", 1234.5},
        {"1234,5", 1234.5},
        {"1234.50", 1234.5},
        {"1234.5", 1234.5},
        {"1.234", 1234},
        {"1.234.567", 1234567},
        {"-12,30", -12.3},
        {" 7 ", 7},
        {",5", 0.5},
        {"0", 0},
        {"5,", 5},
        {"+3", 3},
    };
    for (const auto& c : cases) {
        double value = -999;
        EXPECT_TRUE(parseItalianAmount(QString::fromUtf8(c.text), &value)) << c.text;
        EXPECT_DOUBLE_EQ(value, c.value) << c.text;
    }
}

TEST(TextForms, ParseItalianAmountRejectsBadInput) {
    for (const char* text : {"", " ", "-", "abc", "12a", "1,2,3", "1.23,4.5", "12.3456", "1.2.3",
                             "1.23,45", "1,234.50", "1..2", "€5"}) {
        double value = 42;
        EXPECT_FALSE(parseItalianAmount(QString::fromUtf8(text), &value)) << text;
        EXPECT_EQ(value, 42) << text;
    }
}

TEST(TextForms, ItalianDateRoundTrip) {
    EXPECT_EQ(italianDate(QDate(2026, 3, 5)), QStringLiteral("05/03/2026"));
    EXPECT_EQ(italianDate(QDate()), QString());
    EXPECT_EQ(parseItalianDate(QStringLiteral("05/03/2026")), QDate(2026, 3, 5));
    EXPECT_EQ(parseItalianDate(QStringLiteral("5/3/2026")), QDate(2026, 3, 5));
    EXPECT_EQ(parseItalianDate(QStringLiteral("05032026")), QDate(2026, 3, 5));
}

TEST(TextForms, ParseItalianDateTakesWhatPeopleType) {
    for (const char* text : {"7122026", "07122026", "071226", "7/12/2026", "07/12/26", "7.12.2026",
                             "7-12-26", " 07 12 2026 "})
        EXPECT_EQ(parseItalianDate(QString::fromUtf8(text)), QDate(2026, 12, 7)) << text;
    // Seven digits whose first one cannot be a day with a two-digit month.
    EXPECT_EQ(parseItalianDate(QStringLiteral("3122026")), QDate(2026, 12, 3));
    EXPECT_EQ(parseItalianDate(QStringLiteral("2532026")), QDate(2026, 3, 25));
}

TEST(TextForms, ParseItalianDateTwoDigitYearPivotsAtFifty) {
    EXPECT_EQ(parseItalianDate(QStringLiteral("01/01/00")), QDate(2000, 1, 1));
    EXPECT_EQ(parseItalianDate(QStringLiteral("01/01/50")), QDate(2050, 1, 1));
    EXPECT_EQ(parseItalianDate(QStringLiteral("01/01/51")), QDate(1951, 1, 1));
    EXPECT_EQ(parseItalianDate(QStringLiteral("29/02/24")), QDate(2024, 2, 29));
}

TEST(TextForms, ParseItalianDateRejectsBadInput) {
    for (const char* text :
         {"", "31/04/2026", "29/02/2025", "00/01/2026", "1/13/2026", "2026-03-05", "05/03/202",
          "0503202", "5/3", "aa/bb/cccc", "7/12/2026x", "12345", "123456789", "7//12/2026"}) {
        EXPECT_FALSE(parseItalianDate(QString::fromUtf8(text)).isValid()) << text;
    }
}
