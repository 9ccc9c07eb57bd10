#pragma once

#include "registries/SupplierRules.h"
#include "registries/ui/PartyList.h"
#include "ui/CardScreen.h"

namespace ui {
class ScreenRegistry;
}

namespace registries::ui {

class TaxWarnings;

// The supplier list and card.
::ui::ScreenDefinition supplierDefinition();

// The suppliers, with "Esporta vCard" of the selected rows and "Importa vCard".
class SupplierList : public PartyList {
    Q_OBJECT
public:
    explicit SupplierList(::ui::AppContext& context, QWidget* parent = nullptr);
};

class SupplierCard : public ::ui::CardScreen {
    Q_OBJECT
public:
    SupplierCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
                 bool isNew, QWidget* parent = nullptr);

protected:
    std::optional<common::Failure> validate(const QVariantMap& values) const override;
    void writeExtra(db::Database& db, const QVariantMap& values) override;

private:
    TaxWarnings* m_warnings;
};

void registerSupplierScreens(::ui::ScreenRegistry& registry);

} // namespace registries::ui
