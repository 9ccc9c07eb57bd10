#include "cemetery/ui/DeceasedScreens.h"

#include "ui/ScreenRegistry.h"

namespace cemetery::ui {

void registerDeceasedScreens(::ui::ScreenRegistry& registry) {
    Q_UNUSED(registry);
}

} // namespace cemetery::ui
