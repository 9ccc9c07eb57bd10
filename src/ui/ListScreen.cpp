#include "ui/ListScreen.h"

#include "common/SqlText.h"
#include "common/Titles.h"
#include "db/ConditionNames.h"
#include "db/DbError.h"
#include "db/PagedQuery.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/CardScreen.h"
#include "ui/DataGrid.h"
#include "ui/Guarded.h"
#include "ui/ScreenTitle.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

ListScreen::ListScreen(AppContext& context, const ScreenDefinition& definition, QWidget* parent)
    : ListScreen(context, definition, ReadLater{}, parent) {
    refresh();
}

ListScreen::ListScreen(AppContext& context, const ScreenDefinition& definition, ReadLater,
                       QWidget* parent)
    : QDialog(parent), m_context(context), m_definition(definition) {
    setObjectName(definition.objectName);
    setWindowTitle(definition.listTitle);
    setModal(true);
    resize(900, 560);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ui::ScreenTitle(definition.listTitle, this));

    m_searchRow = new QHBoxLayout();
    for (const SearchField& s : definition.searches) {
        auto* label = new QLabel(s.caption, this);
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txt") + s.field);
        box->setPlaceholderText(QStringLiteral("Cerca..."));
        label->setBuddy(box);
        m_searchRow->addWidget(label);
        m_searchRow->addWidget(box, 1);
        m_searches.insert(s.field.toLower(), box);
        connect(box, &QLineEdit::textChanged, this, &ListScreen::refresh);
    }
    if (definition.cancellable) {
        m_showCancelled = new QCheckBox(QStringLiteral("Mostra annullati"), this);
        m_showCancelled->setObjectName(QStringLiteral("chkMostraAnnullati"));
        m_searchRow->addWidget(m_showCancelled);
        connect(m_showCancelled, &QCheckBox::toggled, this, &ListScreen::refresh);
    }
    if (!definition.searches.isEmpty() || definition.cancellable)
        layout->addLayout(m_searchRow);

    m_grid = new DataGrid(context, definition.gridName(), this);
    m_grid->setTable(definition.table);
    m_grid->setKeyColumn(definition.key);
    m_grid->setDefaultColumns(definition.columns);
    layout->addWidget(m_grid, 1);
    connect(m_grid, &DataGrid::rowChosen, this, [this](qint64 key) {
        if (key != 0)
            openCard(key, false);
    });

    m_buttons = new QHBoxLayout();
    m_buttons->addStretch(1);
    layout->addLayout(m_buttons);
    m_add = addButton(QStringLiteral("Aggiungi"), QStringLiteral("spdAggiungi"));
    m_open = addButton(QStringLiteral("Avanti"), QStringLiteral("spdAvanti"));
    m_delete = addButton(QStringLiteral("Elimina"), QStringLiteral("spdElimina"));
    m_back = addButton(QStringLiteral("Indietro"), QStringLiteral("spdIndietro"));
    connect(m_add, &QPushButton::clicked, this, &ListScreen::addRecord);
    connect(m_open, &QPushButton::clicked, this, &ListScreen::openCurrent);
    connect(m_delete, &QPushButton::clicked, this, &ListScreen::removeCurrent);
    connect(m_back, &QPushButton::clicked, this, &QDialog::reject);
    m_grid->setFocus();
}

QPushButton* ListScreen::addButton(const QString& caption, const QString& objectName) {
    QPushButton* b = ActionButton(caption, objectName, this, 90);
    // Extra buttons go before "Indietro".
    const int at = m_buttons->count() > 1 && m_buttons->itemAt(m_buttons->count() - 1)->widget() &&
                           m_buttons->itemAt(m_buttons->count() - 1)->widget()->objectName() ==
                               QLatin1String("spdIndietro")
                       ? m_buttons->count() - 1
                       : m_buttons->count();
    m_buttons->insertWidget(at, b);
    return b;
}

QLineEdit* ListScreen::searchBox(const QString& field) const {
    return m_searches.value(field.toLower());
}

QString ListScreen::condition() const {
    QStringList parts;
    if (!m_definition.filter.isEmpty())
        parts.append(m_definition.filter);
    if (m_showCancelled && !m_showCancelled->isChecked())
        parts.append(QStringLiteral("Annullato = false"));
    for (const SearchField& s : m_definition.searches) {
        const QString text = searchBox(s.field)->text();
        if (!text.isEmpty())
            parts.append(s.field + QStringLiteral(" like '") + common::sqlQuote(text) +
                         QStringLiteral("*'"));
    }
    return parts.join(QStringLiteral(" and "));
}

void ListScreen::refresh() {
    QString sql = m_definition.select.isEmpty()
                      ? QStringLiteral("select * from ") + m_definition.table
                      : m_definition.select;
    const QString where = condition();
    if (!where.isEmpty())
        sql += QStringLiteral(" where ") + where;
    // The engine counts and sorts; only the pages shown are read.
    ::ui::guarded(m_context, [&] {
        auto query = std::make_shared<db::PagedQuery>(
            *m_context.db, sql, db::PagedQuery::parseOrder(m_definition.orderBy), m_definition.key);
        if (!m_definition.countSelect.isEmpty() &&
            db::conditionNamesOnly(where, m_definition.countColumns))
            query->setCountSelect(
                m_definition.countSelect +
                (where.isEmpty() ? QString() : QStringLiteral(" where ") + where));
        m_grid->setQuery(std::move(query));
    });
}

qint64 ListScreen::currentKey() const {
    return m_grid->currentKey();
}

qint64 insertNewRow(db::Database& db, const ScreenDefinition& definition) {
    db::Transaction tx(db);
    const qint64 key = db.insert(definition.table, definition.newRow);
    tx.commit();
    return key;
}

void deleteRow(db::Database& db, const ScreenDefinition& definition, qint64 key) {
    db::Transaction tx(db);
    if (definition.beforeDelete)
        definition.beforeDelete(db, key);
    db.exec(QStringLiteral("delete * from %1 where %2 = ?").arg(definition.table, definition.key),
            {key});
    tx.commit();
}

qint64 ListScreen::insertRow() {
    return insertNewRow(*m_context.db, m_definition);
}

void ListScreen::addRecord() {
    qint64 key = 0;
    if (!::ui::guarded(m_context, [&] { key = insertRow(); }))
        return;
    if (key == 0)
        return;
    refresh();
    m_grid->selectKey(key);
    openCard(key, true);
}

void ListScreen::openCurrent() {
    const qint64 key = currentKey();
    if (key != 0)
        openCard(key, false);
}

void ListScreen::openCard(qint64 key, bool isNew) {
    CardScreen* card = m_definition.makeCard
                           ? m_definition.makeCard(m_context, m_definition, key, isNew, this)
                           : new CardScreen(m_context, m_definition, key, isNew, this);
    card->setAttribute(Qt::WA_DeleteOnClose, false);
    card->exec();
    delete card;
    showAgain(key);
}

void ListScreen::showAgain(qint64 key) {
    refresh();
    m_grid->selectKey(key);
    m_grid->setFocus();
}

void ListScreen::removeCurrent() {
    const qint64 key = currentKey();
    if (key == 0)
        return;
    if (!m_context.interaction->question(common::titles::warning, m_definition.deleteQuestion))
        return;
    if (!::ui::guarded(m_context, [&] { deleteRow(*m_context.db, m_definition, key); }))
        return;
    refresh();
}

} // namespace ui
