#include "ui/SettingsForm.h"

#include "common/Titles.h"
#include "ui/FieldBinder.h"
#include "ui/FieldNavigator.h"
#include "ui/Guarded.h"
#include "ui/SearchWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
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
    : QDialog(parent), m_context(context) {
    setModal(true);
    m_navigator = new ::ui::FieldNavigator(this);
    m_fields = new ::ui::FieldBinder(*context.db, table, m_navigator, this,
                                     ::ui::FieldBinder::Navigation::All);

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
    QWidget* editor = m_fields->create(field, nullptr);
    const ::ui::FieldKind kind = m_fields->kind(field.field);
    QList<QWidget*> besides = beside;
    if (field.search)
        besides.prepend(
            SearchWindow::button(m_context, *m_fields, field.field, field.search, this));
    // Numbers need little room.
    if ((kind == ::ui::FieldKind::Amount || kind == ::ui::FieldKind::Integer) && field.width == 0)
        editor->setFixedWidth(140);

    QWidget* shown = editor;
    if (!besides.isEmpty()) {
        shown = new QWidget;
        auto* h = new QHBoxLayout(shown);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(editor, 1);
        for (QWidget* w : besides)
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
    return m_fields->editor(column);
}

QVariant SettingsForm::value(const QString& column) const {
    return m_fields->value(column);
}

void SettingsForm::setValue(const QString& column, const QVariant& v) {
    m_fields->setValue(column, v);
}

void SettingsForm::loadRow(const db::Row& row) {
    for (const QString& column : m_fields->fields())
        m_fields->showValue(column, row.has(column) ? row.value(column) : QVariant());
    afterLoad();
    m_baseline = m_fields->values();
}

bool SettingsForm::isModified() const {
    const QVariantMap now = m_fields->values();
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (comparable(it.value()) != comparable(m_baseline.value(it.key())))
            return true;
    return extraModified();
}

std::optional<common::Failure> SettingsForm::collect(db::Values* values) const {
    for (const QString& column : m_fields->fields()) {
        bool ok = true;
        const QVariant v = m_fields->value(column, &ok);
        if (!ok)
            return common::Failure{common::titles::error,
                                   QStringLiteral("Attenzione valore non valido nel campo ") +
                                       m_fields->label(column),
                                   column};
        values->append({column, v});
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
    m_baseline = m_fields->values();
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
