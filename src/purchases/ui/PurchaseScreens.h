#pragma once

namespace ui {
class ScreenRegistry;
}

namespace purchases::ui {

// Adds the supplier-document screens under their main-window buttons.
void registerPurchaseScreens(::ui::ScreenRegistry& registry);

} // namespace purchases::ui
