#pragma once

#include "ui/ScreenDefinition.h"

namespace ui {
class ScreenRegistry;
}

namespace registries::ui {

// The small registries: each a list and a card described as data.
::ui::ScreenDefinition vatCodesScreen();
::ui::ScreenDefinition banksScreen();
::ui::ScreenDefinition municipalitiesScreen();
::ui::ScreenDefinition provincesScreen();
::ui::ScreenDefinition departmentsScreen();
::ui::ScreenDefinition carriersScreen();
::ui::ScreenDefinition carriageTermsScreen();
::ui::ScreenDefinition goodsAppearanceScreen();
::ui::ScreenDefinition identityDocumentTypesScreen();
::ui::ScreenDefinition customerCategoriesScreen();
::ui::ScreenDefinition supplierCategoriesScreen();
::ui::ScreenDefinition articleCategoriesScreen();
::ui::ScreenDefinition paymentTermsScreen();

// A registry whose rows are just a required description: list, search and
// order by it.
::ui::ScreenDefinition describedTable(const QString& table, const QString& objectName,
                                      const QString& listTitle, const QString& cardTitle,
                                      const QString& deleteQuestion);

// Opens the list of a definition (with the extras some lists have).
void openRegistryList(QWidget* parent, ::ui::AppContext& context,
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
