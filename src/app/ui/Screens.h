#pragma once

namespace ui {
class ScreenRegistry;
}

namespace app::ui {

// Registers every screen the main window's buttons open.
void registerAllScreens(::ui::ScreenRegistry& registry);

// Options, company data, credits and the outside programs of the main window.
void registerShellScreens(::ui::ScreenRegistry& registry);

} // namespace app::ui
