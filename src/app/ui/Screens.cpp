#include "app/ui/Screens.h"

#include "accounting/ui/AccountingScreens.h"
#include "app/ui/ListPrints.h"
#include "app/ui/ShellScreens.h"
#include "calendar/ui/CalendarScreens.h"
#include "cemetery/ui/ContractScreens.h"
#include "cemetery/ui/DeceasedScreens.h"
#include "documents/ui/DocumentScreens.h"
#include "einvoice/ui/FatturaPaScreens.h"
#include "notices/ui/NoticeScreens.h"
#include "purchases/ui/PurchaseScreens.h"
#include "registries/ui/ArticleScreens.h"
#include "registries/ui/CustomerScreens.h"
#include "registries/ui/RegistryScreens.h"
#include "registries/ui/SupplierScreens.h"
#include "staff/ui/StaffScreens.h"
#include "ui/ScreenRegistry.h"

namespace screens {

void registerAllScreens(::ui::ScreenRegistry& registry) {
    // One line per screen module, in the order of the main window's tabs.
    app::ui::registerShellScreens(registry);
    app::ui::registerListPrints(registry);
    registries::ui::registerSupplierScreens(registry);
    registries::ui::registerArticleScreens(registry);
    registries::ui::registerCustomerScreens(registry);
    registries::ui::registerRegistryScreens(registry);
    documents::ui::registerDocumentScreens(registry);
    einvoice::ui::registerFatturaPaScreens(registry);
    cemetery::ui::registerDeceasedScreens(registry);
    cemetery::ui::registerContractScreens(registry);
    calendar::ui::registerCalendarScreens(registry);
    notices::ui::registerNoticeScreens(registry);
    staff::ui::registerStaffScreens(registry);
    purchases::ui::registerPurchaseScreens(registry);
    accounting::ui::registerAccountingScreens(registry);
}

} // namespace screens
