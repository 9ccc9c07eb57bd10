#pragma once

// What a user does on a screen, and what the screen shows, in the terms the
// screen tests speak.

#include <QString>
#include <QVariant>

class QLineEdit;
class QWidget;

namespace ui {
class CardScreen;
class DataGrid;
class RecordModel;
} // namespace ui

namespace uitest {

// The line editor of a field on a card; null when the field has another kind.
QLineEdit* line(ui::CardScreen* card, const QString& field);

// Types the text over what a line or text editor holds, as from the keyboard;
// a line editor is then left, as by Tab.
void typeInto(QWidget* editor, const QString& text);

// Picks the entry with that key in a combo box, as by a click on it.
void choose(QWidget* editor, const QVariant& key);

// Clicks the push button of that name inside the window.
void click(QWidget* window, const char* name);

// The text a grid shows in the named column of a row; empty for a column it
// does not have.
QString shown(ui::DataGrid* grid, int row, const QString& field);

// Shows a window and lets it paint its first screen, and then run what
// waits for it (a big list's count, the totals of a list).
void showFirstScreen(QWidget* window);

// Scrolls a list's rows to the end as a view does: past the first page the
// model counts the rest. The rows then held.
int scrollToEnd(ui::RecordModel* model);

// The folder named by OSSARION_SCREENSHOTS, created; empty when pictures
// were not asked for.
QString screenshotFolder();

// A picture of the widget as <name>.png in that folder, when asked for.
void screenshot(QWidget* widget, const QString& name);

} // namespace uitest
