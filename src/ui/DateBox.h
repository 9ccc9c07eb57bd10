#pragma once

#include <QDateTime>
#include <QString>

class QLineEdit;
class QWidget;

namespace ui {

// A date field without an input mask: a click puts the cursor where typing
// starts, and what people type ("7122026", "7/12/26", "07.12.2026") becomes
// dd/MM/yyyy when the field is left. A text that is not a date stays as typed
// so the card's check can name it.
QLineEdit* DateBox(QWidget* parent, const QString& objectName, int width = 110);

// The same for a date with its hour, "dd/MM/yyyy hh:mm"; the hour may be left
// out (midnight) and typed as "9.30" or "9:30"; twelve digits are
// ddMMyyyyhhmm.
QLineEdit* DateTimeBox(QWidget* parent, const QString& objectName, int width = 150);

// Reads what DateTimeBox holds; an invalid value for a wrong date or hour.
QDateTime readDateTime(const QString& text);

// An hour alone, "hh:mm": typed as "9.30", "9:30", "930" or "9"; it becomes
// hh:mm when the field is left.
QLineEdit* TimeBox(QWidget* parent, const QString& objectName, int width = 70);

// Reads what TimeBox holds; an invalid value for a wrong hour.
QTime readTime(const QString& text);

} // namespace ui
