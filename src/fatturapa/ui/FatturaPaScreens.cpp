#include "fatturapa/ui/FatturaPaScreens.h"

#include "ui/ScreenRegistry.h"

namespace fatturapa::ui {

void registerFatturaPaScreens(::ui::ScreenRegistry& registry) {
    Q_UNUSED(registry);
}

} // namespace fatturapa::ui
