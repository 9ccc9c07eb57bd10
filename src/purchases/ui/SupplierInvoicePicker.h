#pragma once

#include <QDialog>

namespace ui {
struct AppContext;
class DataGrid;
} // namespace ui

namespace purchases::ui {

// The supplier's registered invoices a credit note may refer to, newest
// first ("Trova Fattura").
class SupplierInvoicePicker : public QDialog {
    Q_OBJECT
public:
    SupplierInvoicePicker(::ui::AppContext& context, qint64 supplierId, QWidget* parent = nullptr);

    ::ui::DataGrid* grid() const { return m_grid; }
    qint64 chosen() const { return m_chosen; }
    // The invoice chosen, 0 when the user went back.
    static qint64 pick(::ui::AppContext& context, qint64 supplierId, QWidget* parent);

public slots:
    void choose();

private:
    ::ui::DataGrid* m_grid;
    qint64 m_chosen = 0;
};

} // namespace purchases::ui
