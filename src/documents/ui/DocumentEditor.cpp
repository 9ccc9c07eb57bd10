#include "documents/ui/DocumentEditor.h"

#include "documents/DocumentTables.h"
#include "documents/ui/ComputedFields.h"
#include "documents/ui/DocumentRowsPanel.h"
#include "documents/ui/EditorProfile.h"
#include "printing/ui/DocumentActions.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/FieldBinder.h"
#include "ui/FieldNavigator.h"
#include "ui/Guarded.h"
#include "ui/HelpWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace documents::ui {

namespace {

QWidget* pageOf(QTabWidget* pages, QWidget* editor) {
    for (int i = 0; i < pages->count(); ++i)
        if (pages->widget(i)->isAncestorOf(editor))
            return pages->widget(i);
    return nullptr;
}

bool isCustomerField(const QString& field) {
    return field.startsWith(QLatin1String("Cliente_I"), Qt::CaseInsensitive);
}

} // namespace

DocumentEditor::DocumentEditor(::ui::AppContext& context, DocumentKind kind, qint64 documentId,
                               bool isNew, QWidget* parent)
    : QDialog(parent), m_context(context), m_kind(kind), m_id(documentId), m_isNew(isNew),
      m_profile(EditorProfile::of(kind)) {
    setObjectName(m_profile.editorObjectName);
    setWindowTitle(m_profile.editorTitle);
    setModal(true);
    resize(m_profile.editorSize);

    m_navigator = new ::ui::FieldNavigator(this);
    m_fields =
        new ::ui::FieldBinder(*context.db, DocumentTables::of(kind).header, m_navigator, this);

    m_layout = new QVBoxLayout(this);
    m_tools = new QHBoxLayout();
    m_layout->addLayout(m_tools);
    const auto tool = [&](const QString& caption, const QString& name) {
        QPushButton* b = ::ui::ActionButton(caption, name, this);
        m_tools->addWidget(b);
        return b;
    };
    connect(tool(QStringLiteral("Salva"), QStringLiteral("spdSalva")), &QPushButton::clicked, this,
            &DocumentEditor::save);
    connect(tool(QStringLiteral("Annulla"), QStringLiteral("spdAnnulla")), &QPushButton::clicked,
            this, &DocumentEditor::cancelEdit);
    connect(tool(QStringLiteral("Indietro"), QStringLiteral("spdIndietro")), &QPushButton::clicked,
            this, &DocumentEditor::goBack);
    connect(tool(QStringLiteral("Stampa"), QStringLiteral("spdStampa")), &QPushButton::clicked,
            this, &DocumentEditor::print);
    m_help = tool(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto"));
    connect(m_help, &QPushButton::clicked, this, [this] { ::ui::HelpWindow::showFor(this); });
    m_tools->addStretch(1);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_layout->addWidget(m_pages, 1);
    m_status = new QStatusBar(this);
    m_status->setSizeGripEnabled(false);
    m_layout->addWidget(m_status);

    connect(m_fields, &::ui::FieldBinder::edited, this, [this](const QString& field) {
        m_modified = true;
        fieldEdited(field);
    });
    connect(m_fields, &::ui::FieldBinder::chosen, this,
            [this](const QString& field) { fieldChosen(field); });
    connect(m_fields, &::ui::FieldBinder::left, this,
            [this](const QString& field) { fieldLeft(field); });
}

QPushButton* DocumentEditor::addTool(const QString& caption, const QString& objectName) {
    QPushButton* b = ::ui::ActionButton(caption, objectName, this);
    m_tools->insertWidget(m_tools->indexOf(m_help), b);
    return b;
}

void DocumentEditor::addNotice(QWidget* notice) {
    m_layout->insertWidget(m_layout->indexOf(m_pages), notice);
}

QVBoxLayout* DocumentEditor::placeHeader(QWidget* page) {
    auto* v = new QVBoxLayout(page);
    auto* grid = new QGridLayout();
    v->addLayout(grid);
    m_fields->place(grid, m_profile.headerFields, page);
    // Drop-downs and long texts use the width of the page.
    for (const ::ui::CardField& f : m_profile.headerFields) {
        if (f.sameRow || f.width != 0)
            continue;
        QWidget* e = m_fields->editor(f.field);
        const int index = grid->indexOf(e);
        if (index < 0)
            continue;
        int r = 0, c = 0, rs = 0, cs = 0;
        grid->getItemPosition(index, &r, &c, &rs, &cs);
        grid->removeWidget(e);
        grid->addWidget(e, r, c, 1, 7);
    }
    grid->setColumnStretch(7, 1);
    // Notes and destinations are a few lines: the totals stay in sight.
    for (QPlainTextEdit* memo : page->findChildren<QPlainTextEdit*>())
        memo->setMaximumHeight(90);
    return v;
}

void DocumentEditor::placeTotals(QVBoxLayout* layout, QWidget* page) {
    auto* totals = new QGroupBox(QStringLiteral("Totali"), page);
    auto* grid = new QGridLayout(totals);
    m_fields->place(grid, m_profile.totalFields, totals);
    grid->setColumnStretch(8, 1);
    layout->addWidget(totals);
}

DocumentRowsPanel* DocumentEditor::addRowsPage() {
    DocumentRowsPanel::Setup setup{m_kind, m_id, m_profile.rowsGridName, m_profile.rowColumns,
                                   m_profile.costRows};
    setup.insertionOrderMenu = m_profile.insertionOrderMenu;
    auto* rows = new DocumentRowsPanel(m_context, setup, m_pages);
    m_pages->addTab(rows, QStringLiteral("Righe"));
    connect(rows, &DocumentRowsPanel::changed, this, [this] { rowsChanged(); });
    return rows;
}

void DocumentEditor::showLoaded() {
    ::ui::guarded(m_context, [&] { m_header = loadHeader(); });
    m_fields->show(m_header);
    // A document just created counts as changed: leaving it runs the checks.
    m_modified = m_isNew;
    for (const ::ui::CardField& f : m_profile.headerFields)
        if (!f.lookup.sql.isEmpty() && isCustomerField(f.field))
            if (QWidget* e = m_fields->editor(f.field))
                e->setFocus();
}

void DocumentEditor::showHeader(const QVariantMap& header) {
    m_header = header;
    m_fields->show(m_header);
}

QPushButton* DocumentEditor::button(const QString& objectName) const {
    return findChild<QPushButton*>(objectName);
}

QVariantMap DocumentEditor::record() const {
    QVariantMap r = m_header;
    m_fields->read(r);
    return r;
}

QStringList DocumentEditor::computedFields() const {
    QStringList computed = m_profile.computedFields;
    for (const ::ui::CardField& f : m_profile.totalFields)
        computed << f.field;
    return computed;
}

void DocumentEditor::showComputed() {
    QVariantMap stored;
    if (!::ui::guarded(m_context, [&] { stored = loadHeader(); }))
        return;
    showComputedFields(*m_fields, m_header, stored, computedFields());
}

void DocumentEditor::rowsChanged() {
    showComputed();
    m_modified = true;
}

bool DocumentEditor::applyToHeader(const std::function<void(QVariantMap&)>& rule) {
    QVariantMap header = record();
    if (!::ui::guarded(m_context, [&] { rule(header); }))
        return false;
    showHeader(header);
    return true;
}

void DocumentEditor::fieldChosen(const QString& field) {
    if (isCustomerField(field))
        customerChosen(field);
}

void DocumentEditor::customerChosen(const QString& field) {
    const qint64 customer = m_fields->value(field).toLongLong();
    m_modified = true;
    if (customer <= 0)
        return;
    if (applyToHeader([&](QVariantMap& header) { applyCustomer(header, customer); }))
        customerApplied();
}

bool DocumentEditor::save() {
    QVariantMap header = m_header;
    std::optional<common::Failure> failure = m_fields->read(header);
    if (!::ui::guarded(m_context, [&] {
            if (!failure)
                failure = writeHeader(header);
        }))
        return false;
    if (failure) {
        m_validationFailed = true;
        ::ui::showFailure(*m_context.interaction, *failure);
        if (QWidget* e = m_fields->editor(failure->field)) {
            if (QWidget* page = pageOf(m_pages, e))
                m_pages->setCurrentWidget(page);
            e->setFocus();
        }
        return false;
    }
    m_validationFailed = false;
    headerSaved(header);
    m_status->showMessage(QStringLiteral("Salvato"), 3000);
    return true;
}

void DocumentEditor::headerSaved(const QVariantMap& header) {
    showHeader(header);
    m_modified = false;
}

bool DocumentEditor::post() {
    return !m_modified || save();
}

void DocumentEditor::cancelEdit() {
    if (!m_context.interaction->confirmCancelInsertion())
        return;
    // A new document goes with everything it wrote meanwhile.
    if (m_isNew && !::ui::guarded(m_context, [&] { removeDocument(); }))
        return;
    m_modified = false;
    QDialog::reject();
}

void DocumentEditor::goBack() {
    if (m_modified && !save())
        return;
    if (m_validationFailed && m_profile.leaveOnlyWhenValid)
        return;
    accept();
}

void DocumentEditor::reject() {
    goBack();
}

void DocumentEditor::print() {
    printCode(m_profile.printCode);
}

void DocumentEditor::printCode(int code) {
    if (!post())
        return;
    ::ui::guarded(m_context, [&] {
        printing::ui::printReport(m_context, printing::ReportCall{code, m_id});
    });
}

} // namespace documents::ui
