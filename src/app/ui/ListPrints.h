#pragma once

namespace ui {
class ScreenRegistry;
}

namespace app::ui {

// The list prints of the main window's "Stampe" tab: each button sends the
// report request of its list, without a selection.
void registerListPrints(::ui::ScreenRegistry& registry);

} // namespace app::ui
