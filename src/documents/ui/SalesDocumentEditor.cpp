#include "documents/ui/SalesDocumentEditor.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/RegistryRecord.h"
#include "documents/DocumentLog.h"
#include "documents/DocumentTables.h"
#include "documents/SalesDocuments.h"
#include "documents/ui/ComputedFields.h"
#include "documents/ui/DocumentRowsPanel.h"
#include "documents/ui/SalesProfile.h"
#include "printing/DocumentExport.h"
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

SalesDocumentEditor::SalesDocumentEditor(::ui::AppContext& context, DocumentKind kind,
                                         qint64 documentId, bool isNew, QWidget* parent)
    : QDialog(parent), m_context(context), m_kind(kind), m_profile(SalesProfile::of(kind)),
      m_id(documentId), m_isNew(isNew) {
    setObjectName(m_profile.editorObjectName);
    setWindowTitle(m_profile.editorTitle);
    setModal(true);
    resize(1000, 660);

    m_navigator = new ::ui::FieldNavigator(this);
    m_fields =
        new ::ui::FieldBinder(*context.db, DocumentTables::of(kind).header, m_navigator, this);

    auto* layout = new QVBoxLayout(this);
    auto* tools = new QHBoxLayout();
    layout->addLayout(tools);
    const auto tool = [&](const QString& caption, const QString& name) {
        QPushButton* b = ::ui::ActionButton(caption, name, this);
        tools->addWidget(b);
        return b;
    };
    connect(tool(QStringLiteral("Salva"), QStringLiteral("spdSalva")), &QPushButton::clicked, this,
            &SalesDocumentEditor::save);
    connect(tool(QStringLiteral("Annulla"), QStringLiteral("spdAnnulla")), &QPushButton::clicked,
            this, &SalesDocumentEditor::cancelEdit);
    connect(tool(QStringLiteral("Indietro"), QStringLiteral("spdIndietro")), &QPushButton::clicked,
            this, &SalesDocumentEditor::goBack);
    connect(tool(QStringLiteral("Stampa"), QStringLiteral("spdStampa")), &QPushButton::clicked,
            this, &SalesDocumentEditor::print);
    if (m_profile.halfPrintCode != 0)
        connect(tool(QStringLiteral("St. Metà"), QStringLiteral("spdStampaMeta")),
                &QPushButton::clicked, this, &SalesDocumentEditor::printHalf);
    if (m_profile.exportKind)
        connect(tool(QStringLiteral("Esporta ed invia"), QStringLiteral("spdEsportaInvia")),
                &QPushButton::clicked, this, &SalesDocumentEditor::exportAndSend);
    connect(tool(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto")), &QPushButton::clicked, this,
            [this] { ::ui::HelpWindow::showFor(this); });
    tools->addStretch(1);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(m_pages, 1);
    m_status = new QStatusBar(this);
    m_status->setSizeGripEnabled(false);
    layout->addWidget(m_status);
    m_pages->addTab(buildHeaderPage(), QStringLiteral("Testata"));
    m_rows = new DocumentRowsPanel(
        context,
        {kind, documentId, m_profile.rowsGridName, m_profile.rowColumns, m_profile.costRows},
        m_pages);
    m_pages->addTab(m_rows, QStringLiteral("Righe"));
    connect(m_rows, &DocumentRowsPanel::changed, this, [this] {
        showComputed();
        m_modified = true;
    });

    connect(m_fields, &::ui::FieldBinder::edited, this, [this](const QString& field) {
        m_modified = true;
        if (field == QLatin1String("SerieFatturazione"))
            m_dateOrderPending = true;
    });
    connect(m_fields, &::ui::FieldBinder::chosen, this, &SalesDocumentEditor::fieldChosen);
    connect(m_fields, &::ui::FieldBinder::left, this, &SalesDocumentEditor::fieldLeft);

    ::ui::guarded(context, [&] { m_header = SalesDocuments::load(*context.db, kind, documentId); });
    m_fields->show(m_header);
    m_modified = isNew;
    for (const ::ui::CardField& f : m_profile.headerFields)
        if (f.lookup.sql.isEmpty() == false && f.field.startsWith(QLatin1String("Cliente"))) {
            if (QWidget* e = m_fields->editor(f.field))
                e->setFocus();
        }
}

QWidget* SalesDocumentEditor::buildHeaderPage() {
    auto* page = new QWidget(this);
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

    auto* totals = new QGroupBox(QStringLiteral("Totali"), page);
    auto* totalsGrid = new QGridLayout(totals);
    m_fields->place(totalsGrid, m_profile.totalFields, totals);
    totalsGrid->setColumnStretch(8, 1);
    v->addWidget(totals);
    v->addStretch(1);
    return page;
}

QPushButton* SalesDocumentEditor::button(const QString& objectName) const {
    return findChild<QPushButton*>(objectName);
}

QVariantMap SalesDocumentEditor::record() const {
    QVariantMap r = m_header;
    m_fields->read(r);
    return r;
}

void SalesDocumentEditor::showComputed() {
    QVariantMap stored;
    if (!::ui::guarded(m_context,
                       [&] { stored = SalesDocuments::load(*m_context.db, m_kind, m_id); }))
        return;
    // The totals, and the stamp and the delivery note's pieces the rules
    // compute with them.
    QStringList computed{QStringLiteral("ImportoMarcaBollo")};
    if (m_kind == DocumentKind::Ddt)
        computed << QStringLiteral("Quantita");
    for (const ::ui::CardField& f : m_profile.totalFields)
        computed << f.field;
    showComputedFields(*m_fields, m_header, stored, computed);
}

void SalesDocumentEditor::fieldChosen(const QString& field) {
    if (!field.startsWith(QLatin1String("Cliente_I"), Qt::CaseInsensitive))
        return;
    const qint64 customer = m_fields->value(field).toLongLong();
    m_modified = true;
    if (customer <= 0)
        return;
    QVariantMap header = record();
    if (!::ui::guarded(m_context, [&] {
            SalesDocuments::applyCustomer(*m_context.db, m_kind, header, customer);
        }))
        return;
    m_header = header;
    m_fields->show(m_header);
}

void SalesDocumentEditor::fieldLeft(const QString& field) {
    if (!m_profile.dateOrderCheck || !m_dateOrderPending ||
        field != QLatin1String("SerieFatturazione"))
        return;
    m_dateOrderPending = false;
    const QVariantMap r = record();
    ::ui::guarded(m_context, [&] {
        if (const auto w = SalesDocuments::dateOrderWarning(
                *m_context.db, db::recordValue(r, QStringLiteral("Numero")),
                db::recordDate(r, QStringLiteral("Data")),
                db::recordText(r, QStringLiteral("SerieFatturazione"))))
            m_context.interaction->warning(
                QStringLiteral("Attenzione si sta registrando un documento in modo errato"), *w);
    });
}

bool SalesDocumentEditor::save() {
    QVariantMap header = m_header;
    std::optional<common::Failure> failure = m_fields->read(header);
    if (!::ui::guarded(m_context, [&] {
            if (!failure)
                failure = SalesDocuments::save(*m_context.db, m_kind, header, m_context.history);
        }))
        return false;
    if (failure) {
        ::ui::showFailure(*m_context.interaction, *failure);
        if (QWidget* e = m_fields->editor(failure->field)) {
            m_pages->setCurrentIndex(0);
            e->setFocus();
        }
        return false;
    }
    m_header = header;
    m_fields->show(m_header);
    m_modified = false;
    // Goods handed over without stock still go: the user is told which.
    if (DocumentTables::of(m_kind).movesStock) {
        QStringList below;
        ::ui::guarded(m_context, [&] {
            below = SalesDocuments::articlesBelowZero(*m_context.db, m_kind, m_id);
        });
        if (!below.isEmpty())
            m_context.interaction->warning(common::titles::warning,
                                           SalesDocuments::belowZeroWarning(below));
    }
    m_status->showMessage(QStringLiteral("Salvato"), 3000);
    return true;
}

bool SalesDocumentEditor::post() {
    return !m_modified || save();
}

void SalesDocumentEditor::cancelEdit() {
    if (!m_context.interaction->confirmCancelInsertion())
        return;
    // A new document goes with the rows it got meanwhile (stock given back).
    if (m_isNew &&
        !::ui::guarded(m_context, [&] { SalesDocuments::remove(*m_context.db, m_kind, m_id); }))
        return;
    m_modified = false;
    QDialog::reject();
}

void SalesDocumentEditor::goBack() {
    if (m_modified && !save())
        return;
    accept();
}

void SalesDocumentEditor::reject() {
    goBack();
}

void SalesDocumentEditor::printCode(int code) {
    if (!post())
        return;
    ::ui::guarded(m_context, [&] {
        printing::ui::printReport(m_context, printing::ReportCall{code, m_id});
    });
}

void SalesDocumentEditor::print() {
    printCode(m_profile.printCode);
}

void SalesDocumentEditor::printHalf() {
    printCode(m_profile.halfPrintCode);
}

void SalesDocumentEditor::exportAndSend() {
    if (!m_profile.exportKind || !post())
        return;
    ::ui::guarded(m_context, [&] {
        QStringList sent;
        printing::ui::exportAndSend(m_context, printing::ExportKind(*m_profile.exportKind), m_id,
                                    this, &sent);
        if (!sent.isEmpty())
            DocumentLog::recordSalesDocument(*m_context.db, DocumentLog::Event::Sent, m_kind, m_id,
                                             sent.join(QStringLiteral(", ")));
    });
}

} // namespace documents::ui
