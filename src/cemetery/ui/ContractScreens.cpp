#include "cemetery/ui/ContractScreens.h"

#include "ui/ScreenRegistry.h"

namespace cemetery::ui {

void registerContractScreens(::ui::ScreenRegistry& registry) {
    Q_UNUSED(registry);
}

} // namespace cemetery::ui
