#include "documents/ui/DocumentScreens.h"

#include "ui/ScreenRegistry.h"

namespace documents::ui {

void registerDocumentScreens(::ui::ScreenRegistry& registry) {
    Q_UNUSED(registry);
}

} // namespace documents::ui
