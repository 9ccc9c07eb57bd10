#pragma once

#include "accounting/VatSettlement.h"
#include "ui/CardScreen.h"
#include "ui/ListScreen.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace accounting::ui {

::ui::ScreenDefinition settlementDefinition(Frequency f);

// The stored settlements ("Chiusura Iva"), filtered by year; "Aggiungi"
// proposes the period after the last one with the credit it carries.
class VatSettlementList : public ::ui::ListScreen {
    Q_OBJECT
public:
    VatSettlementList(::ui::AppContext& context, Frequency f, QWidget* parent = nullptr);
    QString condition() const override;
    QLineEdit* yearBox() const { return m_year; }
    // The monthly list's prints: the chosen month (26), the months shown one
    // line each (27) or added up per VAT code (28).
    void print(int code);

protected:
    qint64 insertRow() override;
    void openCard(qint64 key, bool isNew) override;

private:
    Frequency m_frequency;
    QLineEdit* m_year;
};

// A settlement's card: "Generale   " with the period, the carried credit,
// debit, credit and what is left to pay or to carry; one page per kind with
// its totals and rows. "Calcola" and "NonSoggetta" recompute it.
class VatSettlementCard : public ::ui::CardScreen {
    Q_OBJECT
public:
    VatSettlementCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition,
                      qint64 key, bool isNew, Frequency f, QWidget* parent = nullptr);
    void calculate();
    QLabel* resultLabel() const { return m_result; }
    QTableWidget* rowsGrid(int page) const { return m_grids.value(page); }

private:
    void showRows();

    Frequency m_frequency;
    QLabel* m_result;
    QList<QTableWidget*> m_grids; // purchases, sales, takings, then the three non-taxable
};

} // namespace accounting::ui
