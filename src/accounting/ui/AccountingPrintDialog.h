#pragma once

#include "accounting/VatRegisters.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLineEdit;

namespace ui {
struct AppContext;
}

namespace accounting::ui {

// "Stampa Contabilità": the VAT settlements, the purchase and sales
// registers of a period within one year (printed only when every row of the
// period's documents points to an account), the balance and one account's
// situation.
class AccountingPrintDialog : public QDialog {
    Q_OBJECT
public:
    explicit AccountingPrintDialog(::ui::AppContext& context, QWidget* parent = nullptr);
    QLineEdit* fromBox() const { return m_from; }
    QLineEdit* toBox() const { return m_to; }
    // Fills the register and asks the print program for it; false (and the
    // message) when a check refuses.
    bool printRegister(RegisterKind kind);
    // "Bilancio": the balance of the period.
    bool printBalance();
    // "Situazione Conto": the chosen account's rows and movements.
    bool printSituation();

private:
    using Prepare = std::function<std::optional<common::Failure>(const QDate&, const QDate&)>;
    bool prepareAndPrint(const Prepare& prepare, int code);

    ::ui::AppContext& m_context;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QComboBox* m_account;
};

} // namespace accounting::ui
