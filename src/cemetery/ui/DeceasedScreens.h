#pragma once

namespace ui {
class ScreenRegistry;
}

namespace cemetery::ui {

void registerDeceasedScreens(::ui::ScreenRegistry& registry);

} // namespace cemetery::ui
