#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace ui {

// A push button named for the tests and the permission keys, which Enter
// never presses by default (Enter moves between fields).
QPushButton* ActionButton(const QString& caption, const QString& objectName, QWidget* parent,
                          int minimumWidth = 0);

} // namespace ui
