#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QTableWidget;

namespace ui {
struct AppContext;
}

namespace accounting::ui {

// "Storia Contabilità": the accounts chosen on this workstation, added,
// removed or all cleared, and the print of their rows in a period.
class AccountHistoryDialog : public QDialog {
    Q_OBJECT
public:
    explicit AccountHistoryDialog(::ui::AppContext& context, QWidget* parent = nullptr);
    QTableWidget* chosen() const { return m_chosen; }
    void addAccount();
    void removeAccount();
    void clear();
    bool print();
    void refresh();

private:
    ::ui::AppContext& m_context;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QComboBox* m_account;
    QTableWidget* m_chosen;
    QList<qint64> m_ids;
};

} // namespace accounting::ui
