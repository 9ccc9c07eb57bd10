#pragma once

namespace ui {
class ScreenRegistry;
}

namespace documents::ui {

void registerDocumentScreens(::ui::ScreenRegistry& registry);

} // namespace documents::ui
