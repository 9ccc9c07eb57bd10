#pragma once

namespace ui {
class ScreenRegistry;
}

namespace fatturapa::ui {

void registerFatturaPaScreens(::ui::ScreenRegistry& registry);

} // namespace fatturapa::ui
