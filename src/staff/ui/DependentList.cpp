#include "staff/ui/DependentList.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "printing/ui/DocumentActions.h"
#include "staff/ui/SmallButton.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/Guarded.h"
#include "ui/ListScreen.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace staff::ui {

using ::ui::ScreenDefinition;

DependentList::DependentList(::ui::AppContext& context, ScreenDefinition definition, qint64 staffId,
                             Insert insert, QString order, const QString& gridName, int report,
                             QWidget* parent)
    : QWidget(parent), m_context(context), m_definition(std::move(definition)), m_staffId(staffId),
      m_insert(std::move(insert)), m_order(std::move(order)), m_report(report) {
    setObjectName(m_definition.objectName + QStringLiteral("_Lista"));
    m_grid = new ::ui::DataGrid(context, gridName, this);
    m_grid->setTable(m_definition.table);
    m_grid->setDefaultColumns(m_definition.columns);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* add = smallButton(this, QStringLiteral("Nuovo"), QStringLiteral("btnNuovo"));
    auto* open = smallButton(this, QStringLiteral("Apri"), QStringLiteral("btnApri"));
    auto* remove = smallButton(this, QStringLiteral("Elimina"), QStringLiteral("btnElimina"));
    auto* printButton = smallButton(this, QStringLiteral("Stampa"), QStringLiteral("btnStampa"));
    connect(printButton, &QPushButton::clicked, this, &DependentList::print);
    auto* buttons = new QHBoxLayout();
    for (QPushButton* b : {add, open, remove, printButton})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(m_grid, 1);
    v->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, &DependentList::addRow);
    connect(open, &QPushButton::clicked, this, &DependentList::openCurrent);
    connect(remove, &QPushButton::clicked, this, &DependentList::removeCurrent);
    connect(m_grid, &::ui::DataGrid::rowChosen, this, [this](qint64 key) { openCard(key, false); });
    refresh();
}

void DependentList::refresh() {
    const QString select = m_definition.select.isEmpty()
                               ? QStringLiteral("select * from ") + m_definition.table
                               : m_definition.select;
    const qint64 current = m_grid->currentKey();
    ::ui::guarded(m_context, [&] {
        m_grid->setResult(
            m_context.db->query(select + QStringLiteral(" where ") + m_definition.table +
                                    QStringLiteral(".Personale_ID = ? order by ") + m_order,
                                {m_staffId}));
    });
    if (current != 0)
        m_grid->selectKey(current);
}

void DependentList::addRow() {
    qint64 key = 0;
    if (!::ui::guarded(m_context,
                       [&] { key = m_insert(*m_context.db, m_staffId, QDate::currentDate()); }))
        return;
    openCard(key, true);
}

void DependentList::openCurrent() {
    const qint64 key = m_grid->currentKey();
    if (key != 0)
        openCard(key, false);
}

void DependentList::removeCurrent() {
    const qint64 key = m_grid->currentKey();
    if (key == 0 ||
        !m_context.interaction->question(common::titles::warning, m_definition.deleteQuestion))
        return;
    ::ui::guarded(m_context, [&] { ::ui::deleteRow(*m_context.db, m_definition, key); });
    refresh();
}

void DependentList::print() {
    printing::ReportCall call;
    call.code = m_report;
    call.selection =
        m_definition.table + QStringLiteral(".Personale_ID = ") + QString::number(m_staffId);
    ::ui::guarded(m_context, [&] { printing::ui::printReport(m_context, call); });
}

void DependentList::openCard(qint64 key, bool isNew) {
    {
        std::unique_ptr<::ui::CardScreen> card(
            m_definition.makeCard
                ? m_definition.makeCard(m_context, m_definition, key, isNew, this)
                : new ::ui::CardScreen(m_context, m_definition, key, isNew, this));
        card->exec();
    }
    refresh();
    m_grid->selectKey(key);
}

} // namespace staff::ui
