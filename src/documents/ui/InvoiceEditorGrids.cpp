#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/RegistryRecord.h"
#include "documents/ContractImport.h"
#include "documents/CreditNoteImport.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentTables.h"
#include "documents/InstalmentRules.h"
#include "documents/QuoteImport.h"
#include "documents/ui/DocumentRowsPanel.h"
#include "documents/ui/InstalmentsPanel.h"
#include "documents/ui/InvoiceEditor.h"
#include "documents/ui/InvoiceLinksPanel.h"
#include "documents/ui/Pickers.h"
#include "einvoice/ui/AttachmentEditor.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/FieldBinder.h"
#include "ui/Guarded.h"
#include "ui/RecordModel.h"

#include <QComboBox>
#include <QLineEdit>

// The grids of the invoice and credit-note editor: rows, instalments,
// attachments, imports and the credited invoice.
namespace documents::ui {

// ---------------------------------------------------------------------------
// Rows

void InvoiceEditor::refreshRows() {
    m_rowsPanel->refresh();
}

void InvoiceEditor::rowsChanged() {
    DocumentEditor::rowsChanged();
    refreshInstalments();
}

// An import changed the rows: they are read again as well.
void InvoiceEditor::afterRowChange() {
    refreshRows();
    rowsChanged();
}

void InvoiceEditor::addRowByCode() {
    m_rowsPanel->addRowByCode();
}

// ---------------------------------------------------------------------------
// Instalments

void InvoiceEditor::refreshInstalments() {
    m_instalmentPanel->setDocument(m_id);
}

::ui::DataGrid* InvoiceEditor::instalmentsGrid() const {
    return m_instalmentPanel->grid();
}

// ---------------------------------------------------------------------------
// Attachments

void InvoiceEditor::refreshAttachments() {
    ::ui::guarded(m_context, [&] {
        m_attachments->setResult(m_context.db->query(
            QStringLiteral(
                "select * from Fattura_Allegati where Fattura_Id = ? order by NomeAttachment"),
            {m_id}));
    });
}

void InvoiceEditor::addAttachment() {
    einvoice::ui::editAttachment(m_context, m_id, 0, this);
    refreshAttachments();
}

void InvoiceEditor::editAttachment() {
    const qint64 id = m_attachments->currentKey();
    if (id == 0)
        return;
    einvoice::ui::editAttachment(m_context, m_id, id, this);
    refreshAttachments();
    m_attachments->selectKey(id);
}

void InvoiceEditor::removeAttachment() {
    const qint64 id = m_attachments->currentKey();
    if (id == 0)
        return;
    if (einvoice::ui::deleteAttachment(m_context, id))
        refreshAttachments();
}

// ---------------------------------------------------------------------------
// Imports

void InvoiceEditor::refreshImports() {
    if (!m_quoteChoice)
        return;
    const qint64 customer = db::RecordKey(record(), QStringLiteral("Cliente_ID"));
    ::ui::guarded(m_context, [&] {
        m_quoteChoice->clear();
        m_quoteChoice->addItem(QString(), 0);
        m_contractChoice->clear();
        m_contractChoice->addItem(QString(), 0);
        if (customer > 0) {
            for (const QuoteImport::Choice& c : QuoteImport::available(*m_context.db, customer))
                m_quoteChoice->addItem(c.label, c.id);
            for (const ContractImport::Choice& c :
                 ContractImport::available(*m_context.db, customer))
                m_contractChoice->addItem(
                    QStringLiteral("Contratto n° %1 -%2").arg(c.number).arg(c.label), c.rowId);
        }
        m_quotes->setResult(m_context.db->query(
            QStringLiteral(
                "select * from FatturaPreventiviRighe where Fattura_ID = ? order by Data, Numero"),
            {m_id}));
        m_contracts->setResult(m_context.db->query(
            QStringLiteral("select * from FatturaContrattiRighe where Fattura_ID = ? order by "
                           "Data, Numero, NumeroRiga"),
            {m_id}));
    });
    m_links->refresh(customer);
}

void InvoiceEditor::importQuote(int index) {
    const qint64 quote = m_quoteChoice->itemData(index).toLongLong();
    if (quote == 0 || !mayChangeTotals())
        return;
    if (!::ui::guardedRule(
            m_context, [&] { return QuoteImport::import(*m_context.db, m_id, quote); },
            [&](const common::Failure& f) { ::ui::showFailure(*m_context.interaction, f); }))
        return;
    refreshImports();
    afterRowChange();
}

void InvoiceEditor::removeQuote() {
    const qint64 quote = m_quotes->currentKey();
    if (quote == 0 || !mayChangeTotals())
        return;
    if (!::ui::guarded(m_context, [&] { QuoteImport::remove(*m_context.db, m_id, quote); }))
        return;
    refreshImports();
    afterRowChange();
}

void InvoiceEditor::importContract(int index) {
    const qint64 row = m_contractChoice->itemData(index).toLongLong();
    if (row == 0 || !mayChangeTotals())
        return;
    if (!::ui::guardedRule(
            m_context, [&] { return ContractImport::import(*m_context.db, m_id, row); },
            [&](const common::Failure& f) { ::ui::showFailure(*m_context.interaction, f); }))
        return;
    refreshImports();
    afterRowChange();
}

void InvoiceEditor::removeContract() {
    const qint64 row = m_contracts->currentKey();
    if (row == 0 || !mayChangeTotals())
        return;
    if (!::ui::guarded(m_context, [&] { ContractImport::remove(*m_context.db, m_id, row); }))
        return;
    refreshImports();
    afterRowChange();
}

// ---------------------------------------------------------------------------
// Credited invoice

void InvoiceEditor::findInvoice() {
    QList<CreditNoteImport::Invoice> invoices;
    if (!::ui::guardedRule(
            m_context,
            [&] { return CreditNoteImport::invoicesOf(*m_context.db, record(), &invoices); },
            [&](const common::Failure& f) { ::ui::showFailure(*m_context.interaction, f); }))
        return;
    InvoicePicker finder(invoices, this);
    if (finder.exec() != QDialog::Accepted)
        return;
    CreditNoteImport::chooseInvoice(m_header, finder.chosen());
    for (const char* c : {"NCFattIDRif", "NCFattNumRif", "NCFatSerieRif", "NCFattDataRif"})
        m_fields->showValue(QString::fromLatin1(c), db::recordValue(m_header, c));
    m_modified = true;
}

void InvoiceEditor::importRows() {
    QVariantMap note = record();
    if (!::ui::guardedRule(
            m_context,
            [&] {
                return CreditNoteImport::importRows(*m_context.db, *m_context.interaction, note);
            },
            [&](const common::Failure& f) { ::ui::showFailure(*m_context.interaction, f); }))
        return;
    for (const char* c : {"NCFattIDRif", "NCFattNumRif", "NCFatSerieRif", "NCFattDataRif"}) {
        m_header[QString::fromLatin1(c)] = db::recordValue(note, c);
        m_fields->showValue(QString::fromLatin1(c), db::recordValue(note, c));
    }
    afterRowChange();
}

} // namespace documents::ui
