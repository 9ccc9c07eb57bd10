#include "common/Interaction.h"
#include "db/DbError.h"
#include "db/RegistryRecord.h"
#include "documents/ContractImport.h"
#include "documents/CreditNoteImport.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentTables.h"
#include "documents/InstalmentRules.h"
#include "documents/QuoteImport.h"
#include "documents/ui/InstalmentCard.h"
#include "documents/ui/InvoiceEditor.h"
#include "documents/ui/InvoiceRowEditor.h"
#include "documents/ui/Pickers.h"
#include "einvoice/ui/AttachmentEditor.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/FieldBinder.h"
#include "ui/RecordModel.h"

#include <QComboBox>
#include <QLineEdit>

// The grids of the invoice and credit-note editor: rows, instalments,
// attachments, imports and the credited invoice.
namespace documents::ui {

namespace {

const QString kNotice = QStringLiteral("Messaggio di avviso");

} // namespace

// ---------------------------------------------------------------------------
// Rows

void InvoiceEditor::refreshRows() {
    const DocumentTables& t = DocumentTables::of(m_kind);
    const QString order = m_insertionOrder ? (m_insertionDescending ? QStringLiteral("IDX DESC")
                                                                    : QStringLiteral("IDX ASC"))
                                           : QStringLiteral("NumeroRiga, IDX");
    const qint64 current = m_rows->currentKey();
    try {
        m_rows->setResult(
            m_context.db->query(QStringLiteral("select * from %1 where %2 = ? order by %3")
                                    .arg(t.rows, t.parent, order),
                                {m_id}));
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    if (current != 0)
        m_rows->selectKey(current);
}

void InvoiceEditor::toggleInsertionOrder() {
    if (m_insertionOrder)
        m_insertionDescending = !m_insertionDescending;
    else
        m_insertionDescending = false;
    m_insertionOrder = true;
    m_rows->records()->setSort(QString());
    refreshRows();
}

// What every row action ends with: the rows, totals and instalments shown
// again, and the document counted as changed.
void InvoiceEditor::afterRowChange() {
    refreshRows();
    showComputed();
    refreshInstalments();
    m_modified = true;
}

void InvoiceEditor::addRowByCode() {
    const QString code = m_code->text().trimmed();
    if (code.isEmpty())
        return;
    qint64 row = 0;
    try {
        if (auto f = DocumentRows::addByCode(*m_context.db, m_kind, m_id, code, &row)) {
            ::ui::showFailure(*m_context.interaction, *f);
            m_code->selectAll();
            return;
        }
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    m_code->clear();
    afterRowChange();
    m_rows->selectKey(row);
}

void InvoiceEditor::addArticle() {
    const qint64 article = ArticlePicker::pick(m_context, this);
    if (article == 0)
        return;
    qint64 row = 0;
    try {
        row = DocumentRows::addArticle(*m_context.db, m_kind, m_id, article);
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    afterRowChange();
    m_rows->selectKey(row);
}

void InvoiceEditor::addFreeRow() {
    qint64 row = 0;
    try {
        row = DocumentRows::addFreeRow(*m_context.db, m_kind, m_id);
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    afterRowChange();
    m_rows->selectKey(row);
    editRowAt(row);
}

void InvoiceEditor::editRow() {
    editRowAt(m_rows->currentKey());
}

void InvoiceEditor::editRowAt(qint64 rowId) {
    if (rowId == 0)
        return;
    {
        InvoiceRowEditor editor(m_context, m_kind, m_id, rowId, this);
        editor.exec();
    }
    afterRowChange();
    m_rows->selectKey(rowId);
}

void InvoiceEditor::removeRow() {
    const qint64 row = m_rows->currentKey();
    if (row == 0)
        return;
    if (!m_context.interaction->question(kNotice, DocumentRows::removeQuestion(m_kind)))
        return;
    try {
        DocumentRows::remove(*m_context.db, m_kind, row);
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    afterRowChange();
}

// ---------------------------------------------------------------------------
// Instalments

void InvoiceEditor::refreshInstalments() {
    const qint64 current = m_instalments->currentKey();
    try {
        m_instalments->setResult(m_context.db->query(
            QStringLiteral("select * from FatturaScadenze where Fattura_ID = ? order by Numero"),
            {m_id}));
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    if (current != 0)
        m_instalments->selectKey(current);
}

void InvoiceEditor::addInstalment() {
    qint64 id = 0;
    try {
        id = InstalmentRules::add(*m_context.db, m_kind, m_id);
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    editInstalmentAt(id, true);
}

void InvoiceEditor::editInstalment() {
    editInstalmentAt(m_instalments->currentKey(), false);
}

void InvoiceEditor::editInstalmentAt(qint64 instalmentId, bool isNew) {
    if (instalmentId == 0)
        return;
    {
        InstalmentCard card(m_context, instalmentId, isNew, this);
        card.exec();
    }
    refreshInstalments();
    m_instalments->selectKey(instalmentId);
    m_modified = true;
}

void InvoiceEditor::removeInstalment() {
    const qint64 id = m_instalments->currentKey();
    if (id == 0)
        return;
    if (!m_context.interaction->question(kNotice, InstalmentRules::removeQuestion()))
        return;
    try {
        InstalmentRules::remove(*m_context.db, id);
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    refreshInstalments();
    m_modified = true;
}

// ---------------------------------------------------------------------------
// Attachments

void InvoiceEditor::refreshAttachments() {
    try {
        m_attachments->setResult(m_context.db->query(
            QStringLiteral(
                "select * from Fattura_Allegati where Fattura_Id = ? order by NomeAttachment"),
            {m_id}));
    } catch (const db::DbError& e) {
        databaseError(e.message());
    }
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
    if (!m_context.interaction->question(
            kNotice, QStringLiteral("Sei sicuro di voler eliminare il Record dell'Allegato ?")))
        return;
    try {
        db::Transaction tx(*m_context.db);
        m_context.db->exec(QStringLiteral("delete * from Fattura_Allegati where id = ?"), {id});
        tx.commit();
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    refreshAttachments();
}

// ---------------------------------------------------------------------------
// Imports

void InvoiceEditor::refreshImports() {
    if (!m_quoteChoice)
        return;
    const qint64 customer = db::RecordKey(record(), QStringLiteral("Cliente_ID"));
    try {
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
    } catch (const db::DbError& e) {
        databaseError(e.message());
    }
}

void InvoiceEditor::importQuote(int index) {
    const qint64 quote = m_quoteChoice->itemData(index).toLongLong();
    if (quote == 0)
        return;
    try {
        if (auto f = QuoteImport::import(*m_context.db, m_id, quote)) {
            ::ui::showFailure(*m_context.interaction, *f);
            return;
        }
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    refreshImports();
    afterRowChange();
}

void InvoiceEditor::removeQuote() {
    const qint64 quote = m_quotes->currentKey();
    if (quote == 0)
        return;
    try {
        QuoteImport::remove(*m_context.db, m_id, quote);
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    refreshImports();
    afterRowChange();
}

void InvoiceEditor::importContract(int index) {
    const qint64 row = m_contractChoice->itemData(index).toLongLong();
    if (row == 0)
        return;
    try {
        if (auto f = ContractImport::import(*m_context.db, m_id, row)) {
            ::ui::showFailure(*m_context.interaction, *f);
            return;
        }
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    refreshImports();
    afterRowChange();
}

void InvoiceEditor::removeContract() {
    const qint64 row = m_contracts->currentKey();
    if (row == 0)
        return;
    try {
        ContractImport::remove(*m_context.db, m_id, row);
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    refreshImports();
    afterRowChange();
}

// ---------------------------------------------------------------------------
// Credited invoice

void InvoiceEditor::findInvoice() {
    QList<CreditNoteImport::Invoice> invoices;
    try {
        if (auto f = CreditNoteImport::invoicesOf(*m_context.db, record(), &invoices)) {
            ::ui::showFailure(*m_context.interaction, *f);
            return;
        }
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
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
    try {
        if (auto f = CreditNoteImport::importRows(*m_context.db, *m_context.interaction, note)) {
            ::ui::showFailure(*m_context.interaction, *f);
            return;
        }
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    for (const char* c : {"NCFattIDRif", "NCFattNumRif", "NCFatSerieRif", "NCFattDataRif"}) {
        m_header[QString::fromLatin1(c)] = db::recordValue(note, c);
        m_fields->showValue(QString::fromLatin1(c), db::recordValue(note, c));
    }
    afterRowChange();
}

} // namespace documents::ui
