#include "einvoice/ui/FatturaPaScreens.h"

#include "einvoice/ui/PublicOfficeLookup.h"
#include "einvoice/ui/RejectionErrorScreens.h"
#include "registries/ui/CustomerScreens.h"
#include "ui/ScreenRegistry.h"

namespace einvoice::ui {

void registerFatturaPaScreens(::ui::ScreenRegistry& registry) {
    const auto errors = [](QWidget* parent, ::ui::AppContext& context) {
        RejectionErrorList list(context, parent);
        list.exec();
    };
    registry.add(QStringLiteral("btnErroriFatturaElettronica"), errors);
    registry.add(rejectionErrorsDefinition().objectName, errors);

    registries::ui::setPublicOfficeLookup(
        [](registries::ui::CustomerCard& card, ::ui::AppContext& context) {
            PublicOfficeLookup lookup(context, &card);
            if (lookup.exec() == QDialog::Accepted)
                card.applyPublicOffice(lookup.chosenValues());
        });
}

} // namespace einvoice::ui
