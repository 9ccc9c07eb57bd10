#pragma once

#include <QString>

class QLineEdit;
class QWidget;

namespace ui {

// A date field without an input mask: a click puts the cursor where typing
// starts, and what people type ("7122026", "7/12/26", "07.12.2026") becomes
// dd/MM/yyyy when the field is left. A text that is not a date stays as typed
// so the card's check can name it.
QLineEdit* DateBox(QWidget* parent, const QString& objectName, int width = 110);

} // namespace ui
