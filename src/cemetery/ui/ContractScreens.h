#pragma once

namespace ui {
class ScreenRegistry;
}

namespace cemetery::ui {

void registerContractScreens(::ui::ScreenRegistry& registry);

} // namespace cemetery::ui
