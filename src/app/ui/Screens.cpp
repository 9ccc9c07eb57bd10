#include "app/ui/Screens.h"

#include "app/ui/ArticleScreens.h"
#include "app/ui/CustomerScreens.h"
#include "app/ui/RegistryScreens.h"
#include "app/ui/SupplierScreens.h"
#include "ui/ScreenRegistry.h"

namespace app::ui {

void registerAllScreens(::ui::ScreenRegistry& registry) {
    // One line per screen module, in the order of the main window's tabs.
    registerShellScreens(registry);
    registerSupplierScreens(registry);
    registerArticleScreens(registry);
    registerCustomerScreens(registry);
    registerRegistryScreens(registry);
    Q_UNUSED(registry);
}

} // namespace app::ui
