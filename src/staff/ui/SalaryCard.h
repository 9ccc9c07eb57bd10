#pragma once

#include "staff/ui/CheckedCard.h"

namespace staff::ui {

// The salary card: "Calcola" fills the partial total.
class SalaryCard : public CheckedCard {
    Q_OBJECT
public:
    SalaryCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
               bool isNew, QWidget* parent = nullptr);
    void computeTotal();
};

} // namespace staff::ui
