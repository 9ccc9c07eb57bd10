#include "ui/FieldBinder.h"

#include "common/Titles.h"
#include "db/Database.h"
#include "db/Row.h"
#include "ui/AppContext.h"
#include "ui/FieldEditors.h"
#include "ui/FieldNavigator.h"
#include "ui/Guarded.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace ui {

FieldBinder::FieldBinder(db::Database& db, QString table, FieldNavigator* navigator,
                         QObject* parent, Navigation navigation)
    : QObject(parent), m_db(db), m_table(std::move(table)), m_navigator(navigator),
      m_navigation(navigation) {}

QWidget* FieldBinder::create(const CardField& field, QWidget* parent) {
    Bound b;
    b.field = field;
    b.kind = resolvedKind(m_table, field);
    b.editor = createEditor(m_table, field, parent);
    const QString name = field.field;
    if (auto* line = qobject_cast<QLineEdit*>(b.editor)) {
        connect(line, &QLineEdit::textEdited, this, [this, name] { emit edited(name); });
        connect(line, &QLineEdit::editingFinished, this, [this, name] {
            applyLeaveRule(name);
            emit left(name);
        });
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(b.editor)) {
        connect(memo, &QPlainTextEdit::textChanged, this, [this, name] {
            if (!m_loading)
                emit edited(name);
        });
    } else if (auto* check = qobject_cast<QCheckBox*>(b.editor)) {
        connect(check, &QCheckBox::clicked, this, [this, name] {
            emit edited(name);
            emit chosen(name);
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(b.editor)) {
        connect(combo, &QComboBox::activated, this, [this, name] {
            applyLeaveRule(name);
            emit edited(name);
            emit chosen(name);
        });
    }
    if (b.kind == FieldKind::Lookup && !field.lookup.sql.isEmpty())
        fillLookup(m_db, b.editor, field.lookup, QVariant());
    if (m_navigator && (m_navigation == Navigation::All || !field.readOnly))
        m_navigator->add(b.editor, b.kind != FieldKind::Memo);
    m_bound.insert(name.toLower(), b);
    m_order.append(name);
    return b.editor;
}

void FieldBinder::place(QGridLayout* grid, const QList<CardField>& fields, QWidget* parent) {
    int row = grid->rowCount() - 1;
    int column = 0;
    if (grid->count() == 0)
        row = -1;
    for (const CardField& f : fields) {
        if (!f.sameRow || row < 0) {
            ++row;
            column = 0;
        }
        QWidget* e = create(f, parent);
        if (kind(f.field) == FieldKind::Check) {
            auto* check = qobject_cast<QCheckBox*>(e);
            check->setText(f.label);
            grid->addWidget(check, row, column + 1);
        } else {
            // Editors without a width of their own take the room of their column.
            if (f.width == 0)
                e->setSizePolicy(QSizePolicy::Expanding, e->sizePolicy().verticalPolicy());
            auto* label = new QLabel(f.label, parent);
            label->setBuddy(e);
            grid->addWidget(label, row, column, Qt::AlignLeft | Qt::AlignVCenter);
            grid->addWidget(e, row, column + 1);
        }
        column += 2;
    }
}

QWidget* FieldBinder::editor(const QString& field) const {
    return m_bound.value(field.toLower()).editor;
}

QString FieldBinder::label(const QString& field) const {
    return m_bound.value(field.toLower()).field.label;
}

FieldKind FieldBinder::kind(const QString& field) const {
    return m_bound.value(field.toLower()).kind;
}

void FieldBinder::show(const QVariantMap& record) {
    for (const QString& name : m_order) {
        QVariant v;
        for (auto it = record.cbegin(); it != record.cend(); ++it)
            if (it.key().compare(name, Qt::CaseInsensitive) == 0) {
                v = it.value();
                break;
            }
        showValue(name, v);
    }
}

void FieldBinder::showValue(const QString& field, const QVariant& value) {
    auto it = m_bound.find(field.toLower());
    if (it == m_bound.end())
        return;
    m_loading = true;
    if (it->kind == FieldKind::Lookup && !it->field.lookup.sql.isEmpty() && !value.isNull()) {
        const auto* combo = qobject_cast<QComboBox*>(it->editor);
        if (combo && combo->findData(value) < 0)
            fillLookup(m_db, it->editor, it->field.lookup, value);
    }
    setEditorValue(it->editor, it->kind, value, it->field.decimals);
    m_loading = false;
}

void FieldBinder::setValue(const QString& field, const QVariant& value) {
    auto it = m_bound.find(field.toLower());
    if (it == m_bound.end())
        return;
    m_loading = true;
    setEditorValue(it->editor, it->kind, value, it->field.decimals);
    m_loading = false;
}

void FieldBinder::refill(const QString& field) {
    auto it = m_bound.find(field.toLower());
    if (it == m_bound.end())
        return;
    const QVariant held = value(field);
    m_loading = true;
    if (it->kind == FieldKind::Lookup && !it->field.lookup.sql.isEmpty())
        fillLookup(m_db, it->editor, it->field.lookup, held);
    setEditorValue(it->editor, it->kind, held, it->field.decimals);
    m_loading = false;
}

void FieldBinder::applyLeaveRule(const QString& field) {
    const auto it = m_bound.constFind(field.toLower());
    if (it == m_bound.cend() || !it->field.onLeave)
        return;
    bool ok = true;
    const QVariant current = value(field, &ok);
    if (ok)
        setValue(field, it->field.onLeave(current));
}

void FieldBinder::applyLeaveRules() {
    for (const QString& name : m_order)
        applyLeaveRule(name);
}

QVariant FieldBinder::value(const QString& field, bool* ok) const {
    auto it = m_bound.find(field.toLower());
    if (it == m_bound.end()) {
        if (ok)
            *ok = true;
        return QVariant();
    }
    return editorValue(it->editor, it->kind, ok);
}

QVariantMap FieldBinder::values() const {
    QVariantMap out;
    for (const QString& name : m_order)
        out.insert(name, value(name));
    return out;
}

std::optional<common::Failure> FieldBinder::read(QVariantMap& record) const {
    for (const QString& name : m_order) {
        const Bound& b = m_bound[name.toLower()];
        if (b.field.readOnly)
            continue;
        bool ok = true;
        QVariant v = editorValue(b.editor, b.kind, &ok);
        if (!ok)
            return common::Failure{
                common::titles::error,
                QStringLiteral("Attenzione il valore di \"%1\" non è valido").arg(b.field.label),
                name};
        QString key = name;
        for (auto it = record.cbegin(); it != record.cend(); ++it)
            if (it.key().compare(name, Qt::CaseInsensitive) == 0) {
                key = it.key();
                break;
            }
        // An hour over a date-and-time column keeps the day the column holds.
        if (b.kind == FieldKind::Time && v.isValid()) {
            const QDateTime held = db::Row::toDateTime(record.value(key));
            v = QDateTime(held.isValid() ? held.date() : QDate::currentDate(), v.toTime());
        }
        record[key] = v;
    }
    return std::nullopt;
}

void FieldBinder::showRefusal(common::Interaction& ui, const common::Failure& failure) const {
    showFailure(ui, failure);
    if (QWidget* e = editor(failure.field))
        e->setFocus();
}

bool FieldBinder::readAndWrite(
    const AppContext& context, QVariantMap& record,
    const std::function<std::optional<common::Failure>(QVariantMap&)>& write) const {
    return guardedRule(
        context,
        [&]() -> std::optional<common::Failure> {
            if (auto f = read(record))
                return f;
            return write(record);
        },
        [&](const common::Failure& f) { showRefusal(*context.interaction, f); });
}

void showFailure(common::Interaction& ui, const common::Failure& failure) {
    if (failure.title.contains(QLatin1String("errore"), Qt::CaseInsensitive))
        ui.error(failure.title, failure.text);
    else
        ui.warning(failure.title, failure.text);
}

} // namespace ui
