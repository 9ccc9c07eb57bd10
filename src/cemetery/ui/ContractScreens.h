#pragma once

#include "ui/CardScreen.h"
#include "ui/ScreenDefinition.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace ui {
struct AppContext;
class DataGrid;
class ScreenRegistry;
} // namespace ui

namespace cemetery::ui {

// Buttons shown beside the editor of a card field.
struct FieldButtons {
    QWidget* editor;
    QWidget* holder;
    bool stretch; // the editor takes the room left
};

// The contract header card and the row editor, described as data.
::ui::ScreenDefinition ContractDefinition();
::ui::ScreenDefinition ContractRowDefinition();

// The contract list: open contracts painted red, filter by number, dates,
// customer and deceased.
class TfrmGrigliaContratti : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGrigliaContratti(::ui::AppContext& context, QWidget* parent = nullptr);

    ::ui::DataGrid* grid() const { return m_grid; }
    QLineEdit* numberBox() const { return m_number; }
    QLineEdit* fromBox() const { return m_from; }
    QLineEdit* toBox() const { return m_to; }
    QComboBox* customerBox() const { return m_customer; }
    QComboBox* deceasedBox() const { return m_deceased; }
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
    QComboBox* m_customer;
    QComboBox* m_deceased;
    QPushButton* m_search;
    QPushButton* m_reset;
    QPushButton* m_add;
    QPushButton* m_open;
    QPushButton* m_delete;
    QWidget* m_buttonRow;
};

// The contract card: header, rows and linked deceased on three pages.
class TfrmContrattiDettaglio : public ::ui::CardScreen {
    Q_OBJECT
public:
    TfrmContrattiDettaglio(::ui::AppContext& context, const ::ui::ScreenDefinition& definition,
                           qint64 key, bool isNew, QWidget* parent = nullptr);

    QTabWidget* pages() const { return m_pages; }
    ::ui::DataGrid* rowsGrid() const { return m_rows; }
    ::ui::DataGrid* deceasedGrid() const { return m_deceased; }
    QWidget* rowsContent() const { return m_rowsContent; }
    QLineEdit* codeBox() const { return m_code; }
    QPushButton* rowAddButton() const { return m_rowAdd; }
    QPushButton* freeRowButton() const { return m_rowFree; }
    QPushButton* rowEditButton() const { return m_rowEdit; }
    QPushButton* rowDeleteButton() const { return m_rowDelete; }
    QPushButton* renewButton() const { return m_renew; }
    QPushButton* deceasedAddButton() const { return m_deceasedAdd; }
    QPushButton* deceasedDeleteButton() const { return m_deceasedDelete; }
    QPushButton* receiptTodayButton() const { return m_receiptToday; }
    QPushButton* receiptNumberButton() const { return m_receiptNumber; }
    QPushButton* printButton() const { return m_print; }
    QPushButton* receiptPrintButton() const { return m_receiptPrint; }

public slots:
    void addByCode();
    void addFromCatalogue();
    void addFreeRow();
    void editRow();
    void deleteRow();
    void renewRows();
    void showInvoice(); // "Visualizza la Fattura corrispondente"
    void linkDeceased();
    void unlinkDeceased();
    void newDeceased();
    void openDeceased();
    void receiptToday();
    void assignReceiptNumber(); // "Imposta"
    void printContract();       // "Stampa"
    void printReceipt();        // "Ricevuta"

protected:
    std::optional<common::Failure> validate(const QVariantMap& values) const override;
    void writeExtra(db::Database& db, const QVariantMap& values) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildRowsPage();
    void buildDeceasedPage();
    void pageChosen(int index);
    // The header must be complete and saved before rows or deceased change.
    bool headerReady();
    void refreshRows();
    void refreshDeceased();
    // After a change to the rows: the grid and the closed flag read again.
    void rowsChanged();
    void openRowEditor(qint64 rowId, bool isNew);
    void newCustomer();
    void openCustomer();
    void cancelNew();
    bool run(const std::function<void()>& action);

    QTabWidget* m_pages = nullptr;
    QWidget* m_rowsContent = nullptr;
    QWidget* m_deceasedContent = nullptr;
    ::ui::DataGrid* m_rows = nullptr;
    ::ui::DataGrid* m_deceased = nullptr;
    QLineEdit* m_code = nullptr;
    QPushButton* m_rowAdd = nullptr;
    QPushButton* m_rowFree = nullptr;
    QPushButton* m_rowEdit = nullptr;
    QPushButton* m_rowDelete = nullptr;
    QPushButton* m_renew = nullptr;
    QPushButton* m_deceasedAdd = nullptr;
    QPushButton* m_deceasedDelete = nullptr;
    QPushButton* m_receiptToday = nullptr;
    QPushButton* m_receiptNumber = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_receiptPrint = nullptr;
    QList<FieldButtons> m_attached;
    bool m_guardPages = false;
};

// The editor of one contract row.
class TfrmModificaContratti : public ::ui::CardScreen {
    Q_OBJECT
public:
    TfrmModificaContratti(::ui::AppContext& context, const ::ui::ScreenDefinition& definition,
                          qint64 key, bool isNew, QWidget* parent = nullptr);

    QPushButton* paymentTodayButton() const { return m_paidToday; }
    QPushButton* unitFromTotalButton() const { return m_unitFromTotal; }

protected:
    std::optional<common::Failure> validate(const QVariantMap& values) const override;
    void writeExtra(db::Database& db, const QVariantMap& values) override;
    void showEvent(QShowEvent* event) override;

private:
    void vatChosen();
    void amountsTyped();
    void unitFromTotal();

    QPushButton* m_paidToday;
    QPushButton* m_unitFromTotal;
    QList<FieldButtons> m_attached;
};

// "Rinnovo annuale" of the main window: asks the year and renews the rows of
// every open contract.
void renewAllContracts(::ui::AppContext& context, QWidget* parent);
// The missing-payments run and its report.
void runMissingPayments(::ui::AppContext& context, QWidget* parent);

void registerContractScreens(::ui::ScreenRegistry& registry);

} // namespace cemetery::ui
