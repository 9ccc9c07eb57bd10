#pragma once

namespace ui {
class ScreenRegistry;
}

namespace screens {

// Registers every screen the main window's buttons open, from every module.
void registerAllScreens(::ui::ScreenRegistry& registry);

} // namespace screens
