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
#include "documents/ui/InstalmentCard.h"
#include "einvoice/ui/ExportXmlAction.h"
#include "printing/ui/DocumentActions.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/FieldBinder.h"
#include "ui/Guarded.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace documents::ui {

InvoiceEditor::InvoiceEditor(::ui::AppContext& context, DocumentKind kind, qint64 documentId,
                             bool isNew, QWidget* parent)
    : DocumentEditor(context, kind, documentId, isNew, parent) {
    const bool credit = kind == DocumentKind::CustomerCreditNote;
    connect(addTool(QStringLiteral("Esporta xml"), QStringLiteral("spdEsportaXml")),
            &QPushButton::clicked, this, &InvoiceEditor::exportXml);
    if (!credit)
        connect(addTool(QStringLiteral("Esporta ed invia"), QStringLiteral("spdEsportaInvia")),
                &QPushButton::clicked, this, &InvoiceEditor::exportAndSend);
    QPushButton* cashBook = addTool(QStringLiteral("prima nota"), QStringLiteral("spdPrimaNota"));
    cashBook->setToolTip(QStringLiteral("Visualizza in prima nota"));
    connect(cashBook, &QPushButton::clicked, this, &InvoiceEditor::showCashBook);
    if (credit)
        connect(addTool(QStringLiteral("Totali"), QStringLiteral("spdTotali")),
                &QPushButton::clicked, this, &InvoiceEditor::totals);

    // A document already exported as XML says so above its pages.
    m_exported = new QLabel(this);
    m_exported->setObjectName(QStringLiteral("lblEsportatoXml"));
    m_exported->setWordWrap(true);
    m_exported->setStyleSheet(
        QStringLiteral("QLabel { background: #fff4d6; border: 1px solid #e0b84c; padding: 4px; }"));
    m_exported->hide();
    addNotice(m_exported);

    m_pages->addTab(buildHeaderPage(), QStringLiteral("Testata"));
    buildRowsPage();
    if (!credit)
        m_pages->addTab(buildImportsPage(), QStringLiteral("Importazioni"));
    m_pages->addTab(buildTransportPage(), QStringLiteral("Accompagnatoria"));
    m_pages->addTab(buildAttachmentsPage(), QStringLiteral("Allegati"));
    m_pages->addTab(buildOtherPage(), QStringLiteral("Altro"));

    showLoaded();
    showExported();
    refreshInstalments();
    refreshAttachments();
    refreshImports();
}

QVariantMap InvoiceEditor::loadHeader() {
    return DocumentStore::load(*m_context.db, m_id);
}

std::optional<common::Failure> InvoiceEditor::writeHeader(QVariantMap& header) {
    // An unchanged header is only checked: "Indietro" stays on a bad one.
    if (m_modified)
        return DocumentStore::save(*m_context.db, m_kind, header);
    return HeaderRules::validate(m_kind, header, DocumentOptions::load(*m_context.db));
}

void InvoiceEditor::headerSaved(const QVariantMap& header) {
    if (!m_modified)
        return;
    if (const QString w = HeaderRules::warning(m_kind, header); !w.isEmpty())
        m_context.interaction->warning(common::titles::warning, w);
    DocumentEditor::headerSaved(header);
    refreshInstalments();
}

void InvoiceEditor::removeDocument() {
    // Rows, instalments, cash book, and the marks on what it imported.
    DocumentDeletion::remove(*m_context.db, m_kind, m_id);
}

void InvoiceEditor::applyCustomer(QVariantMap& header, qint64 customer) {
    DocumentStore::chooseCustomer(*m_context.db, m_kind, header, customer);
}

void InvoiceEditor::customerApplied() {
    refreshInstalments();
    refreshImports();
}

QStringList InvoiceEditor::computedFields() const {
    QStringList computed = DocumentEditor::computedFields();
    if (DocumentOptions::load(*m_context.db).stampDuty)
        computed << QStringLiteral("ImportoMarcaBollo") << QStringLiteral("MarcaBolloVirtuale");
    return computed;
}

void InvoiceEditor::fieldEdited(const QString& field) {
    if (field == QLatin1String("Data") || field == QLatin1String("Num") ||
        field == QLatin1String("SerieFatturazione"))
        m_dateOrderPending = true;
    else if (field == QLatin1String("ImportoMarcaBollo"))
        m_stampPending = true;
}

void InvoiceEditor::fieldChosen(const QString& field) {
    if (field == QLatin1String("ModPagamento_Id"))
        termsChosen();
    else
        DocumentEditor::fieldChosen(field);
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

// A stamp typed by hand enters the total and the instalments at once: the
// header is saved silently, as a change of payment terms is.
void InvoiceEditor::stampTyped() {
    const QVariantMap shown = record();
    if (db::recordValue(shown, QStringLiteral("ImportoMarcaBollo")).toDouble() ==
        db::recordValue(m_header, QStringLiteral("ImportoMarcaBollo")).toDouble())
        return;
    if (applyToHeader([&](QVariantMap& header) {
            DocumentStore::saveSilently(*m_context.db, m_kind, header);
        }))
        refreshInstalments();
}

void InvoiceEditor::termsChosen() {
    if (applyToHeader([&](QVariantMap& header) {
            DocumentStore::changePaymentTerms(*m_context.db, m_kind, header,
                                              m_fields->value(QStringLiteral("ModPagamento_Id")));
        }))
        refreshInstalments();
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
    showHeader(header);
    refreshInstalments();
    m_modified = false;
    return true;
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
        InstalmentCard::showMovement(
            m_context,
            InstalmentRules::documentMovement(*m_context.db, m_kind, m_id,
                                              instalmentsGrid()->currentKey()),
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
