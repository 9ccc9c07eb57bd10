#include "documents/ui/InvoiceLinksPanel.h"

#include "documents/OrderLinks.h"
#include "documents/ReceiptImport.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/FieldBinder.h"
#include "ui/Guarded.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace documents::ui {

namespace {

struct Section {
    QComboBox* choice;
    ::ui::DataGrid* grid;
    QPushButton* remove;
};

Section section(::ui::AppContext& context, QWidget* parent, QHBoxLayout* into, const QString& title,
                const QString& prompt, const QString& name, const QString& table,
                const QString& key, const ::ui::GridColumns& columns) {
    auto* box = new QGroupBox(title, parent);
    auto* v = new QVBoxLayout(box);
    auto* row = new QHBoxLayout();
    auto* label = new QLabel(prompt, box);
    auto* choice = new QComboBox(box);
    choice->setObjectName(QStringLiteral("cbo") + name);
    choice->setMinimumWidth(260);
    label->setBuddy(choice);
    row->addWidget(label);
    row->addWidget(choice, 1);
    v->addLayout(row);
    auto* grid = new ::ui::DataGrid(context, QStringLiteral("Form7_DBGrid") + name, box);
    grid->setTable(table); // the columns shown are the linked document's
    grid->setKeyColumn(key);
    grid->setDefaultColumns(columns);
    v->addWidget(grid, 1);
    auto* remove = ::ui::ActionButton(QStringLiteral("Elimina Riga"),
                                      QStringLiteral("btnEliminaRiga") + name, box);
    auto* br = new QHBoxLayout();
    br->addStretch(1);
    br->addWidget(remove);
    v->addLayout(br);
    into->addWidget(box, 1);
    return {choice, grid, remove};
}

} // namespace

InvoiceLinksPanel::InvoiceLinksPanel(::ui::AppContext& context, qint64 invoiceId, QWidget* parent)
    : QWidget(parent), m_context(context), m_id(invoiceId) {
    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    const Section orders =
        section(context, this, h, QStringLiteral("Ordini"), QStringLiteral("Collega l'ordine:"),
                QStringLiteral("Ordini"), QStringLiteral("OrdiniClientiTestata"),
                QStringLiteral("Ordine_ID"),
                {{"NumeroInterno", 70, "N° int."},
                 {"Numero", 90, "Numero"},
                 {"Data", 90, "Data"},
                 {"CodiceCig", 110, "CIG"}});
    const Section receipts =
        section(context, this, h, QStringLiteral("Buoni"), QStringLiteral("Importa il buono:"),
                QStringLiteral("Buoni"), QStringLiteral("TotaliCo"), QStringLiteral("Conto_ID"),
                {{"Numero", 70, "Numero"}, {"Data", 90, "Data"}, {"TotFattura", 100, "Totale"}});
    m_orderChoice = orders.choice;
    m_orders = orders.grid;
    m_receiptChoice = receipts.choice;
    m_receipts = receipts.grid;
    connect(m_orderChoice, &QComboBox::activated, this, &InvoiceLinksPanel::linkOrder);
    connect(m_receiptChoice, &QComboBox::activated, this, &InvoiceLinksPanel::importReceipt);
    connect(orders.remove, &QPushButton::clicked, this, &InvoiceLinksPanel::unlinkOrder);
    connect(receipts.remove, &QPushButton::clicked, this, &InvoiceLinksPanel::removeReceipt);
}

void InvoiceLinksPanel::refresh(qint64 customerId) {
    m_customer = customerId;
    ::ui::guarded(m_context, [&] {
        db::Database& db = *m_context.db;
        m_orderChoice->clear();
        m_orderChoice->addItem(QString(), 0);
        m_receiptChoice->clear();
        m_receiptChoice->addItem(QString(), 0);
        if (customerId > 0) {
            for (const OrderLinks::Choice& c : OrderLinks::available(db, customerId))
                m_orderChoice->addItem(c.label, c.id);
            for (const ReceiptImport::Choice& c : ReceiptImport::available(db, customerId))
                m_receiptChoice->addItem(c.label, c.id);
        }
        m_orders->setResult(db.query(
            QStringLiteral("select FatturaOrdiniClientiRighe.Ordine_ID, "
                           "OrdiniClientiTestata.NumeroInterno, OrdiniClientiTestata.Numero, "
                           "OrdiniClientiTestata.Data, OrdiniClientiTestata.CodiceCig from "
                           "FatturaOrdiniClientiRighe INNER JOIN OrdiniClientiTestata ON "
                           "FatturaOrdiniClientiRighe.Ordine_ID = OrdiniClientiTestata.Id where "
                           "FatturaOrdiniClientiRighe.Fattura_ID = ? order by "
                           "OrdiniClientiTestata.Data, OrdiniClientiTestata.NumeroInterno"),
            {m_id}));
        m_receipts->setResult(db.query(
            QStringLiteral("select FatturaContiRighe.Conto_ID, TotaliCo.Numero, TotaliCo.Data, "
                           "TotaliCo.TotFattura from FatturaContiRighe INNER JOIN TotaliCo ON "
                           "FatturaContiRighe.Conto_ID = TotaliCo.Id where "
                           "FatturaContiRighe.Fattura_ID = ? order by TotaliCo.Data, "
                           "TotaliCo.Numero"),
            {m_id}));
    });
}

void InvoiceLinksPanel::linkOrder(int index) {
    const qint64 order = m_orderChoice->itemData(index).toLongLong();
    if (order == 0)
        return;
    ::ui::guarded(m_context, [&] { OrderLinks::link(*m_context.db, m_id, order); });
    refresh(m_customer);
}

void InvoiceLinksPanel::unlinkOrder() {
    const qint64 order = m_orders->currentKey();
    if (order == 0)
        return;
    ::ui::guarded(m_context, [&] { OrderLinks::unlink(*m_context.db, m_id, order); });
    refresh(m_customer);
}

void InvoiceLinksPanel::importReceipt(int index) {
    const qint64 receipt = m_receiptChoice->itemData(index).toLongLong();
    if (receipt == 0 || !mayChange())
        return;
    if (!::ui::guardedRule(
            m_context, [&] { return ReceiptImport::import(*m_context.db, m_id, receipt); },
            [&](const common::Failure& f) { ::ui::showFailure(*m_context.interaction, f); }))
        return;
    refresh(m_customer);
    emit rowsChanged();
}

void InvoiceLinksPanel::removeReceipt() {
    const qint64 receipt = m_receipts->currentKey();
    if (receipt == 0 || !mayChange())
        return;
    if (!::ui::guarded(m_context, [&] { ReceiptImport::remove(*m_context.db, m_id, receipt); }))
        return;
    refresh(m_customer);
    emit rowsChanged();
}

} // namespace documents::ui
