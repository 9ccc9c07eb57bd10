#pragma once

#include <QWidget>
#include <functional>

class QComboBox;
class QPushButton;

namespace ui {
struct AppContext;
class DataGrid;
} // namespace ui

namespace documents::ui {

// The part of the invoice editor's "Importazioni" page that ties the
// invoice to the customer's orders ("Ordini": referred to, not copied) and
// receipts ("Buoni": rows copied). Choosing one links it at once; "Elimina
// Riga" removes the link and clears the mark on the order or receipt.
class InvoiceLinksPanel : public QWidget {
    Q_OBJECT
public:
    InvoiceLinksPanel(::ui::AppContext& context, qint64 invoiceId, QWidget* parent = nullptr);

    QComboBox* orderChoice() const { return m_orderChoice; }
    QComboBox* receiptChoice() const { return m_receiptChoice; }
    ::ui::DataGrid* ordersGrid() const { return m_orders; }
    ::ui::DataGrid* receiptsGrid() const { return m_receipts; }
    // Asked before a receipt changes the invoice's rows; false stops it.
    void setGuard(std::function<bool()> mayChange) { m_mayChange = std::move(mayChange); }

    // The choices of the customer and the links of the invoice, read again.
    void refresh(qint64 customerId);

signals:
    // The invoice's rows and totals changed (a receipt came or went).
    void rowsChanged();

public slots:
    void linkOrder(int index);
    void unlinkOrder();
    void importReceipt(int index);
    void removeReceipt();

private:
    bool mayChange() const { return !m_mayChange || m_mayChange(); }

    ::ui::AppContext& m_context;
    qint64 m_id;
    qint64 m_customer = 0;
    std::function<bool()> m_mayChange;
    QComboBox* m_orderChoice;
    QComboBox* m_receiptChoice;
    ::ui::DataGrid* m_orders;
    ::ui::DataGrid* m_receipts;
};

} // namespace documents::ui
