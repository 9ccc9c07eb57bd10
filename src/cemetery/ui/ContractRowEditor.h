#pragma once

#include "cemetery/ui/ContractWidgets.h"
#include "ui/CardScreen.h"
#include "ui/ScreenDefinition.h"

class QPushButton;

namespace cemetery::ui {

// The contract row editor, described as data.
::ui::ScreenDefinition contractRowDefinition();

// The editor of one contract row.
class ContractRowEditor : public ::ui::CardScreen {
    Q_OBJECT
public:
    ContractRowEditor(::ui::AppContext& context, const ::ui::ScreenDefinition& definition,
                      qint64 key, bool isNew, QWidget* parent = nullptr);

    QPushButton* paymentTodayButton() const { return m_paidToday; }
    QPushButton* unitFromTotalButton() const { return m_unitFromTotal; }

protected:
    std::optional<common::Failure> validate(const QVariantMap& values) const override;
    void writeExtra(db::Database& db, const QVariantMap& values) override;

private:
    void vatChosen();
    void amountsTyped();
    void unitFromTotal();

    QPushButton* m_paidToday;
    QPushButton* m_unitFromTotal;
};

} // namespace cemetery::ui
