#pragma once

#include "cemetery/ui/ContractWidgets.h"
#include "ui/CardScreen.h"
#include "ui/ScreenDefinition.h"

class QLineEdit;
class QPushButton;
class QTabWidget;

namespace ui {
class DataGrid;
} // namespace ui

namespace cemetery::ui {

// The contract header card, described as data.
::ui::ScreenDefinition contractDefinition();

// The contract card: header, rows and linked deceased on three pages.
class ContractCard : public ::ui::CardScreen {
    Q_OBJECT
public:
    ContractCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
                 bool isNew, QWidget* parent = nullptr);

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
    bool m_guardPages = false;
};

} // namespace cemetery::ui
