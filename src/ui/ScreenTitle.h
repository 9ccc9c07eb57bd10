#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace ui {

// The large bold caption at the top of a list or search window.
QLabel* ScreenTitle(const QString& text, QWidget* parent);

} // namespace ui
