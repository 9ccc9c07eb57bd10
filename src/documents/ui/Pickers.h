#pragma once

#include "documents/CreditNoteImport.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace ui {
struct AppContext;
class DataGrid;
} // namespace ui

namespace documents::ui {

// The price list to pick the article of a new row from: articles not
// cancelled, searched by code or description.
class ArticlePicker : public QDialog {
    Q_OBJECT
public:
    explicit ArticlePicker(::ui::AppContext& context, QWidget* parent = nullptr);

    qint64 chosen() const { return m_chosen; }
    ::ui::DataGrid* grid() const { return m_grid; }
    QLineEdit* searchBox() const { return m_search; }
    QPushButton* chooseButton() const { return m_choose; }

    // The article chosen, 0 when the user went back.
    static qint64 pick(::ui::AppContext& context, QWidget* parent);

public slots:
    void refresh();
    void choose(); // "Scegli"

private:
    ::ui::AppContext& m_context;
    QLineEdit* m_search;
    ::ui::DataGrid* m_grid;
    QPushButton* m_choose;
    qint64 m_chosen = 0;
};

// The customer's invoices a credit note may refer to ("Trova Fattura").
class InvoicePicker : public QDialog {
    Q_OBJECT
public:
    InvoicePicker(const QList<CreditNoteImport::Invoice>& invoices, QWidget* parent = nullptr);

    QTableWidget* table() const { return m_table; }
    QPushButton* chooseButton() const { return m_choose; }
    // Valid after "Scegli".
    const CreditNoteImport::Invoice& chosen() const { return m_chosen; }

public slots:
    void choose();

private:
    QList<CreditNoteImport::Invoice> m_invoices;
    QTableWidget* m_table;
    QPushButton* m_choose;
    CreditNoteImport::Invoice m_chosen;
};

} // namespace documents::ui
