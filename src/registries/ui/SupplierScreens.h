#pragma once

#include "registries/SupplierRules.h"
#include "ui/CardScreen.h"
#include "ui/ListScreen.h"

namespace ui {
class ScreenRegistry;
}

namespace registries::ui {

class TaxWarnings;

// The supplier list and card.
::ui::ScreenDefinition supplierDefinition();

// The suppliers, with "Esporta vCard" of the selected rows and "Importa vCard".
class SupplierList : public ::ui::ListScreen {
    Q_OBJECT
public:
    SupplierList(::ui::AppContext& context, QWidget* parent = nullptr);

    QPushButton* exportButton() const { return m_export; }
    QPushButton* importButton() const { return m_import; }

public slots:
    void exportVCard(); // "Esporta vCard"
    void importVCard(); // "Importa vCard"

protected:
    qint64 insertRow() override;

private:
    QPushButton* m_export;
    QPushButton* m_import;
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
