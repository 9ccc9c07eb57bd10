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

QDate today();
// Reads a year typed by the user; 0 when it is not one.
int typedYear(const QString& text);

} // namespace cemetery::ui::contractwidgets
