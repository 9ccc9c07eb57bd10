#pragma once

#include "ui/ScreenDefinition.h"

namespace ui {
class ScreenRegistry;
}

namespace registries::ui {

// The small registries: each a list and a card described as data.
::ui::ScreenDefinition VatCodesScreen();
::ui::ScreenDefinition BanksScreen();
::ui::ScreenDefinition MunicipalitiesScreen();
::ui::ScreenDefinition ProvincesScreen();
::ui::ScreenDefinition DepartmentsScreen();
::ui::ScreenDefinition CarriersScreen();
::ui::ScreenDefinition CarriageTermsScreen();
::ui::ScreenDefinition GoodsAppearanceScreen();
::ui::ScreenDefinition IdentityDocumentTypesScreen();
::ui::ScreenDefinition CustomerCategoriesScreen();
::ui::ScreenDefinition SupplierCategoriesScreen();
::ui::ScreenDefinition ArticleCategoriesScreen();
::ui::ScreenDefinition PaymentTermsScreen();

// Opens the list of a definition (with the extras some lists have).
void OpenRegistryList(QWidget* parent, ::ui::AppContext& context,
                      const ::ui::ScreenDefinition& definition);

// Registers the registries under the main window's buttons (btnIva,
// btnBanche, btnComuni, btnReparti, btnModalitaPagamento) and each list
// under its object name. "btnArchivioTipologie" opens the window of types
// and categories, with one button for each of these names that has a screen
// registered: frmGrigliaClientiCategoria, frmGrigliaFornitorCategoria,
// frmGrigliaPrezziarCategorie, frmGrigliaCategoriePersonale,
// frmGrigliaTipoDocumenti, frmGrigliaVettori, frmGrigliaPorto,
// frmGrigliaAspetto, frmGrigliaProvince, frmSerieFatturazione,
// frmGrigliaTipologiaPrimaNota, frmGrigliaCalendarioTipologie.
void registerRegistryScreens(::ui::ScreenRegistry& registry);

} // namespace registries::ui
