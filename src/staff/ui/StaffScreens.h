#pragma once

#include "ui/ScreenDefinition.h"

namespace ui {
class ScreenRegistry;
} // namespace ui

namespace staff::ui {

// The staff members: searches by name, category and municipality,
// cancelled people hidden unless asked.
::ui::ScreenDefinition staffDefinition();
// The three lists of a person; staffId is the person of the rows "Nuovo"
// inserts (0 when a row is only opened).
::ui::ScreenDefinition deadlineDefinition(qint64 staffId = 0);
::ui::ScreenDefinition costDefinition(qint64 staffId = 0);
::ui::ScreenDefinition salaryDefinition(qint64 staffId = 0);
// The code tables.
::ui::ScreenDefinition categoriesDefinition();
::ui::ScreenDefinition costTypesDefinition();
::ui::ScreenDefinition deadlineTypesDefinition();

// Registers the list (btnPersonale), the print screen (btnStampePersonale), the code tables and the
// deadline the reminder opens ("scadenzaPersonale").
void registerStaffScreens(::ui::ScreenRegistry& registry);

} // namespace staff::ui
