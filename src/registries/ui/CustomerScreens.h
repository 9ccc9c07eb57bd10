#pragma once

#include "registries/CustomerRules.h"
#include "registries/ui/PartyList.h"
#include "ui/CardScreen.h"

#include <functional>

class QPushButton;
class QRadioButton;

namespace ui {
class ScreenRegistry;
}

namespace registries::ui {

class TaxWarnings;

// The customer list and card.
::ui::ScreenDefinition customerDefinition();

// The customers: search by name, town and tax code; "Esporta vCard" of the
// selected rows and "Importa vCard"; the category column in its colour.
class CustomerList : public PartyList {
    Q_OBJECT
public:
    explicit CustomerList(::ui::AppContext& context, QWidget* parent = nullptr);
};

// The card of one customer: private person or company, derived names kept in
// view, the category colour copied on choice, tax warnings that never block.
class CustomerCard : public ::ui::CardScreen {
    Q_OBJECT
public:
    CustomerCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
                 bool isNew, QWidget* parent = nullptr);

    CustomerKind kind() const;
    void setKind(CustomerKind kind);
    QRadioButton* privateButton() const { return m_private; }
    QRadioButton* companyButton() const { return m_company; }
    // "Trova Pubblica Amministrazione"; null when no lookup is installed.
    QPushButton* publicOfficeButton() const { return m_findOffice; }

    // Fills the card with the customer columns of a public office (the
    // card's own save writes them, the town key included).
    void applyPublicOffice(const QVariantMap& values);

protected:
    std::optional<common::Failure> validate(const QVariantMap& values) const override;
    void writeExtra(db::Database& db, const QVariantMap& values) override;

private:
    void showDerivedNames();
    void categoryChosen();

    QRadioButton* m_private;
    QRadioButton* m_company;
    TaxWarnings* m_warnings;
    QPushButton* m_findOffice = nullptr;
    QVariant m_officeTown; // Comune_id of the office chosen, written on save
};

// The public-office lookup of the customer card, supplied by the
// electronic-invoicing screens; the card offers it only once installed.
using PublicOfficeLookup = std::function<void(CustomerCard& card, ::ui::AppContext& context)>;
void setPublicOfficeLookup(PublicOfficeLookup lookup);

void registerCustomerScreens(::ui::ScreenRegistry& registry);

} // namespace registries::ui
