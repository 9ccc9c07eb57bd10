#pragma once

#include "cemetery/ui/ContractCard.h"
#include "cemetery/ui/ContractList.h"
#include "cemetery/ui/ContractRowEditor.h"

class QWidget;

namespace ui {
struct AppContext;
class ScreenRegistry;
} // namespace ui

namespace cemetery::ui {

// "Rinnovo annuale" of the main window: asks the year and renews the rows of
// every open contract.
void renewAllContracts(::ui::AppContext& context, QWidget* parent);
// The missing-payments run and its report.
void runMissingPayments(::ui::AppContext& context, QWidget* parent);

void registerContractScreens(::ui::ScreenRegistry& registry);

} // namespace cemetery::ui
