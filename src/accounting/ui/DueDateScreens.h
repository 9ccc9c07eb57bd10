#pragma once

#include "accounting/BatchPayment.h"
#include "ui/ListScreen.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace accounting::ui {

enum class DueDateMode { CustomersOpen, SuppliersOpen, CustomersPaid, SuppliersPaid };

::ui::ScreenDefinition dueDateDefinition(DueDateMode mode);

// The due dates ("Scadenze") in one of four modes: open or paid, of
// customers or suppliers. Open instalments past their due date show red.
// On the open lists "Paga fatture" pays the ones chosen in a batch.
class DueDateList : public ::ui::ListScreen {
    Q_OBJECT
public:
    DueDateList(::ui::AppContext& context, DueDateMode mode, QWidget* parent = nullptr);
    QString condition() const override;
    void search();
    void resetFilter();
    void payInBatch(); // "Paga fatture"
    // A print of the "Stampa" menu over the rows the list's filters keep.
    void print(int code);

protected:
    void openCard(qint64 key, bool isNew) override;

private:
    DueDateMode m_mode;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QString m_applied;
};

// "Paga fatture": the offered open instalments and this workstation's
// chosen ones, with their totals.
class BatchPaymentDialog : public QDialog {
    Q_OBJECT
public:
    // offeredCondition: the Jet condition on FatturaScadenze of the
    // instalments offered.
    BatchPaymentDialog(::ui::AppContext& context, const QString& offeredCondition,
                       QWidget* parent = nullptr);

    QTableWidget* offered() const { return m_offered; }
    QTableWidget* chosen() const { return m_chosen; }
    void addCurrent();
    void addAll();
    void removeCurrent();
    void removeAll();
    // Opens the payment dialog; true when the payments were recorded.
    bool pay();
    void refresh();

private:
    ::ui::AppContext& m_context;
    QString m_condition;
    QTableWidget* m_offered;
    QTableWidget* m_chosen;
    QLabel* m_totals;
    QList<qint64> m_offeredIds;
    QList<qint64> m_chosenWorkIds;
};

// The second dialog of "Paga fatture": date, terms, details and bank.
class PaymentDetailsDialog : public QDialog {
    Q_OBJECT
public:
    PaymentDetailsDialog(::ui::AppContext& context, QWidget* parent = nullptr);
    BatchPayment::Payment payment() const;
    QLineEdit* dateBox() const { return m_date; }
    void confirm(); // "Paga fatture"

private:
    ::ui::AppContext& m_context;
    QLineEdit* m_date;
    QComboBox* m_terms;
    QLineEdit* m_details;
    QComboBox* m_bank;
};

} // namespace accounting::ui
