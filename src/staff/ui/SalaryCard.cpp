#include "staff/ui/SalaryCard.h"

#include "staff/StaffRules.h"
#include "staff/ui/SmallButton.h"

namespace staff::ui {

using ::ui::ScreenDefinition;

SalaryCard::SalaryCard(::ui::AppContext& context, const ScreenDefinition& definition, qint64 key,
                       bool isNew, QWidget* parent)
    : CheckedCard(context, definition, key, isNew, parent) {
    setObjectName(QStringLiteral("TfrmPersonaleStipendi"));
    auto* total = smallButton(this, QStringLiteral("Calcola"), QStringLiteral("btnCalcola"));
    attachBeside(QStringLiteral("TotaleParziale"), {total}, false);
    connect(total, &QPushButton::clicked, this, &SalaryCard::computeTotal);
}

void SalaryCard::computeTotal() {
    setValue(QStringLiteral("TotaleParziale"), salaryTotal(values()));
}

} // namespace staff::ui
