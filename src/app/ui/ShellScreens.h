#pragma once

namespace ui {
class ScreenRegistry;
}

namespace app::ui {

// Options, company data, credits and the outside programs of the main window.
void registerShellScreens(::ui::ScreenRegistry& registry);

} // namespace app::ui
