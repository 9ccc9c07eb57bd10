#include "ui/Completions.h"
#include "ui/DateBox.h"
#include "ui/FieldEditors.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

// A click into an empty date field and the digits typed after it give the
// date, whatever form the user types it in.
TEST(DateBox, TypedDigitsBecomeTheDateWhereverTheClickLands) {
    QWidget window;
    QLineEdit* box = ::ui::DateBox(&window, QStringLiteral("txtData"));
    QLineEdit other(&window);
    other.move(0, 40);
    window.show();
    for (const char* typed : {"7122026", "7/12/2026", "07/12/26", "07.12.2026"}) {
        box->clear();
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() / 2, box->height() / 2));
        QTest::keyClicks(box, QString::fromLatin1(typed));
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(box->text(), QStringLiteral("07/12/2026")) << typed;
        bool ok = false;
        EXPECT_EQ(::ui::editorValue(box, ::ui::FieldKind::Date, &ok), QVariant(QDate(2026, 12, 7)));
        EXPECT_TRUE(ok);
    }
    // Letters never get in; a wrong date stays as typed and reads as invalid.
    box->clear();
    QTest::keyClicks(box, QStringLiteral("3l/02/2026"));
    EXPECT_EQ(box->text(), QStringLiteral("3/02/2026"));
    box->setText(QStringLiteral("31/02/2026"));
    emit box->editingFinished();
    EXPECT_EQ(box->text(), QStringLiteral("31/02/2026"));
    bool ok = true;
    EXPECT_FALSE(::ui::editorValue(box, ::ui::FieldKind::Date, &ok).isValid());
    EXPECT_FALSE(ok);
    box->clear();
    EXPECT_TRUE(::ui::editorValue(box, ::ui::FieldKind::Date, &ok).isNull());
    EXPECT_TRUE(ok);
}

TEST(DateBox, DateWithHourTakesTheSameFormsAndAnOptionalHour) {
    QWidget window;
    QLineEdit* box = ::ui::DateTimeBox(&window, QStringLiteral("txtDataOra"));
    const auto typed = [box](const char* text) {
        box->clear();
        QTest::keyClicks(box, QString::fromLatin1(text));
        QTest::keyClick(box, Qt::Key_Return);
        bool ok = false;
        const QVariant v = ::ui::editorValue(box, ::ui::FieldKind::DateTime, &ok);
        return ok ? v.toDateTime() : QDateTime();
    };
    EXPECT_EQ(typed("7122026 9.30"), QDateTime(QDate(2026, 12, 7), QTime(9, 30)));
    EXPECT_EQ(box->text(), QStringLiteral("07/12/2026 09:30"));
    EXPECT_EQ(typed("07/12/26"), QDateTime(QDate(2026, 12, 7), QTime(0, 0)));
    EXPECT_EQ(box->text(), QStringLiteral("07/12/2026 00:00"));
    EXPECT_EQ(typed("071220261745"), QDateTime(QDate(2026, 12, 7), QTime(17, 45)));
    EXPECT_FALSE(typed("07/12/2026 25:00").isValid());
    EXPECT_FALSE(typed("100320262561").isValid());
    EXPECT_FALSE(typed("31/02/2026 10:00").isValid());
}

TEST(DateBox, HourAloneTakesTheUsualForms) {
    QWidget window;
    QLineEdit* box = ::ui::TimeBox(&window, QStringLiteral("txtOra"));
    const auto typed = [box](const char* text, bool* ok) {
        box->clear();
        QTest::keyClicks(box, QString::fromLatin1(text));
        QTest::keyClick(box, Qt::Key_Return);
        return ::ui::editorValue(box, ::ui::FieldKind::Time, ok);
    };
    bool ok = false;
    for (const char* text : {"9.30", "9:30", "930", "09:30"}) {
        EXPECT_EQ(typed(text, &ok), QVariant(QTime(9, 30))) << text;
        EXPECT_TRUE(ok);
        EXPECT_EQ(box->text(), QStringLiteral("09:30")) << text;
    }
    EXPECT_EQ(typed("17", &ok), QVariant(QTime(17, 0)));
    EXPECT_EQ(box->text(), QStringLiteral("17:00"));
    // Letters and dates never get in; a wrong hour stays as typed.
    EXPECT_FALSE(typed("24:00", &ok).isValid());
    EXPECT_FALSE(ok);
    EXPECT_EQ(box->text(), QStringLiteral("24:00"));
    EXPECT_FALSE(typed("9:75", &ok).isValid());
    EXPECT_EQ(typed("9/12", &ok), QVariant(QTime(9, 12)));
    EXPECT_TRUE(typed("", &ok).isNull());
    EXPECT_TRUE(ok);
}

// Moving over the popup's items shows them in the field; closing the popup
// without a choice (a click elsewhere, Esc) gives back what was typed, and a
// choice is kept.
TEST(Completions, OnlyAChoiceChangesTheField) {
    QWidget window;
    auto* field = new QLineEdit(&window);
    auto* completer =
        new QCompleter(QStringList{QStringLiteral("Cappella"), QStringLiteral("Loculo"),
                                   QStringLiteral("Ossario")},
                       field);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    ::ui::offerCompletions(field, completer);
    window.show();
    field->setFocus();

    QTest::keyClicks(field, QStringLiteral("Lo"));
    completer->complete();
    QAbstractItemView* popup = completer->popup();
    ASSERT_TRUE(popup->isVisible());
    QTest::keyClicks(field, QStringLiteral("c"));
    // An item under the pointer is shown in the field (Qt's highlight), then
    // a click outside closes the popup.
    field->setText(QStringLiteral("Cappella"));
    popup->hide();
    EXPECT_EQ(field->text(), QStringLiteral("Loc"));

    completer->complete();
    field->setText(QStringLiteral("Loculo"));
    emit completer->activated(QStringLiteral("Loculo"));
    popup->hide();
    EXPECT_EQ(field->text(), QStringLiteral("Loculo"));
}
