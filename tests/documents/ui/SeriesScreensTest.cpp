#include "documents/ui/SeriesChooser.h"
#include "documents/ui/SeriesRegistry.h"

#include "ScreenArchive.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using SeriesScreens = uitest::ScreenTest;

TEST_F(SeriesScreens, InvoicingSeriesAreKeptInTheirWindowAndChosenForDocuments) {
    documents::ui::SeriesRegistry window(context);
    window.show();
    window.addSeries();
    ASSERT_GT(window.currentKey(), 0);
    EXPECT_FALSE(window.saveSeries());
    EXPECT_EQ(interaction.texts_of(QStringLiteral("error")),
              QStringList{QStringLiteral("Attenzione manca la Serie")});
    window.seriesEdit()->setText(QStringLiteral("B"));
    window.descriptionEdit()->setText(QStringLiteral("Sezionale B"));
    EXPECT_TRUE(window.saveSeries());
    window.addSeries();
    window.seriesEdit()->setText(QStringLiteral("A"));
    window.addSeries(); // "+" writes the pending series first
    window.removeSeries();
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from SerieFatturazione")).toInt(), 2);
    EXPECT_EQ(
        interaction.texts_of(QStringLiteral("question")),
        QStringList{QStringLiteral("Sei sicuro di voler eliminare la Serie di Fatturazione?")});

    documents::ui::SeriesChooser chooser(context, documents::ui::SeriesChooser::Document::Invoice);
    EXPECT_EQ(chooser.seriesBox()->count(), 3);
    chooser.seriesBox()->setCurrentIndex(chooser.seriesBox()->findData(QStringLiteral("B")));
    QTest::mouseClick(chooser.confirmButton(), Qt::LeftButton);
    EXPECT_EQ(chooser.chosen(), QStringLiteral("B"));
    documents::ui::SeriesChooser none(context,
                                      documents::ui::SeriesChooser::Document::DeliveryNote);
    none.seriesBox()->setCurrentIndex(1);
    QTest::mouseClick(none.backButton(), Qt::LeftButton);
    EXPECT_TRUE(none.chosen().isEmpty());
}
