#pragma once

#include "ui/ScreenDefinition.h"

#include <QDate>
#include <QString>
#include <functional>

namespace ui {
struct AppContext;
} // namespace ui

// Small pieces shared by the contract list, card and row editor.
namespace cemetery::ui::contractwidgets {

inline const QString kError = QStringLiteral("Messaggio di errore");
inline const QString kNotice = QStringLiteral("Messaggio di avviso");

QDate today();
// Runs a database action, showing its error; false when it failed.
bool guarded(::ui::AppContext& context, const std::function<void()>& action);
// Reads a year typed by the user; 0 when it is not one.
int typedYear(const QString& text);

} // namespace cemetery::ui::contractwidgets
