#pragma once

#include "app/CustomerRules.h"
#include "ui/CardScreen.h"
#include "ui/ListScreen.h"

class QRadioButton;

namespace ui {
class ScreenRegistry;
}

namespace app::ui {

class TaxWarnings;

// The customer list and card.
::ui::ScreenDefinition CustomerDefinition();

// The customers: search by name, town and tax code; "Esporta vCard" of the
// selected rows and "Importa vCard"; the category column in its colour.
class TfrmGrigliaClienti : public ::ui::ListScreen {
    Q_OBJECT
public:
    TfrmGrigliaClienti(::ui::AppContext& context, QWidget* parent = nullptr);

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

// The card of one customer: private person or company, derived names kept in
// view, the category colour copied on choice, tax warnings that never block.
class TfrmClientiDettaglio : public ::ui::CardScreen {
    Q_OBJECT
public:
    TfrmClientiDettaglio(::ui::AppContext& context, const ::ui::ScreenDefinition& definition,
                         qint64 key, bool isNew, QWidget* parent = nullptr);

    CustomerKind kind() const;
    void setKind(CustomerKind kind);
    QRadioButton* privateButton() const { return m_private; }
    QRadioButton* companyButton() const { return m_company; }

protected:
    std::optional<common::Failure> validate(const QVariantMap& values) const override;
    void writeExtra(db::Database& db, const QVariantMap& values) override;

private:
    void showDerivedNames();
    void categoryChosen();

    QRadioButton* m_private;
    QRadioButton* m_company;
    TaxWarnings* m_warnings;
};

void registerCustomerScreens(::ui::ScreenRegistry& registry);

} // namespace app::ui
