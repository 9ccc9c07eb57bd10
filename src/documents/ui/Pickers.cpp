#include "documents/ui/Pickers.h"

#include "common/SqlText.h"
#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/Database.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/Guarded.h"
#include "ui/RecordModel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace documents::ui {

ArticlePicker::ArticlePicker(::ui::AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("TfrmSceltaArticolo"));
    setWindowTitle(QStringLiteral("Listino articoli"));
    resize(760, 480);
    auto* layout = new QVBoxLayout(this);
    auto* searchRow = new QHBoxLayout();
    auto* label = new QLabel(QStringLiteral("Cerca (codice o descrizione):"), this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("txtCerca"));
    label->setBuddy(m_search);
    searchRow->addWidget(label);
    searchRow->addWidget(m_search, 1);
    layout->addLayout(searchRow);

    m_grid = new ::ui::DataGrid(context, QStringLiteral("frmSceltaArticolo_Griglia"), this);
    m_grid->setTable(QStringLiteral("prezziar"));
    m_grid->setDefaultColumns({{"Codice", 90, "Codice"},
                               {"Descrizione", 330, "Descrizione"},
                               {"Prezzo", 90, "Prezzo"},
                               {"AliquotaIva", 60, "IVA %"},
                               {"Giacenza", 80, "Giacenza"}});
    layout->addWidget(m_grid, 1);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    m_choose = new QPushButton(QStringLiteral("Scegli"), this);
    m_choose->setObjectName(QStringLiteral("btnScegli"));
    auto* back = new QPushButton(QStringLiteral("Indietro"), this);
    back->setObjectName(QStringLiteral("spdIndietro"));
    m_choose->setAutoDefault(false);
    back->setAutoDefault(false);
    buttons->addWidget(m_choose);
    buttons->addWidget(back);
    layout->addLayout(buttons);

    connect(m_search, &QLineEdit::textChanged, this, &ArticlePicker::refresh);
    connect(m_search, &QLineEdit::returnPressed, this, &ArticlePicker::choose);
    connect(m_grid, &::ui::DataGrid::rowChosen, this, &ArticlePicker::choose);
    connect(m_choose, &QPushButton::clicked, this, &ArticlePicker::choose);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    refresh();
}

void ArticlePicker::refresh() {
    QString sql = QStringLiteral("SELECT * FROM prezziar where annullato = false");
    const QString text = m_search->text().trimmed();
    if (!text.isEmpty()) {
        const QString quoted = common::sqlQuote(text);
        sql += QStringLiteral(" and (Codice like '%1*' or Descrizione like '%1*')").arg(quoted);
    }
    sql += QStringLiteral(" order by Descrizione");
    ::ui::guarded(m_context, [&] {
        m_grid->setResult(m_context.db->query(sql));
        if (m_grid->records()->rowCount() > 0 && m_grid->currentKey() == 0)
            m_grid->selectRow(0);
    });
}

void ArticlePicker::choose() {
    m_chosen = m_grid->currentKey();
    if (m_chosen != 0)
        accept();
}

qint64 ArticlePicker::pick(::ui::AppContext& context, QWidget* parent) {
    ArticlePicker dialog(context, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.chosen() : 0;
}

// ---------------------------------------------------------------------------

InvoicePicker::InvoicePicker(const QList<CreditNoteImport::Invoice>& invoices, QWidget* parent)
    : QDialog(parent), m_invoices(invoices) {
    setObjectName(QStringLiteral("TfrmTrovaFattura"));
    setWindowTitle(QStringLiteral("Trova Fattura"));
    resize(560, 400);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Fatture del cliente:"), this));
    m_table = new QTableWidget(int(invoices.size()), 4, this);
    m_table->setObjectName(QStringLiteral("grdFatture"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Data"), QStringLiteral("Numero"),
                                        QStringLiteral("Serie"), QStringLiteral("Totale fattura")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    for (int r = 0; r < invoices.size(); ++r) {
        const auto& i = invoices[r];
        auto* total = new QTableWidgetItem(common::euroText(i.total));
        total->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* number = new QTableWidgetItem(QString::number(i.number));
        number->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_table->setItem(r, 0, new QTableWidgetItem(common::italianDate(i.date)));
        m_table->setItem(r, 1, number);
        m_table->setItem(r, 2, new QTableWidgetItem(i.series));
        m_table->setItem(r, 3, total);
    }
    if (!invoices.isEmpty())
        m_table->selectRow(0);
    layout->addWidget(m_table, 1);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    m_choose = new QPushButton(QStringLiteral("Scegli"), this);
    m_choose->setObjectName(QStringLiteral("btnScegli"));
    auto* back = new QPushButton(QStringLiteral("Indietro"), this);
    back->setObjectName(QStringLiteral("spdIndietro"));
    m_choose->setAutoDefault(false);
    back->setAutoDefault(false);
    buttons->addWidget(m_choose);
    buttons->addWidget(back);
    layout->addLayout(buttons);
    connect(m_choose, &QPushButton::clicked, this, &InvoicePicker::choose);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &InvoicePicker::choose);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
}

void InvoicePicker::choose() {
    const int row = m_table->currentRow();
    if (row < 0 || row >= m_invoices.size())
        return;
    m_chosen = m_invoices[row];
    accept();
}

} // namespace documents::ui
