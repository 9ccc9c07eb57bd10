#pragma once

#include "ui/ScreenDefinition.h"

namespace ui {
class ScreenRegistry;
}

namespace accounting::ui {

// The chart of accounts: classes, groupings, accounts.
::ui::ScreenDefinition classesDefinition();
::ui::ScreenDefinition groupingsDefinition();
::ui::ScreenDefinition accountsDefinition();

// Registers the cash book (btnAttivitaPrimaNota, btnStoricoPrimaNota), the
// due dates (btnScadenziario…), the VAT settlement (btnAttivitaChiusuraIva)
// and the chart of accounts (btnContabilitaConti).
void registerAccountingScreens(::ui::ScreenRegistry& registry);

} // namespace accounting::ui
