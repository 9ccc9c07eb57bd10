#include "app/ui/Screens.h"

#include "ui/ScreenRegistry.h"

namespace app::ui {

void registerAllScreens(::ui::ScreenRegistry& registry) {
    // One line per screen module, in the order of the main window's tabs.
    Q_UNUSED(registry);
}

} // namespace app::ui
