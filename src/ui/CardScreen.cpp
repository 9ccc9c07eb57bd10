#include "ui/CardScreen.h"

#include "common/Titles.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/FieldBinder.h"
#include "ui/FieldNavigator.h"
#include "ui/Guarded.h"
#include "ui/ListScreen.h"
#include "ui/SearchWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace ui {

CardScreen::CardScreen(AppContext& context, const ScreenDefinition& definition, qint64 key,
                       bool isNew, QWidget* parent)
    : QDialog(parent), m_context(context), m_definition(definition), m_key(key), m_isNew(isNew),
      m_navigator(new FieldNavigator(this)),
      m_fields(new FieldBinder(*context.db, definition.table, m_navigator, this,
                               FieldBinder::Navigation::All)) {
    setObjectName(
        definition.objectName.isEmpty()
            ? QStringLiteral("frm%1Dettaglio").arg(definition.table)
            : QString(definition.objectName).replace(QLatin1String("Griglia"), QString()) +
                  QStringLiteral("Dettaglio"));
    setWindowTitle(definition.cardTitle);
    setModal(true);

    m_layout = new QVBoxLayout(this);
    auto* title = new QLabel(definition.cardTitle, this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    title->setFont(big);
    m_layout->addWidget(title);

    bool paged = false;
    for (const CardField& f : definition.fields)
        paged |= !f.page.isEmpty();
    if (paged) {
        m_tabs = new QTabWidget(this);
        m_layout->addWidget(m_tabs, 1);
    }

    for (const CardField& f : definition.fields)
        addRow(f.label, m_fields->create(f, this), f.sameRow, f.page);
    for (const CardField& f : definition.fields)
        if (f.search)
            attachBeside(f.field,
                         {SearchWindow::button(context, *m_fields, f.field, f.search, this)});
    if (!m_tabs)
        m_layout->addStretch(1);

    m_buttons = new QHBoxLayout();
    m_buttons->addStretch(1);
    m_layout->addLayout(m_buttons);
    m_save = addButton(QStringLiteral("Salva"), QStringLiteral("spdSalva"));
    m_cancel = addButton(QStringLiteral("Annulla"), QStringLiteral("spdAnnulla"));
    m_delete = addButton(QStringLiteral("Elimina"), QStringLiteral("spdElimina"));
    m_back = addButton(QStringLiteral("Indietro"), QStringLiteral("spdIndietro"));
    m_status = new QStatusBar(this);
    m_status->setSizeGripEnabled(false);
    m_layout->addWidget(m_status);
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_cancel, &QPushButton::clicked, this, &CardScreen::cancelEdit);
    connect(m_delete, &QPushButton::clicked, this, &CardScreen::removeRecord);
    connect(m_back, &QPushButton::clicked, this, &CardScreen::goBack);

    load();
    resize(std::max(sizeHint().width(), 620), sizeHint().height());
    // The first field gets the focus when the card opens.
    if (!definition.fields.isEmpty())
        if (QWidget* first = editor(definition.fields.first().field))
            first->setFocus();
}

QPushButton* CardScreen::addButton(const QString& caption, const QString& objectName) {
    QPushButton* b = ActionButton(caption, objectName, this, 90);
    m_buttons->addWidget(b);
    return b;
}

CardScreen::Page& CardScreen::page(const QString& name) {
    const QString wanted = m_tabs ? name : QString();
    for (auto& [n, p] : m_pages)
        if (n == wanted || (m_tabs && wanted.isEmpty()))
            return p;
    auto* w = new QWidget(this);
    auto* grid = new QGridLayout(w);
    grid->setContentsMargins(m_tabs ? 9 : 0, m_tabs ? 9 : 0, m_tabs ? 9 : 0, 0);
    if (m_tabs) {
        grid->setRowStretch(99, 1);
        m_tabs->addTab(w, wanted.isEmpty() ? m_definition.cardTitle : wanted);
    } else {
        m_layout->insertWidget(1, w);
    }
    m_pages.append({wanted, Page{w, grid}});
    return m_pages.last().second;
}

void CardScreen::addRow(const QString& label, QWidget* widget, bool sameRow, const QString& name) {
    Page& p = page(name);
    if (sameRow && p.row >= 0) {
        p.column += 2;
    } else {
        ++p.row;
        p.column = 0;
    }
    auto* l = new QLabel(label, p.widget);
    l->setBuddy(widget);
    p.grid->addWidget(l, p.row, p.column, Qt::AlignRight | Qt::AlignVCenter);
    widget->setParent(p.widget);
    const bool fixed = widget->minimumWidth() == widget->maximumWidth();
    p.grid->addWidget(widget, p.row, p.column + 1, fixed ? Qt::AlignLeft : Qt::Alignment());
    p.grid->setColumnStretch(p.column + 1, p.column == 0 ? 3 : 1);
    p.cells.append({p.row, p.column + 1, widget});
}

QWidget* CardScreen::attachBeside(const QString& field, const QList<QWidget*>& widgets,
                                  bool stretchEditor) {
    QWidget* e = editor(field);
    if (!e)
        return nullptr;
    for (auto& [name, p] : m_pages)
        for (Cell& c : p.cells) {
            if (c.widget != e)
                continue;
            auto* holder = new QWidget(p.widget);
            holder->setObjectName(QStringLiteral("box_") + field);
            auto* h = new QHBoxLayout(holder);
            h->setContentsMargins(0, 0, 0, 0);
            h->setSpacing(2);
            p.grid->removeWidget(e);
            h->addWidget(e, stretchEditor ? 1 : 0);
            for (QWidget* w : widgets)
                h->addWidget(w);
            if (!stretchEditor)
                h->addStretch(1);
            p.grid->addWidget(holder, c.row, c.column);
            c.widget = holder;
            return holder;
        }
    return nullptr;
}

void CardScreen::spanRows() {
    for (auto& [name, p] : m_pages) {
        int last = 0;
        for (const Cell& c : p.cells)
            last = std::max(last, c.column);
        for (int i = 0; i < p.cells.size(); ++i) {
            const Cell& c = p.cells[i];
            const bool endOfRow = i + 1 == p.cells.size() || p.cells[i + 1].row != c.row;
            if (!endOfRow || c.column == last)
                continue;
            const bool fixed = c.widget->minimumWidth() == c.widget->maximumWidth();
            p.grid->removeWidget(c.widget);
            p.grid->addWidget(c.widget, c.row, c.column, 1, last - c.column + 1,
                              fixed ? Qt::AlignLeft : Qt::Alignment());
        }
    }
}

void CardScreen::showEvent(QShowEvent* event) {
    spanRows();
    QDialog::showEvent(event);
}

QWidget* CardScreen::editor(const QString& field) const {
    return m_fields->editor(field);
}

QVariant CardScreen::value(const QString& field) const {
    return m_fields->value(field);
}

void CardScreen::setValue(const QString& field, const QVariant& v) {
    m_fields->setValue(field, v);
}

QVariantMap CardScreen::values() const {
    return m_fields->values();
}

bool CardScreen::isModified() const {
    return values() != m_baseline;
}

void CardScreen::load() {
    const db::Result r = m_context.db->query(
        QStringLiteral("select * from %1 where %2 = ?").arg(m_definition.table, m_definition.key),
        {m_key});
    const db::Row row = r.empty() ? db::Row() : r.first();
    for (const CardField& f : m_definition.fields)
        m_fields->showValue(f.field, row.has(f.field) ? row.value(f.field) : QVariant());
    m_baseline = values();
}

std::optional<common::Failure> CardScreen::readErrors(QVariantMap& out) const {
    for (const CardField& f : m_definition.fields) {
        bool ok = true;
        out.insert(f.field, m_fields->value(f.field, &ok));
        if (!ok)
            return common::Failure{common::titles::error,
                                   (m_fields->kind(f.field) == FieldKind::Date ||
                                            m_fields->kind(f.field) == FieldKind::DateTime ||
                                            m_fields->kind(f.field) == FieldKind::Time
                                        ? QStringLiteral("Attenzione data non valida: ")
                                        : QStringLiteral("Attenzione valore non valido: ")) +
                                       f.label,
                                   f.field};
    }
    return std::nullopt;
}

std::optional<common::Failure> CardScreen::validate(const QVariantMap& v) const {
    return m_definition.validate ? m_definition.validate(v) : std::nullopt;
}

void CardScreen::writeExtra(db::Database&, const QVariantMap&) {}

void CardScreen::showFailure(const common::Failure& failure) {
    m_context.interaction->error(failure.title, failure.text);
    if (QWidget* e = editor(failure.field)) {
        if (m_tabs)
            for (int i = 0; i < m_tabs->count(); ++i)
                if (m_tabs->widget(i)->isAncestorOf(e))
                    m_tabs->setCurrentIndex(i);
        e->setFocus(Qt::OtherFocusReason);
    }
}

bool CardScreen::save() {
    // The rules applied on leaving a field hold for a value typed last too.
    m_fields->applyLeaveRules();
    QVariantMap v;
    if (auto failure = readErrors(v)) {
        showFailure(*failure);
        return false;
    }
    if (auto failure = validate(v)) {
        showFailure(*failure);
        return false;
    }
    if (!::ui::guarded(m_context, [&] {
            db::Database& db = *m_context.db;
            db::Transaction tx(db);
            db::Values columns;
            for (const CardField& f : m_definition.fields)
                if (!f.readOnly)
                    columns.append({f.field, v.value(f.field)});
            db.update(m_definition.table, m_key, columns);
            writeExtra(db, v);
            if (m_definition.afterSave)
                m_definition.afterSave(db, m_key, v);
            tx.commit();
        }))
        return false;
    m_baseline = values();
    m_isNew = false;
    if (m_definition.checkStored)
        if (auto failure = m_definition.checkStored(v)) {
            showFailure(*failure);
            return false;
        }
    m_status->showMessage(QStringLiteral("Salvato"), 3000);
    return true;
}

void CardScreen::closeWith(int result) {
    QDialog::done(result);
}

void CardScreen::goBack() {
    if (isModified() && !save())
        return;
    closeWith(QDialog::Accepted);
}

void CardScreen::reject() {
    goBack();
}

void CardScreen::cancelEdit() {
    if (!m_isNew) {
        closeWith(QDialog::Rejected);
        return;
    }
    if (!m_context.interaction->confirmCancelInsertion())
        return;
    // The new row goes with what hangs on it, as "Elimina" would take it.
    if (!::ui::guarded(m_context, [&] { deleteRow(*m_context.db, m_definition, m_key); }))
        return;
    m_deleted = true;
    closeWith(QDialog::Rejected);
}

void CardScreen::removeRecord() {
    if (!m_context.interaction->question(common::titles::warning, m_definition.deleteQuestion))
        return;
    if (!::ui::guarded(m_context, [&] { deleteRow(*m_context.db, m_definition, m_key); }))
        return;
    m_deleted = true;
    closeWith(QDialog::Accepted);
}

} // namespace ui
