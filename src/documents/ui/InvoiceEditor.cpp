#include "documents/ui/InvoiceEditor.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/RegistryRecord.h"
#include "documents/DocumentDeletion.h"
#include "documents/DocumentLog.h"
#include "documents/DocumentOptions.h"
#include "documents/DocumentStore.h"
#include "documents/ExportedDocument.h"
#include "documents/HeaderRules.h"
#include "documents/InstalmentRules.h"
#include "documents/Numbering.h"
#include "documents/ui/ComputedFields.h"
#include "documents/ui/InstalmentCard.h"
#include "einvoice/ui/ExportXmlAction.h"
#include "printing/ReportCodes.h"
#include "printing/ui/DocumentActions.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/FieldBinder.h"
#include "ui/FieldNavigator.h"
#include "ui/Guarded.h"
#include "ui/HelpWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace documents::ui {

namespace {

QWidget* PageOf(QTabWidget* pages, QWidget* editor) {
    for (int i = 0; i < pages->count(); ++i)
        if (pages->widget(i)->isAncestorOf(editor))
            return pages->widget(i);
    return nullptr;
}

} // namespace

InvoiceEditor::InvoiceEditor(::ui::AppContext& context, DocumentKind kind, qint64 documentId,
                             bool isNew, QWidget* parent)
    : QDialog(parent), m_context(context), m_kind(kind), m_id(documentId) {
    const bool credit = kind == DocumentKind::CustomerCreditNote;
    setObjectName(credit ? QStringLiteral("TfrmNoteCredito") : QStringLiteral("TForm7"));
    setWindowTitle(credit ? QStringLiteral("Nota di Credito") : QStringLiteral("Fatturazione"));
    setModal(true);
    resize(1060, 700);

    m_navigator = new ::ui::FieldNavigator(this);
    m_fields = new ::ui::FieldBinder(*context.db, QStringLiteral("fattura"), m_navigator, this);

    auto* layout = new QVBoxLayout(this);
    auto* tools = new QHBoxLayout();
    layout->addLayout(tools);
    const auto tool = [&](const QString& caption, const QString& name) {
        QPushButton* b = ::ui::ActionButton(caption, name, this);
        tools->addWidget(b);
        return b;
    };
    connect(tool(QStringLiteral("Salva"), QStringLiteral("spdSalva")), &QPushButton::clicked, this,
            &InvoiceEditor::save);
    connect(tool(QStringLiteral("Annulla"), QStringLiteral("spdAnnulla")), &QPushButton::clicked,
            this, &InvoiceEditor::cancelEdit);
    connect(tool(QStringLiteral("Indietro"), QStringLiteral("spdIndietro")), &QPushButton::clicked,
            this, &InvoiceEditor::goBack);
    connect(tool(QStringLiteral("Stampa"), QStringLiteral("spdStampa")), &QPushButton::clicked,
            this, &InvoiceEditor::print);
    connect(tool(QStringLiteral("Esporta xml"), QStringLiteral("spdEsportaXml")),
            &QPushButton::clicked, this, &InvoiceEditor::exportXml);
    if (!credit)
        connect(tool(QStringLiteral("Esporta ed invia"), QStringLiteral("spdEsportaInvia")),
                &QPushButton::clicked, this, &InvoiceEditor::exportAndSend);
    QPushButton* cashBook = tool(QStringLiteral("prima nota"), QStringLiteral("spdPrimaNota"));
    cashBook->setToolTip(QStringLiteral("Visualizza in prima nota"));
    connect(cashBook, &QPushButton::clicked, this, &InvoiceEditor::showCashBook);
    if (credit)
        connect(tool(QStringLiteral("Totali"), QStringLiteral("spdTotali")), &QPushButton::clicked,
                this, &InvoiceEditor::totals);
    connect(tool(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto")), &QPushButton::clicked, this,
            [this] { ::ui::HelpWindow::showFor(this); });
    tools->addStretch(1);

    // A document already exported as XML says so above its pages.
    m_exported = new QLabel(this);
    m_exported->setObjectName(QStringLiteral("lblEsportatoXml"));
    m_exported->setWordWrap(true);
    m_exported->setStyleSheet(
        QStringLiteral("QLabel { background: #fff4d6; border: 1px solid #e0b84c; padding: 4px; }"));
    m_exported->hide();
    layout->addWidget(m_exported);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(m_pages, 1);
    m_status = new QStatusBar(this);
    m_status->setSizeGripEnabled(false);
    layout->addWidget(m_status);
    m_pages->addTab(buildHeaderPage(), QStringLiteral("Testata"));
    m_pages->addTab(buildRowsPage(), QStringLiteral("Righe"));
    if (!credit)
        m_pages->addTab(buildImportsPage(), QStringLiteral("Importazioni"));
    m_pages->addTab(buildTransportPage(), QStringLiteral("Accompagnatoria"));
    m_pages->addTab(buildAttachmentsPage(), QStringLiteral("Allegati"));
    m_pages->addTab(buildOtherPage(), QStringLiteral("Altro"));

    connect(m_fields, &::ui::FieldBinder::edited, this, [this](const QString& field) {
        m_modified = true;
        if (field == QLatin1String("Data") || field == QLatin1String("Num") ||
            field == QLatin1String("SerieFatturazione"))
            m_dateOrderPending = true;
        else if (field == QLatin1String("ImportoMarcaBollo"))
            m_stampPending = true;
    });
    connect(m_fields, &::ui::FieldBinder::chosen, this, &InvoiceEditor::fieldChosen);
    connect(m_fields, &::ui::FieldBinder::left, this, &InvoiceEditor::fieldLeft);

    m_header = DocumentStore::load(*context.db, documentId);
    showRecord(m_header);
    showExported();
    refreshRows();
    refreshInstalments();
    refreshAttachments();
    refreshImports();
    // A document just created counts as changed: leaving it runs the checks.
    m_modified = isNew;
    m_isNew = isNew;
    if (QWidget* first = m_fields->editor(QStringLiteral("Cliente_ID")))
        first->setFocus();
}

QPushButton* InvoiceEditor::button(const QString& objectName) const {
    return findChild<QPushButton*>(objectName);
}

QVariantMap InvoiceEditor::record() const {
    QVariantMap r = m_header;
    m_fields->read(r);
    return r;
}

void InvoiceEditor::showRecord(const QVariantMap& header) {
    m_fields->show(header);
}

void InvoiceEditor::showComputed() {
    QVariantMap stored;
    if (!::ui::guarded(m_context, [&] { stored = DocumentStore::load(*m_context.db, m_id); }))
        return;
    QStringList computed{QStringLiteral("TotImponibile"), QStringLiteral("TotImposta"),
                         QStringLiteral("TotFattura"), QStringLiteral("RitenutaAcconto")};
    if (DocumentOptions::load(*m_context.db).stampDuty)
        computed << QStringLiteral("ImportoMarcaBollo") << QStringLiteral("MarcaBolloVirtuale");
    showComputedFields(*m_fields, m_header, stored, computed);
}

void InvoiceEditor::fieldChosen(const QString& field) {
    if (field == QLatin1String("Cliente_ID"))
        customerChosen();
    else if (field == QLatin1String("ModPagamento_Id"))
        termsChosen();
}

void InvoiceEditor::fieldLeft(const QString& field) {
    if (field == QLatin1String("ImportoMarcaBollo") && m_stampPending) {
        m_stampPending = false;
        stampTyped();
        return;
    }
    if (!m_dateOrderPending)
        return;
    if (field != QLatin1String("Data") && field != QLatin1String("Num") &&
        field != QLatin1String("SerieFatturazione"))
        return;
    m_dateOrderPending = false;
    const QVariantMap r = record();
    ::ui::guarded(m_context, [&] {
        Numbering::checkDateOrder(*m_context.db, *m_context.interaction, m_kind,
                                  db::recordValue(r, QStringLiteral("Num")),
                                  db::recordDate(r, QStringLiteral("Data")),
                                  db::recordText(r, QStringLiteral("SerieFatturazione")));
    });
}

void InvoiceEditor::customerChosen() {
    const qint64 customer = m_fields->value(QStringLiteral("Cliente_ID")).toLongLong();
    m_modified = true;
    if (customer <= 0)
        return;
    QVariantMap header = record();
    if (!::ui::guarded(m_context, [&] {
            DocumentStore::chooseCustomer(*m_context.db, m_kind, header, customer);
        }))
        return;
    m_header = header;
    showRecord(m_header);
    refreshInstalments();
    refreshImports();
}

// A stamp typed by hand enters the total and the instalments at once: the
// header is saved silently, as a change of payment terms is.
void InvoiceEditor::stampTyped() {
    QVariantMap header = record();
    if (db::recordValue(header, QStringLiteral("ImportoMarcaBollo")).toDouble() ==
        db::recordValue(m_header, QStringLiteral("ImportoMarcaBollo")).toDouble())
        return;
    if (!::ui::guarded(m_context,
                       [&] { DocumentStore::saveSilently(*m_context.db, m_kind, header); }))
        return;
    m_header = header;
    showRecord(m_header);
    refreshInstalments();
}

void InvoiceEditor::termsChosen() {
    QVariantMap header = record();
    if (!::ui::guarded(m_context, [&] {
            DocumentStore::changePaymentTerms(*m_context.db, m_kind, header,
                                              m_fields->value(QStringLiteral("ModPagamento_Id")));
        }))
        return;
    m_header = header;
    showRecord(m_header);
    refreshInstalments();
}

bool InvoiceEditor::save() {
    QVariantMap header = m_header;
    std::optional<common::Failure> failure = m_fields->read(header);
    if (!::ui::guarded(m_context, [&] {
            if (!failure) {
                if (m_modified)
                    failure = DocumentStore::save(*m_context.db, m_kind, header);
                else
                    failure =
                        HeaderRules::validate(m_kind, header, DocumentOptions::load(*m_context.db));
            }
        }))
        return false;
    if (failure) {
        m_validationFailed = true;
        ::ui::showFailure(*m_context.interaction, *failure);
        if (QWidget* e = m_fields->editor(failure->field)) {
            if (QWidget* page = PageOf(m_pages, e))
                m_pages->setCurrentWidget(page);
            e->setFocus();
        }
        return false;
    }
    m_validationFailed = false;
    if (m_modified) {
        if (const QString w = HeaderRules::warning(m_kind, header); !w.isEmpty())
            m_context.interaction->warning(common::titles::warning, w);
        m_header = header;
        showRecord(m_header);
        refreshInstalments();
        m_modified = false;
    }
    m_status->showMessage(QStringLiteral("Salvato"), 3000);
    return true;
}

void InvoiceEditor::showExported() {
    const QString notice = ExportedDocument::notice(m_header);
    m_exported->setText(notice);
    m_exported->setVisible(!notice.isEmpty());
}

bool InvoiceEditor::mayChangeTotals() {
    const QString question = ExportedDocument::changeQuestion(m_header);
    if (question.isEmpty() || m_totalsChangeAllowed)
        return true;
    m_totalsChangeAllowed = m_context.interaction->question(common::titles::warning, question);
    return m_totalsChangeAllowed;
}

bool InvoiceEditor::post() {
    if (!m_modified)
        return true;
    QVariantMap header = m_header;
    if (auto f = m_fields->read(header)) {
        ::ui::showFailure(*m_context.interaction, *f);
        return false;
    }
    if (!::ui::guarded(m_context,
                       [&] { DocumentStore::saveSilently(*m_context.db, m_kind, header); }))
        return false;
    m_header = header;
    showRecord(m_header);
    refreshInstalments();
    m_modified = false;
    return true;
}

void InvoiceEditor::cancelEdit() {
    if (!m_context.interaction->confirmCancelInsertion())
        return;
    // A new document goes with everything it wrote meanwhile: rows,
    // instalments, cash book, and the marks on what it imported.
    if (m_isNew &&
        !::ui::guarded(m_context, [&] { DocumentDeletion::remove(*m_context.db, m_kind, m_id); }))
        return;
    m_modified = false;
    QDialog::reject();
}

void InvoiceEditor::goBack() {
    if (m_modified && !save())
        return;
    if (m_validationFailed)
        return;
    accept();
}

void InvoiceEditor::reject() {
    goBack();
}

void InvoiceEditor::print() {
    if (!post())
        return;
    const int code = m_kind == DocumentKind::CustomerCreditNote ? printing::reports::creditNote
                                                                : printing::reports::invoice;
    ::ui::guarded(m_context, [&] {
        printing::ui::printReport(m_context, printing::ReportCall{code, m_id});
    });
}

void InvoiceEditor::exportXml() {
    if (!save())
        return;
    einvoice::ui::exportXml(m_context, m_id, this);
    const QVariantMap stored = DocumentStore::load(*m_context.db, m_id);
    for (const char* column : {"EsportatoXml", "DataEsportazioneXml"})
        m_header[QString::fromLatin1(column)] = db::recordValue(stored, column);
    m_fields->showValue(QStringLiteral("EsportatoXml"), db::recordValue(stored, "EsportatoXml"));
    // Exported just now: a later change is a change of what was sent.
    m_totalsChangeAllowed = false;
    showExported();
}

void InvoiceEditor::exportAndSend() {
    if (!save())
        return;
    ::ui::guarded(m_context, [&] {
        QStringList sent;
        printing::ui::exportAndSend(m_context, printing::ExportKind::Invoice, m_id, this, &sent);
        if (!sent.isEmpty())
            DocumentLog::recordInvoice(*m_context.db, DocumentLog::Event::Sent, m_id,
                                       sent.join(QStringLiteral(", ")));
    });
}

void InvoiceEditor::showCashBook() {
    ::ui::guarded(m_context, [&] {
        InstalmentCard::showMovement(m_context,
                                     InstalmentRules::documentMovement(*m_context.db, m_kind, m_id,
                                                                       m_instalments->currentKey()),
                                     this);
    });
}

void InvoiceEditor::totals() {
    if (!::ui::guarded(m_context, [&] { DocumentStore::recalculateNow(*m_context.db, m_id); }))
        return;
    showComputed();
    refreshInstalments();
}

} // namespace documents::ui
