#include "ui/ItalianTexts.h"

#include <QCoreApplication>
#include <QDate>
#include <QLocale>
#include <gtest/gtest.h>

// Qt's own dialogs speak Italian, and dates read in Italian, in every program.
TEST(ItalianTexts, QtDialogsAndDatesAreItalian) {
    ASSERT_TRUE(ui::useItalian()) << "traduzioni di Qt mancanti (qt6-translations-l10n)";
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Cerca in:"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annulla"));
    EXPECT_EQ(QLocale().monthName(12), QStringLiteral("dicembre"));
    EXPECT_EQ(QLocale().toString(1234.5, 'f', 2), QStringLiteral("1.234,50"));
}
