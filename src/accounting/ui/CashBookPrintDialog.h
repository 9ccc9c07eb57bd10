#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace ui {
struct AppContext;
}

namespace accounting::ui {

// The cash-book prints of a month: all movements ("Mese per Mese") or one
// bank's ("per Mese e per Banca"), each from an opening balance that
// "Calcola" proposes and the user may change.
class CashBookPrintDialog : public QDialog {
    Q_OBJECT
public:
    explicit CashBookPrintDialog(::ui::AppContext& context, QWidget* parent = nullptr);
    QComboBox* monthChoice() const { return m_month; }
    QLineEdit* yearBox() const { return m_year; }
    QComboBox* bankChoice() const { return m_bank; }
    QLineEdit* openingBox() const { return m_opening; }
    void computeOpening(); // "Calcola"
    bool print(bool byBank);

private:
    ::ui::AppContext& m_context;
    QComboBox* m_month;
    QLineEdit* m_year;
    QComboBox* m_bank;
    QLineEdit* m_opening;
};

} // namespace accounting::ui
