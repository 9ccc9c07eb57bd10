#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/Database.h"
#include "db/RegistryRecord.h"
#include "purchases/CreditedInvoice.h"
#include "purchases/InvoiceView.h"
#include "purchases/ReceivedStore.h"
#include "purchases/ScannedDocument.h"
#include "purchases/SupplierDocuments.h"
#include "purchases/SupplierRows.h"
#include "purchases/SupplierTables.h"
#include "purchases/ui/SupplierEditor.h"
#include "purchases/ui/SupplierInvoicePicker.h"
#include "purchases/ui/SupplierRowEditor.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/FieldBinder.h"
#include "ui/Guarded.h"
#include "ui/RecordModel.h"

#include <QDesktopServices>
#include <QDir>
#include <QHBoxLayout>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

// The rows and instalments pages of the supplier-document editor and the
// actions on them.
namespace purchases::ui {

QWidget* SupplierEditor::buildRowsPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    const SupplierTables& t = SupplierTables::of(m_kind);
    m_rows = new ::ui::DataGrid(m_context, objectName() + QStringLiteral(".righe"), page);
    m_rows->setObjectName(QStringLiteral("DBGrid2"));
    m_rows->setTable(t.rows);
    m_rows->setKeyColumn(t.key);
    m_rows->setDefaultColumns({{"NumeroRiga", 45, "N°"},
                               {"Codice", 100, "Codice"},
                               {"Descrizione", 300, "Descrizione"},
                               {"Um", 70, "Quantità"},
                               {"ValoreUnitario", 100, "Valore Unitario"},
                               {"Sconto", 60, "Sconto"},
                               {"AliquotaIva", 60, "Iva %"},
                               {"TotaleImponibile", 110, "Imponibile"},
                               {"PrezzoCompleto", 110, "Valore Totale"}});
    v->addWidget(m_rows);
    auto* buttons = new QHBoxLayout();
    const auto add = [&](const QString& caption, const QString& name,
                         void (SupplierEditor::*slot)()) {
        QPushButton* b = ::ui::ActionButton(caption, name, page);
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, this, slot);
    };
    add(QStringLiteral("Aggiungi"), QStringLiteral("btnAggiungiRiga"), &SupplierEditor::addRow);
    add(QStringLiteral("Modifica"), QStringLiteral("btnModificaRiga"), &SupplierEditor::editRow);
    add(QStringLiteral("Elimina"), QStringLiteral("btnEliminaRiga"), &SupplierEditor::removeRow);
    buttons->addStretch(1);
    v->addLayout(buttons);
    connect(m_rows, &::ui::DataGrid::rowChosen, this, [this](qint64 key) { editRowAt(key); });
    return page;
}

QWidget* SupplierEditor::buildInstalmentsPage() {
    m_instalments = new documents::ui::InstalmentsPanel(
        m_context, objectName() + QStringLiteral(".scadenze"),
        SupplierTables::of(m_kind).instalmentType, QStringLiteral("DataScadenza,Numero"), this);
    connect(m_instalments, &documents::ui::InstalmentsPanel::changed, this,
            [this] { m_modified = true; });
    return m_instalments;
}

QWidget* SupplierEditor::buildAttachmentsPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    m_attachments = new ::ui::DataGrid(m_context, objectName() + QStringLiteral(".allegati"), page);
    m_attachments->setObjectName(QStringLiteral("DBGridAllegati"));
    m_attachments->setTable(QStringLiteral("Fattura_Allegati"));
    m_attachments->setKeyColumn(QStringLiteral("id"));
    m_attachments->setDefaultColumns({{"NomeAttachment", 260, "Nome"},
                                      {"DescrizioneAttachment", 300, "Descrizione"},
                                      {"FormatoAttachment", 80, "Formato"}});
    v->addWidget(m_attachments);
    auto* buttons = new QHBoxLayout();
    QPushButton* open =
        ::ui::ActionButton(QStringLiteral("Apri"), QStringLiteral("btnApriAllegato"), page);
    buttons->addWidget(open);
    buttons->addStretch(1);
    v->addLayout(buttons);
    connect(open, &QPushButton::clicked, this, &SupplierEditor::openAttachment);
    connect(m_attachments, &::ui::DataGrid::rowChosen, this, [this] { openAttachment(); });
    return page;
}

void SupplierEditor::refreshAttachments() {
    ::ui::guarded(m_context, [&] {
        m_attachments->setResult(m_context.db->query(
            QStringLiteral("select * from Fattura_Allegati where Fattura_Id = ? order by "
                           "NomeAttachment"),
            {m_id}));
    });
}

void SupplierEditor::openAttachment() {
    const int row = m_attachments->currentRowIndex();
    if (row < 0)
        return;
    const QString path =
        m_attachments->records()->value(row, QStringLiteral("PercorsoCompleto")).toString();
    if (auto f = ScannedDocument::checkViewable(path)) {
        ::ui::showFailure(*m_context.interaction, *f);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void SupplierEditor::viewReceived() {
    QString xml;
    ::ui::guarded(m_context, [&] { xml = ReceivedStore::xmlPath(*m_context.db, m_id); });
    const QString html =
        QDir(QDir::tempPath()).filePath(QStringLiteral("ossarion-fattura-%1.html").arg(m_id));
    if (auto f = InvoiceView::render(xml, InvoiceView::stylesheetFor(xml), html)) {
        ::ui::showFailure(*m_context.interaction, *f);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(html));
}

void SupplierEditor::refreshRows() {
    const SupplierTables& t = SupplierTables::of(m_kind);
    ::ui::guarded(m_context, [&] {
        m_rows->setResult(m_context.db->query(
            QStringLiteral("select * from %1 where %2 = ? order by NumeroRiga, %3")
                .arg(t.rows, t.parent, t.key),
            {m_id}));
    });
}

void SupplierEditor::refreshInstalments() {
    m_instalments->setDocument(m_id);
}

// What every row action ends with: rows, totals and instalments shown again,
// the header edits not yet saved kept.
void SupplierEditor::afterRowChange() {
    refreshRows();
    refreshInstalments();
    QVariantMap pending = m_header;
    m_fields->read(pending);
    ::ui::guarded(m_context, [&] {
        const QVariantMap stored = SupplierDocuments::load(*m_context.db, m_id);
        for (const char* c : {"TotImponibile", "TotImposta", "TotFattura"})
            pending[QString::fromLatin1(c)] = stored.value(QString::fromLatin1(c));
    });
    showHeader(pending);
    m_modified = true;
}

void SupplierEditor::addRow() {
    // The rows hang on a header with its dates: write pending edits first.
    if (!post())
        return;
    editRowAt(0);
}

void SupplierEditor::editRow() {
    const qint64 key = m_rows->currentKey();
    if (key != 0)
        editRowAt(key);
}

void SupplierEditor::editRowAt(qint64 rowId) {
    qint64 saved = rowId;
    {
        SupplierRowEditor editor(m_context, m_kind, m_id, rowId, this);
        editor.exec();
        saved = db::RecordKey(editor.record(), SupplierTables::of(m_kind).key);
    }
    afterRowChange();
    if (saved > 0)
        m_rows->selectKey(saved);
}

void SupplierEditor::removeRow() {
    const qint64 key = m_rows->currentKey();
    if (key == 0)
        return;
    const QString question = SupplierTables::of(m_kind).creditNote
                                 ? QStringLiteral("Sei sicuro di voler eliminare il record ?")
                                 : QStringLiteral("Sei sicuro di voler eliminare la riga?");
    if (!m_context.interaction->question(common::titles::warning, question))
        return;
    if (::ui::guarded(m_context, [&] { SupplierRows::remove(*m_context.db, m_kind, key); }))
        afterRowChange();
}

void SupplierEditor::findInvoice() {
    QVariantMap h = m_header;
    if (m_fields->read(h))
        return;
    if (auto f = CreditedInvoice::canChoose(h)) {
        ::ui::showFailure(*m_context.interaction, *f);
        return;
    }
    const qint64 invoice = SupplierInvoicePicker::pick(
        m_context, db::RecordKey(h, QStringLiteral("Fornitore_ID")), this);
    if (invoice == 0)
        return;
    ::ui::guarded(m_context, [&] { CreditedInvoice::choose(*m_context.db, h, invoice); });
    showHeader(h);
    m_modified = true;
}

void SupplierEditor::importRows() {
    if (!post())
        return;
    if (::ui::guardedRule(
            m_context, [&] { return CreditedInvoice::importRows(*m_context.db, m_id); },
            [&](const common::Failure& f) { ::ui::showFailure(*m_context.interaction, f); }))
        afterRowChange();
}

} // namespace purchases::ui
