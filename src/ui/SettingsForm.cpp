#include "ui/SettingsForm.h"

#include "common/Titles.h"
#include "ui/FieldEditors.h"
#include "ui/FieldNavigator.h"
#include "ui/Guarded.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace ui {

namespace {

// Values compared the way they are written back.
QString comparable(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return QString();
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'f', 6);
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().toString(Qt::ISODate);
    return v.toString();
}

} // namespace

SettingsForm::SettingsForm(::ui::AppContext& context, const QString& table, QWidget* parent)
    : QDialog(parent), m_context(context), m_table(table) {
    setModal(true);
    m_navigator = new ::ui::FieldNavigator(this);

    m_pages = new QListWidget(this);
    m_pages->setObjectName(QStringLiteral("lstPagine"));
    m_pages->setFixedWidth(270);
    m_pages->setSpacing(2);
    m_pages->setWordWrap(true);
    m_pages->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pages->setStyleSheet(QStringLiteral(
        "QListWidget { font-size: 11pt; border: none; background: palette(window); outline: 0; }"
        "QListWidget::item { padding: 7px 10px; border-radius: 4px; }"
        "QListWidget::item:selected { background: #2b6cb0; color: white; }"));
    m_stack = new QStackedWidget(this);
    connect(m_pages, &QListWidget::currentRowChanged, m_stack, &QStackedWidget::setCurrentIndex);

    m_save = new QPushButton(QStringLiteral("Salva"), this);
    m_save->setObjectName(QStringLiteral("spdSalva"));
    m_back = new QPushButton(QStringLiteral("Indietro"), this);
    m_back->setObjectName(QStringLiteral("spdIndietro"));
    m_save->setAutoDefault(false);
    m_back->setAutoDefault(false);
    m_save->setMinimumWidth(110);
    m_back->setMinimumWidth(110);
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_back, &QPushButton::clicked, this, &SettingsForm::back);

    auto* body = new QHBoxLayout;
    body->addWidget(m_pages);
    body->addWidget(m_stack, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_back);
    auto* main = new QVBoxLayout(this);
    main->addLayout(body, 1);
    main->addLayout(buttons);
    resize(1080, 700);
}

QFormLayout* SettingsForm::addPage(const QString& title) {
    auto* scroll = new QScrollArea(m_stack);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* inner = new QWidget(scroll);
    auto* v = new QVBoxLayout(inner);
    auto* heading = new QLabel(title, inner);
    heading->setStyleSheet(
        QStringLiteral("font-size: 14pt; font-weight: 600; padding-bottom: 6px;"));
    v->addWidget(heading);
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setHorizontalSpacing(12);
    v->addLayout(form);
    v->addStretch(1);
    scroll->setWidget(inner);
    m_stack->addWidget(scroll);
    m_pages->addItem(title);
    if (m_pages->count() == 1)
        m_pages->setCurrentRow(0);
    return form;
}

void SettingsForm::addSection(QFormLayout* page, const QString& title) {
    auto* label = new QLabel(title);
    label->setStyleSheet(QStringLiteral("font-weight: 600; padding-top: 10px; color: #2b4c7e;"));
    page->addRow(label);
}

QWidget* SettingsForm::addField(QFormLayout* page, const ::ui::CardField& field) {
    return addField(page, field, {});
}

QWidget* SettingsForm::addField(QFormLayout* page, const ::ui::CardField& field,
                                const QList<QWidget*>& beside) {
    const ::ui::FieldKind kind = ::ui::resolvedKind(m_table, field);
    QWidget* editor = ::ui::createEditor(m_table, field, nullptr);
    m_index.insert(field.field.toUpper(), m_entries.size());
    m_entries.append({field, kind, editor});
    m_navigator->add(editor, kind != ::ui::FieldKind::Memo);
    // Numbers need little room; drop-downs must not ask for the width of
    // their longest entry.
    if ((kind == ::ui::FieldKind::Amount || kind == ::ui::FieldKind::Integer) && field.width == 0)
        editor->setFixedWidth(140);
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(16);
    }

    QWidget* shown = editor;
    if (!beside.isEmpty()) {
        shown = new QWidget;
        auto* h = new QHBoxLayout(shown);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(editor, 1);
        for (QWidget* w : beside)
            h->addWidget(w);
    }
    if (auto* check = qobject_cast<QCheckBox*>(editor)) {
        check->setText(field.label);
        page->addRow(QString(), shown);
    } else {
        page->addRow(field.label, shown);
    }
    return editor;
}

void SettingsForm::addWidgetRow(QFormLayout* page, const QString& label, QWidget* widget) {
    page->addRow(label, widget);
}

QWidget* SettingsForm::editor(const QString& column) const {
    const auto it = m_index.constFind(column.toUpper());
    return it == m_index.cend() ? nullptr : m_entries[*it].editor;
}

QVariant SettingsForm::value(const QString& column) const {
    const auto it = m_index.constFind(column.toUpper());
    if (it == m_index.cend())
        return QVariant();
    const Entry& e = m_entries[*it];
    return ::ui::editorValue(e.editor, e.kind);
}

void SettingsForm::setValue(const QString& column, const QVariant& v) {
    const auto it = m_index.constFind(column.toUpper());
    if (it == m_index.cend())
        return;
    const Entry& e = m_entries[*it];
    ::ui::setEditorValue(e.editor, e.kind, v, e.field.decimals);
}

void SettingsForm::loadRow(const db::Row& row) {
    for (const Entry& e : m_entries) {
        const QVariant v = row.has(e.field.field) ? row.value(e.field.field) : QVariant();
        if (e.kind == ::ui::FieldKind::Lookup && !e.field.lookup.sql.isEmpty())
            ::ui::fillLookup(db(), e.editor, e.field.lookup, v);
        ::ui::setEditorValue(e.editor, e.kind, v, e.field.decimals);
    }
    afterLoad();
    m_baseline = currentValues();
}

QVariantMap SettingsForm::currentValues() const {
    QVariantMap out;
    for (const Entry& e : m_entries)
        out.insert(e.field.field, ::ui::editorValue(e.editor, e.kind));
    return out;
}

bool SettingsForm::isModified() const {
    const QVariantMap now = currentValues();
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (comparable(it.value()) != comparable(m_baseline.value(it.key())))
            return true;
    return extraModified();
}

std::optional<common::Failure> SettingsForm::collect(db::Values* values) const {
    for (const Entry& e : m_entries) {
        bool ok = true;
        const QVariant v = ::ui::editorValue(e.editor, e.kind, &ok);
        if (!ok)
            return common::Failure{common::titles::error,
                                   QStringLiteral("Attenzione valore non valido nel campo ") +
                                       e.field.label,
                                   e.field.field};
        values->append({e.field.field, v});
    }
    return std::nullopt;
}

void SettingsForm::showPageOf(QWidget* w) {
    for (int i = 0; i < m_stack->count(); ++i) {
        if (m_stack->widget(i)->isAncestorOf(w)) {
            m_pages->setCurrentRow(i);
            return;
        }
    }
}

int SettingsForm::pageCount() const {
    return m_stack->count();
}

QStringList SettingsForm::pageTitles() const {
    QStringList out;
    for (int i = 0; i < m_pages->count(); ++i)
        out.append(m_pages->item(i)->text());
    return out;
}

bool SettingsForm::save() {
    db::Values values;
    if (const auto failure = collect(&values)) {
        interaction().fail(*failure);
        if (QWidget* w = editor(failure->field)) {
            showPageOf(w);
            w->setFocus();
        }
        return false;
    }
    if (!::ui::guarded(&interaction(), [&] {
            db::Transaction tx(db());
            write(values);
            tx.commit();
        }))
        return false;
    m_baseline = currentValues();
    afterSave();
    return true;
}

void SettingsForm::back() {
    if (isModified()) {
        if (interaction().question(common::titles::warning,
                                   QStringLiteral("Le modifiche non sono state salvate.\nVuoi "
                                                  "salvarle prima di uscire ?"))) {
            if (!save())
                return;
        }
    }
    m_closing = true;
    QDialog::accept();
}

void SettingsForm::reject() {
    if (m_closing) {
        QDialog::reject();
        return;
    }
    back();
}

void SettingsForm::closeEvent(QCloseEvent* event) {
    if (m_closing) {
        event->accept();
        return;
    }
    event->ignore();
    back();
}

} // namespace ui
