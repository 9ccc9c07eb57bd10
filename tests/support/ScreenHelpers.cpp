#include "ScreenHelpers.h"

#include "ui/CardScreen.h"
#include "ui/DataGrid.h"
#include "ui/LazyChoice.h"
#include "ui/RecordModel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace uitest {

QLineEdit* line(ui::CardScreen* card, const QString& field) {
    return qobject_cast<QLineEdit*>(card->editor(field));
}

void typeInto(QWidget* editor, const QString& text) {
    if (auto* memo = qobject_cast<QPlainTextEdit*>(editor)) {
        memo->setFocus();
        memo->selectAll();
        QTest::keyClicks(memo, text);
        return;
    }
    auto* edit = qobject_cast<QLineEdit*>(editor);
    ASSERT_NE(edit, nullptr) << "not a text editor";
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    emit edit->editingFinished();
}

void choose(QWidget* editor, const QVariant& key) {
    auto* combo = qobject_cast<QComboBox*>(editor);
    ASSERT_NE(combo, nullptr);
    if (auto* lazy = dynamic_cast<ui::LazyChoice*>(combo))
        lazy->ensureFilled(); // as when the user opens it
    const int index = combo->findData(key);
    ASSERT_GE(index, 0) << key.toString().toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void click(QWidget* window, const char* name) {
    auto* button = window->findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

QString shown(ui::DataGrid* grid, int row, const QString& field) {
    const ui::RecordModel* model = grid->records();
    for (int c = 0; c < model->columnCount(); ++c)
        if (model->columns().at(c).field == field)
            return model->data(model->index(row, c), Qt::DisplayRole).toString();
    return QString();
}

void showFirstScreen(QWidget* window) {
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    // The paint, then the work queued after it.
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

int scrollToEnd(ui::RecordModel* model) {
    while (model->canFetchMore({}))
        model->fetchMore({});
    return model->rowCount();
}

QString screenshotFolder() {
    const QString folder = qEnvironmentVariable("OSSARION_SCREENSHOTS");
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    return folder;
}

void screenshot(QWidget* widget, const QString& name) {
    const QString folder = screenshotFolder();
    if (folder.isEmpty())
        return;
    // Lets the layouts settle and a page just switched to paint.
    QTest::qWait(20);
    widget->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

} // namespace uitest
