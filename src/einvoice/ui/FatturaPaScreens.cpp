#include "einvoice/ui/FatturaPaScreens.h"

#include "einvoice/ui/PublicOfficeLookup.h"
#include "einvoice/ui/RejectionErrorScreens.h"
#include "registries/ui/CustomerScreens.h"
#include "ui/ScreenRegistry.h"

namespace fatturapa::ui {

void registerFatturaPaScreens(::ui::ScreenRegistry& registry) {
    const auto errors = [](QWidget* parent, ::ui::AppContext& context) {
        TfrmGrigliaErrori list(context, parent);
        list.exec();
    };
    registry.add(QStringLiteral("btnErroriFatturaElettronica"), errors);
    registry.add(RejectionErrorsDefinition().objectName, errors);

    registries::ui::setPublicOfficeLookup(
        [](registries::ui::TfrmClientiDettaglio& card, ::ui::AppContext& context) {
            TfrmTrovaPubblicaAmministrazione lookup(context, &card);
            if (lookup.exec() == QDialog::Accepted)
                card.applyPublicOffice(lookup.chosenValues());
        });
}

} // namespace fatturapa::ui
