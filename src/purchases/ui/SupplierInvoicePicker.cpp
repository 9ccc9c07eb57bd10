#include "purchases/ui/SupplierInvoicePicker.h"

#include "db/Database.h"
#include "purchases/CreditedInvoice.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/Guarded.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace purchases::ui {

SupplierInvoicePicker::SupplierInvoicePicker(::ui::AppContext& context, qint64 supplierId,
                                             QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmTrovaFatturaCarico"));
    setWindowTitle(QStringLiteral("Fatture del fornitore"));
    setModal(true);
    resize(760, 420);
    auto* layout = new QVBoxLayout(this);
    m_grid = new ::ui::DataGrid(context, QStringLiteral("frmTrovaFatturaCarico.griglia"), this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setTable(QStringLiteral("fattura"));
    m_grid->setKeyColumn(QStringLiteral("ID"));
    m_grid->setDefaultColumns({{"DataRegistrazione", 110, "Data Registrazione"},
                               {"ProgressivoCarico", 90, "Progressivo"},
                               {"Data", 100, "Data"},
                               {"NumeroCarico", 120, "N° Fattura"},
                               {"Fornitore", 260, "Fornitore"}});
    layout->addWidget(m_grid);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    QPushButton* choose =
        ::ui::ActionButton(QStringLiteral("Scegli"), QStringLiteral("spdScegli"), this);
    QPushButton* back =
        ::ui::ActionButton(QStringLiteral("Indietro"), QStringLiteral("spdIndietro"), this);
    buttons->addWidget(choose);
    buttons->addWidget(back);
    layout->addLayout(buttons);
    connect(choose, &QPushButton::clicked, this, &SupplierInvoicePicker::choose);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_grid, &::ui::DataGrid::rowChosen, this, &SupplierInvoicePicker::choose);
    ::ui::guarded(context, [&] {
        m_grid->setResult(context.db->query(CreditedInvoice::choiceSql(), {supplierId}));
    });
}

void SupplierInvoicePicker::choose() {
    m_chosen = m_grid->currentKey();
    if (m_chosen != 0)
        accept();
}

qint64 SupplierInvoicePicker::pick(::ui::AppContext& context, qint64 supplierId, QWidget* parent) {
    SupplierInvoicePicker picker(context, supplierId, parent);
    return picker.exec() == QDialog::Accepted ? picker.chosen() : 0;
}

} // namespace purchases::ui
