#include "screens/Screens.h"

#include "app/ui/ArticleScreens.h"
#include "app/ui/CustomerScreens.h"
#include "app/ui/ListPrints.h"
#include "app/ui/RegistryScreens.h"
#include "app/ui/ShellScreens.h"
#include "app/ui/SupplierScreens.h"
#include "cemetery/ui/ContractScreens.h"
#include "cemetery/ui/DeceasedScreens.h"
#include "documents/ui/DocumentScreens.h"
#include "einvoice/ui/FatturaPaScreens.h"
#include "ui/ScreenRegistry.h"

namespace screens {

void registerAllScreens(::ui::ScreenRegistry& registry) {
    // One line per screen module, in the order of the main window's tabs.
    app::ui::registerShellScreens(registry);
    app::ui::registerListPrints(registry);
    app::ui::registerSupplierScreens(registry);
    app::ui::registerArticleScreens(registry);
    app::ui::registerCustomerScreens(registry);
    app::ui::registerRegistryScreens(registry);
    documents::ui::registerDocumentScreens(registry);
    fatturapa::ui::registerFatturaPaScreens(registry);
    cemetery::ui::registerDeceasedScreens(registry);
    cemetery::ui::registerContractScreens(registry);
}

} // namespace screens
