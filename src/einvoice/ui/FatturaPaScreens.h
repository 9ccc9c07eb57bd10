#pragma once

namespace ui {
class ScreenRegistry;
}

namespace einvoice::ui {

// Registers the rejection-error list (btnErroriFatturaElettronica and its
// object name) and installs the public-office lookup of the customer card.
void registerFatturaPaScreens(::ui::ScreenRegistry& registry);

} // namespace einvoice::ui
