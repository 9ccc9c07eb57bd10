#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace ui {
struct AppContext;
class DataGrid;
class LazyChoice;
} // namespace ui

namespace cemetery::ui {

// The contract list: open contracts painted red, filter by number, dates,
// customer and deceased.
class ContractList : public QDialog {
    Q_OBJECT
public:
    explicit ContractList(::ui::AppContext& context, QWidget* parent = nullptr);

    ::ui::DataGrid* grid() const { return m_grid; }
    QLineEdit* numberBox() const { return m_number; }
    QLineEdit* fromBox() const { return m_from; }
    QLineEdit* toBox() const { return m_to; }
    ::ui::LazyChoice* customerBox() const { return m_customer; }
    ::ui::LazyChoice* deceasedBox() const { return m_deceased; }
    QPushButton* searchButton() const { return m_search; }
    QPushButton* resetButton() const { return m_reset; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* openButton() const { return m_open; }
    QPushButton* deleteButton() const { return m_delete; }

public slots:
    void refresh();       // "Ricarica"
    void search();        // "cerca"
    void resetFilter();   // "reset"
    void addContract();   // "Aggiungi"
    void openCurrent();   // "Avanti"
    void removeCurrent(); // "Elimina"
    void chooseDeceased();
    void missingPayments();

private:
    QPushButton* button(const QString& caption, const QString& name);
    void fillChoices();
    void openContract(qint64 id, bool isNew);

    ::ui::AppContext& m_context;
    QString m_condition;
    ::ui::DataGrid* m_grid;
    QLineEdit* m_number;
    QLineEdit* m_from;
    QLineEdit* m_to;
    ::ui::LazyChoice* m_customer;
    ::ui::LazyChoice* m_deceased;
    QPushButton* m_search;
    QPushButton* m_reset;
    QPushButton* m_add;
    QPushButton* m_open;
    QPushButton* m_delete;
    QWidget* m_buttonRow;
};

} // namespace cemetery::ui
