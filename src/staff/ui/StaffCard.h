#pragma once

#include "staff/ui/CheckedCard.h"

namespace staff::ui {

class DependentList;

// The staff card ("Personale"): "Generale", "Dati Economici", "Documenti"
// and the pages of the deadlines, costs and salaries; "Calcola" beside the
// daily and hourly rates; the working folder chosen and opened.
class StaffCard : public CheckedCard {
    Q_OBJECT
public:
    StaffCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
              bool isNew, QWidget* parent = nullptr);

    DependentList* deadlines() const { return m_deadlines; }
    DependentList* costs() const { return m_costs; }
    DependentList* salaries() const { return m_salaries; }

    void computeDailyRate();
    void computeHourlyRate();
    void chooseFolder();
    // "Privacy": the person's privacy form, once the card is saved.
    void printPrivacy();
    // false (and the message) when there is no folder to open.
    bool openFolder();

private:
    DependentList* m_deadlines;
    DependentList* m_costs;
    DependentList* m_salaries;
};

} // namespace staff::ui
