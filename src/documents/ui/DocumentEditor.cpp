#include "documents/ui/DocumentEditor.h"

#include "documents/DocumentTables.h"
#include "documents/ui/ComputedFields.h"
#include "documents/ui/DocumentRowsPanel.h"
#include "documents/ui/EditorProfile.h"
#include "printing/ui/DocumentActions.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/FieldBinder.h"
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

bool isCustomerField(const QString& field) {
    return field.startsWith(QLatin1String("Cliente_I"), Qt::CaseInsensitive);
}

} // namespace

DocumentEditor::DocumentEditor(::ui::AppContext& context, DocumentKind kind, qint64 documentId,
                               bool isNew, QWidget* parent)
    : HeaderEditor(context, kind, DocumentTables::of(kind).header, documentId, isNew, parent),
      m_profile(EditorProfile::of(kind)) {
    setObjectName(m_profile.editorObjectName);
    setWindowTitle(m_profile.editorTitle);
    resize(m_profile.editorSize);
    m_leaveOnlyWhenValid = m_profile.leaveOnlyWhenValid;

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
}

QPushButton* DocumentEditor::addTool(const QString& caption, const QString& objectName) {
    QPushButton* b = ::ui::ActionButton(caption, objectName, this);
    const int at = m_tools->indexOf(m_help);
    // Tab goes through the toolbar in its order on screen.
    setTabOrder(m_tools->itemAt(at - 1)->widget(), b);
    m_tools->insertWidget(at, b);
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
