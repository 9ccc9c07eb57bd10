#include "ui/DataGrid.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "ui/AppContext.h"
#include "ui/Guarded.h"
#include "ui/RecordModel.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <utility>

namespace ui {

DataGrid::DataGrid(AppContext& context, const QString& gridName, QWidget* parent)
    : QTableView(parent), m_context(context), m_gridName(gridName), m_model(new RecordModel(this)) {
    setObjectName(gridName);
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &DataGrid::clickTitle);
    connect(this, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit rowChosen(keyAt(index.row()));
    });

    m_menu = new QMenu(this);
    m_save = m_menu->addAction(QStringLiteral("Salva Griglia"));
    m_save->setObjectName(QStringLiteral("SalvaGriglia1"));
    m_reset = m_menu->addAction(QStringLiteral("Reset Griglia"));
    m_reset->setObjectName(QStringLiteral("ResetGriglia1"));
    m_removeColumn = m_menu->addAction(QStringLiteral("Elimina Colonna"));
    m_removeColumn->setObjectName(QStringLiteral("EliminaColonna1"));
    connect(m_save, &QAction::triggered, this, &DataGrid::saveLayout);
    connect(m_reset, &QAction::triggered, this, &DataGrid::resetLayout);
    connect(m_removeColumn, &QAction::triggered, this,
            [this] { removeColumn(m_menuColumn >= 0 ? m_menuColumn : currentIndex().column()); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        m_menuColumn = columnAt(pos.x());
        m_menu->exec(viewport()->mapToGlobal(pos));
        m_menuColumn = -1;
    });
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(horizontalHeader(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) {
                m_menuColumn = horizontalHeader()->logicalIndexAt(pos);
                m_menu->exec(horizontalHeader()->mapToGlobal(pos));
                m_menuColumn = -1;
            });
}

void DataGrid::setTable(const QString& table) {
    m_model->setTable(table);
}

void DataGrid::setHighlightStock(bool on) {
    m_model->setHighlight(on ? QStringLiteral("Giacenza") : QString(), QColor(240, 189, 15));
}

void DataGrid::setDefaultColumns(const ::ui::GridColumns& columns) {
    setColumns(columns);
}

void DataGrid::setResult(db::Result result) {
    const qint64 key = currentKey();
    m_model->setResult(std::move(result));
    if (!selectKey(key) && m_model->rowCount() > 0)
        selectRow(0);
}

void DataGrid::setQuery(std::shared_ptr<db::PagedQuery> query) {
    const qint64 key = currentKey();
    m_model->setQuery(std::move(query));
    if (!selectKey(key) && m_model->rowCount() > 0)
        selectRow(0);
    if (m_model->canFetchMore({}))
        afterNextPaint([this] { m_model->countRows(); });
}

void DataGrid::afterNextPaint(std::function<void()> work) {
    m_afterPaint.push_back(std::move(work));
    viewport()->update();
}

void DataGrid::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (m_afterPaint.empty())
        return;
    // Queued, so that the painted screen reaches the window first.
    QTimer::singleShot(0, this, [this, work = std::exchange(m_afterPaint, {})] {
        ::ui::guarded(m_context, [&] {
            for (const std::function<void()>& w : work)
                w();
        });
    });
}

::ui::GridColumns DataGrid::columns() const {
    ::ui::GridColumns shown;
    const QHeaderView* header = horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (logical < 0 || header->isSectionHidden(logical))
            continue;
        ::ui::GridColumn c = m_model->columns().at(logical);
        c.width = header->sectionSize(logical);
        shown.append(c);
    }
    return shown;
}

void DataGrid::setColumns(const ::ui::GridColumns& columns) {
    const qint64 key = currentKey();
    m_model->setColumns(columns);
    QHeaderView* header = horizontalHeader();
    // Undo moves made by dragging titles: the list order is the display order.
    for (int logical = 0; logical < header->count(); ++logical) {
        const int visual = header->visualIndex(logical);
        if (visual != logical)
            header->moveSection(visual, logical);
    }
    // A column is never narrower than its title.
    for (int i = 0; i < columns.size(); ++i)
        setColumnWidth(i,
                       std::max(columns[i].width,
                                header->fontMetrics().horizontalAdvance(columns[i].caption) + 16));
    selectKey(key);
}

qint64 DataGrid::keyAt(int row) const {
    if (row < 0 || row >= m_model->rowCount())
        return 0;
    return m_model->value(row, m_keyColumn).toLongLong();
}

int DataGrid::currentRowIndex() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

qint64 DataGrid::currentKey() const {
    return keyAt(currentRowIndex());
}

bool DataGrid::selectKey(qint64 key) {
    if (key == 0)
        return false;
    std::optional<int> r;
    try {
        r = m_model->rowOf(key, m_keyColumn);
        // A row past the first page of a list not yet counted.
        if (r && *r >= m_model->rowCount())
            m_model->countRows();
    } catch (const db::DbError&) {
        return false;
    }
    if (!r || *r >= m_model->rowCount())
        return false;
    const int column = std::max(0, currentIndex().column());
    setCurrentIndex(m_model->index(*r, std::min(column, std::max(0, m_model->columnCount() - 1))));
    selectRow(*r);
    return true;
}

QString DataGrid::sortText() const {
    return m_model->sort();
}

void DataGrid::clickTitle(int column) {
    if (column < 0 || column >= m_model->columns().size())
        return;
    const qint64 key = currentKey();
    m_model->setSort(::ui::sortAfterTitleClick(m_model->sort(), m_model->columns()[column].field));
    if (!selectKey(key) && m_model->rowCount() > 0)
        selectRow(0);
}

void DataGrid::saveLayout() {
    ::ui::guarded(m_context, [&] {
        ::ui::saveLayout(*m_context.db, m_gridName, columns(), false, m_context.db->workstation());
    });
}

void DataGrid::resetLayout() {
    ::ui::guarded(m_context, [&] {
        ::ui::GridColumns shown = columns();
        if (::ui::loadLayout(*m_context.db, m_gridName, shown, true, m_context.db->workstation()))
            setColumns(shown);
        ::ui::saveLayout(*m_context.db, m_gridName, columns(), false, m_context.db->workstation());
    });
}

void DataGrid::removeColumn(int column) {
    ::ui::GridColumns shown = m_model->columns();
    if (column < 0 || column >= shown.size())
        return;
    // Keep the on-screen order and widths of the others.
    ::ui::GridColumns kept;
    const ::ui::GridColumns visible = columns();
    const QString field = shown[column].field;
    for (const ::ui::GridColumn& c : visible)
        if (c.field != field || c.caption != shown[column].caption)
            kept.append(c);
    setColumns(kept);
}

void DataGrid::loadLayout() {
    m_layoutLoaded = true;
    try {
        ::ui::GridColumns shown = columns();
        if (::ui::loadLayout(*m_context.db, m_gridName, shown, false, m_context.db->workstation()))
            setColumns(shown);
    } catch (...) {
        // A damaged layout leaves the built-in one.
    }
}

void DataGrid::showEvent(QShowEvent* event) {
    if (!m_layoutLoaded)
        loadLayout();
    QTableView::showEvent(event);
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentRowIndex() >= 0) {
        emit rowChosen(currentKey());
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace ui
