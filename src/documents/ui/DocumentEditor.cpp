#include "documents/ui/DocumentEditor.h"

#include "app/RegistryRecord.h"
#include "app/ui/DocumentActions.h"
#include "app/ui/HelpWindow.h"
#include "common/Interaction.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "documents/ContractImport.h"
#include "documents/CreditNoteImport.h"
#include "documents/DocumentOptions.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentStore.h"
#include "documents/DocumentTables.h"
#include "documents/HeaderRules.h"
#include "documents/InstalmentCard.h"
#include "documents/Numbering.h"
#include "documents/QuoteImport.h"
#include "documents/ui/FieldBinder.h"
#include "documents/ui/InstalmentDialog.h"
#include "documents/ui/Pickers.h"
#include "documents/ui/RowEditor.h"
#include "einvoice/ui/AttachmentEditor.h"
#include "einvoice/ui/ExportXmlAction.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/FieldNavigator.h"
#include "ui/RecordModel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QVBoxLayout>

namespace documents::ui {

namespace {

const QString kError = QStringLiteral("Messaggio di errore");
const QString kNotice = QStringLiteral("Messaggio di avviso");

// Instalments already paid are painted light blue.
class PaidInstalmentDelegate : public QStyledItemDelegate {
public:
    explicit PaidInstalmentDelegate(::ui::DataGrid* grid)
        : QStyledItemDelegate(grid), m_grid(grid) {}
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!m_grid->records()->value(index.row(), QStringLiteral("DataPagamento")).isNull())
            option->backgroundBrush = QColor(173, 216, 230);
    }

private:
    ::ui::DataGrid* m_grid;
};

QWidget* PageOf(QTabWidget* pages, QWidget* editor) {
    for (int i = 0; i < pages->count(); ++i)
        if (pages->widget(i)->isAncestorOf(editor))
            return pages->widget(i);
    return nullptr;
}

} // namespace

TForm7::TForm7(::ui::AppContext& context, DocumentKind kind, qint64 documentId, bool isNew,
               QWidget* parent)
    : QDialog(parent), m_context(context), m_kind(kind), m_id(documentId) {
    const bool credit = kind == DocumentKind::CustomerCreditNote;
    setObjectName(credit ? QStringLiteral("TfrmNoteCredito") : QStringLiteral("TForm7"));
    setWindowTitle(credit ? QStringLiteral("Nota di Credito") : QStringLiteral("Fatturazione"));
    setModal(true);
    resize(1060, 700);

    m_navigator = new ::ui::FieldNavigator(this);
    m_fields = new FieldBinder(*context.db, QStringLiteral("fattura"), m_navigator, this);

    auto* layout = new QVBoxLayout(this);
    auto* tools = new QHBoxLayout();
    layout->addLayout(tools);
    const auto tool = [&](const QString& caption, const QString& name) {
        QPushButton* b = ::ui::ActionButton(caption, name, this);
        tools->addWidget(b);
        return b;
    };
    connect(tool(QStringLiteral("Salva"), QStringLiteral("spdSalva")), &QPushButton::clicked, this,
            &TForm7::save);
    connect(tool(QStringLiteral("Annulla"), QStringLiteral("spdAnnulla")), &QPushButton::clicked,
            this, &TForm7::cancelEdit);
    connect(tool(QStringLiteral("Indietro"), QStringLiteral("spdIndietro")), &QPushButton::clicked,
            this, &TForm7::goBack);
    connect(tool(QStringLiteral("Stampa"), QStringLiteral("spdStampa")), &QPushButton::clicked,
            this, &TForm7::print);
    connect(tool(QStringLiteral("Esporta xml"), QStringLiteral("spdEsportaXml")),
            &QPushButton::clicked, this, &TForm7::exportXml);
    if (!credit)
        connect(tool(QStringLiteral("Esporta ed invia"), QStringLiteral("spdEsportaInvia")),
                &QPushButton::clicked, this, &TForm7::exportAndSend);
    QPushButton* cashBook = tool(QStringLiteral("prima nota"), QStringLiteral("spdPrimaNota"));
    cashBook->setToolTip(QStringLiteral("Visualizza in prima nota"));
    connect(cashBook, &QPushButton::clicked, this, &TForm7::showCashBook);
    if (credit)
        connect(tool(QStringLiteral("Totali"), QStringLiteral("spdTotali")), &QPushButton::clicked,
                this, &TForm7::totals);
    connect(tool(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto")), &QPushButton::clicked, this,
            [this] { app::ui::HelpWindow::showFor(this); });
    tools->addStretch(1);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(m_pages, 1);
    m_pages->addTab(buildHeaderPage(), QStringLiteral("Testata"));
    m_pages->addTab(buildRowsPage(), QStringLiteral("Righe"));
    if (!credit)
        m_pages->addTab(buildImportsPage(), QStringLiteral("Importazioni"));
    m_pages->addTab(buildTransportPage(), QStringLiteral("Accompagnatoria"));
    m_pages->addTab(buildAttachmentsPage(), QStringLiteral("Allegati"));
    m_pages->addTab(buildOtherPage(), QStringLiteral("Altro"));

    connect(m_fields, &FieldBinder::edited, this, [this](const QString& field) {
        m_modified = true;
        if (field == QLatin1String("Data") || field == QLatin1String("Num") ||
            field == QLatin1String("SerieFatturazione"))
            m_dateOrderPending = true;
        else if (field == QLatin1String("ImportoMarcaBollo"))
            m_stampPending = true;
    });
    connect(m_fields, &FieldBinder::chosen, this, &TForm7::fieldChosen);
    connect(m_fields, &FieldBinder::left, this, &TForm7::fieldLeft);

    m_header = DocumentStore::load(*context.db, documentId);
    showRecord(m_header);
    refreshRows();
    refreshInstalments();
    refreshAttachments();
    refreshImports();
    // A document just created counts as changed: leaving it runs the checks.
    m_modified = isNew;
    if (QWidget* first = m_fields->editor(QStringLiteral("Cliente_ID")))
        first->setFocus();
}

QPushButton* TForm7::button(const QString& objectName) const {
    return findChild<QPushButton*>(objectName);
}

QWidget* TForm7::buildHeaderPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    const bool credit = m_kind == DocumentKind::CustomerCreditNote;

    auto* document = new QGridLayout();
    v->addLayout(document);
    ::ui::CardField customer = LookupField(
        "Cliente_ID", "Cliente",
        "select Id, NominativoDocumenti, Annullato from Clienti order by NominativoDocumenti", "Id",
        "NominativoDocumenti", "Annullato");
    m_fields->place(document,
                    {Field("SerieFatturazione", "Serie", false, 80),
                     Field("Num", "Numero", true, 90), Field("Data", "Data", true),
                     Field("NonNumerare", "Non numerare", true)},
                    page);
    m_fields->place(document, {customer}, page);
    m_fields->place(
        document,
        {LookupField("ModPagamento_Id", "Modalità di pagamento",
                     "select Id, Descrizione from ModPagamento order by Descrizione", "Id",
                     "Descrizione"),
         LookupField("Banca_ID", "Banca", "select ID, Banca, Annullato from Bank order by Banca",
                     "ID", "Banca", "Annullato")},
        page);
    m_fields->place(document,
                    {Field("DatiTrasmissione_NumeroInterno", "N° interno", false, 90),
                     Field("DatiTrasmissione_ProgressivoInvio", "Progressivo invio", true, 90),
                     Field("EsportatoXml", "Esportato xml", true)},
                    page);
    m_fields->place(document,
                    {Field("IdMarcaBollo", "N° marca da bollo", false, 160),
                     Field("ImportoMarcaBollo", "Importo marca da bollo", true, 90),
                     Field("MarcaBolloVirtuale", "Virtuale", true)},
                    page);
    // Drop-downs and the customer use the width of the page.
    for (const char* wide : {"Cliente_ID", "ModPagamento_Id", "Banca_ID"}) {
        QWidget* e = m_fields->editor(QString::fromLatin1(wide));
        int r = 0, c = 0, rs = 0, cs = 0;
        document->getItemPosition(document->indexOf(e), &r, &c, &rs, &cs);
        document->removeWidget(e);
        document->addWidget(e, r, c, 1, 7);
    }
    document->setColumnStretch(7, 1);

    if (credit) {
        auto* reference = new QGroupBox(QStringLiteral("Fattura di Riferimento"), page);
        auto* grid = new QGridLayout(reference);
        m_fields->place(grid,
                        {Field("NCFattNumRif", "Numero", false, 90, true),
                         Field("NCFatSerieRif", "Serie", true, 80, true),
                         Field("NCFattDataRif", "Data", true, 0, true)},
                        reference);
        QPushButton* find = ::ui::ActionButton(QStringLiteral("Trova Fattura"),
                                               QStringLiteral("btnTrovaFattura"), reference);
        QPushButton* import = ::ui::ActionButton(QStringLiteral("Importa Righe"),
                                                 QStringLiteral("btnImportaRighe"), reference);
        grid->addWidget(find, 0, 6);
        grid->addWidget(import, 0, 7);
        grid->setColumnStretch(8, 1);
        connect(find, &QPushButton::clicked, this, &TForm7::findInvoice);
        connect(import, &QPushButton::clicked, this, &TForm7::importRows);
        v->addWidget(reference);
    }

    auto* totals = new QGroupBox(QStringLiteral("Totali"), page);
    auto* totalsGrid = new QGridLayout(totals);
    m_fields->place(totalsGrid,
                    {Field("TotImponibile", "Imponibile", false, 110, true),
                     Field("TotImposta", "Imposta", true, 110, true),
                     Field("RitenutaAcconto", "Ritenuta d'acconto", true, 110, true),
                     Field("TotFattura", "Totale", true, 120, true)},
                    totals);
    totalsGrid->setColumnStretch(8, 1);
    v->addWidget(totals);

    auto* instalments = new QGroupBox(QStringLiteral("Scadenze"), page);
    auto* iv = new QVBoxLayout(instalments);
    m_instalments = new ::ui::DataGrid(m_context,
                                       credit ? QStringLiteral("frmNoteCredito_DBGrid3")
                                              : QStringLiteral("Form7_DBGrid3"),
                                       instalments);
    m_instalments->setObjectName(QStringLiteral("DBGrid3"));
    m_instalments->setTable(QStringLiteral("FatturaScadenze"));
    m_instalments->setKeyColumn(QStringLiteral("Id"));
    m_instalments->setDefaultColumns({{"Numero", 50, "N°"},
                                      {"Operazione", 330, "Operazione"},
                                      {"DataScadenza", 100, "Scadenza"},
                                      {"Importo", 100, "Importo"},
                                      {"DataPagamento", 100, "Pagata il"}});
    m_instalments->setItemDelegate(new PaidInstalmentDelegate(m_instalments));
    m_instalments->setToolTip(QStringLiteral("Le righe azzurre sono state già pagate"));
    iv->addWidget(m_instalments, 1);
    auto* ib = new QHBoxLayout();
    QPushButton* add = ::ui::ActionButton(QStringLiteral("Aggiungi rata"),
                                          QStringLiteral("btnAggiungiRata"), instalments);
    QPushButton* edit = ::ui::ActionButton(QStringLiteral("Modifica rata"),
                                           QStringLiteral("btnModificaRata"), instalments);
    QPushButton* remove = ::ui::ActionButton(QStringLiteral("Elimina rata"),
                                             QStringLiteral("btnEliminaRata"), instalments);
    ib->addWidget(add);
    ib->addWidget(edit);
    ib->addWidget(remove);
    ib->addStretch(1);
    ib->addWidget(
        new QLabel(QStringLiteral("Le righe azzurre sono state già pagate"), instalments));
    iv->addLayout(ib);
    v->addWidget(instalments, 1);
    connect(add, &QPushButton::clicked, this, &TForm7::addInstalment);
    connect(edit, &QPushButton::clicked, this, &TForm7::editInstalment);
    connect(remove, &QPushButton::clicked, this, &TForm7::removeInstalment);
    connect(m_instalments, &::ui::DataGrid::rowChosen, this,
            [this](qint64 key) { editInstalmentAt(key, false); });
    return page;
}

QWidget* TForm7::buildRowsPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    auto* top = new QHBoxLayout();
    auto* codeLabel = new QLabel(QStringLiteral("Codice articolo:"), page);
    m_code = new QLineEdit(page);
    m_code->setObjectName(QStringLiteral("txtCodice"));
    m_code->setPlaceholderText(QStringLiteral("Codice + Invio"));
    m_code->setMaximumWidth(200);
    codeLabel->setBuddy(m_code);
    top->addWidget(codeLabel);
    top->addWidget(m_code);
    QPushButton* add =
        ::ui::ActionButton(QStringLiteral("Aggiungi"), QStringLiteral("btnAggiungiRiga"), page);
    QPushButton* free = ::ui::ActionButton(QStringLiteral("Articolo non in archivio"),
                                           QStringLiteral("btnArticoloNonInArchivio"), page);
    QPushButton* edit =
        ::ui::ActionButton(QStringLiteral("Modifica"), QStringLiteral("btnModificaRiga"), page);
    QPushButton* remove =
        ::ui::ActionButton(QStringLiteral("Elimina"), QStringLiteral("btnEliminaRiga"), page);
    for (QPushButton* b : {add, free, edit, remove})
        top->addWidget(b);
    top->addStretch(1);
    v->addLayout(top);

    const bool credit = m_kind == DocumentKind::CustomerCreditNote;
    m_rows = new ::ui::DataGrid(
        m_context,
        credit ? QStringLiteral("frmNoteCredito_DBGrid2") : QStringLiteral("Form7_DBGrid2"), page);
    m_rows->setObjectName(QStringLiteral("DBGrid2"));
    m_rows->setTable(DocumentTables::of(m_kind).rows);
    m_rows->setKeyColumn(QStringLiteral("IDX"));
    m_rows->setDefaultColumns({{"NumeroRiga", 45, "N°"},
                               {"Codice", 90, "Codice"},
                               {"Descrizione", 330, "Descrizione"},
                               {"Um", 70, "Quantità"},
                               {"ValoreUnitario", 100, "Valore Unitario"},
                               {"Sconto", 70, "Sconto %"},
                               {"AliquotaIva", 60, "Iva %"},
                               {"TotaleImponibile", 100, "Imponibile"},
                               {"ValoreTotale", 100, "Totale"}});
    v->addWidget(m_rows, 1);
    auto* order = new QAction(QStringLiteral("Ordina per inserimento"), m_rows);
    order->setObjectName(QStringLiteral("mnuOrdinaPerInserimento"));
    m_rows->layoutMenu()->addSeparator();
    m_rows->layoutMenu()->addAction(order);

    connect(m_code, &QLineEdit::returnPressed, this, &TForm7::addRowByCode);
    connect(add, &QPushButton::clicked, this, &TForm7::addArticle);
    connect(free, &QPushButton::clicked, this, &TForm7::addFreeRow);
    connect(edit, &QPushButton::clicked, this, &TForm7::editRow);
    connect(remove, &QPushButton::clicked, this, &TForm7::removeRow);
    connect(order, &QAction::triggered, this, &TForm7::toggleInsertionOrder);
    connect(m_rows, &::ui::DataGrid::rowChosen, this, [this](qint64 key) { editRowAt(key); });
    return page;
}

QWidget* TForm7::buildImportsPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    const auto section = [&](const QString& title, const QString& prompt, QComboBox*& choice,
                             const QString& choiceName, ::ui::DataGrid*& grid,
                             const QString& gridName, const QString& table, const QString& key,
                             const app::GridColumns& columns) {
        auto* box = new QGroupBox(title, page);
        auto* bv = new QVBoxLayout(box);
        auto* row = new QHBoxLayout();
        auto* label = new QLabel(prompt, box);
        choice = new QComboBox(box);
        choice->setObjectName(choiceName);
        choice->setMinimumWidth(360);
        label->setBuddy(choice);
        row->addWidget(label);
        row->addWidget(choice);
        row->addStretch(1);
        bv->addLayout(row);
        grid = new ::ui::DataGrid(m_context, gridName, box);
        grid->setTable(table);
        grid->setKeyColumn(key);
        grid->setDefaultColumns(columns);
        bv->addWidget(grid, 1);
        auto* remove =
            ::ui::ActionButton(QStringLiteral("Elimina Riga"),
                               QStringLiteral("btnEliminaRiga") + choiceName.mid(3), box);
        auto* br = new QHBoxLayout();
        br->addStretch(1);
        br->addWidget(remove);
        bv->addLayout(br);
        v->addWidget(box, 1);
        return remove;
    };
    QPushButton* removeQuote =
        section(QStringLiteral("Preventivi"), QStringLiteral("Importa il preventivo:"),
                m_quoteChoice, QStringLiteral("cboPreventivi"), m_quotes,
                QStringLiteral("Form7_DBGridPreventivi"), QStringLiteral("FatturaPreventiviRighe"),
                QStringLiteral("Preventivo_Id"), {{"Numero", 80, "Numero"}, {"Data", 100, "Data"}});
    QPushButton* removeContract =
        section(QStringLiteral("Contratti"), QStringLiteral("Importa la riga di contratto:"),
                m_contractChoice, QStringLiteral("cboContratti"), m_contracts,
                QStringLiteral("Form7_DBGridContratti"), QStringLiteral("FatturaContrattiRighe"),
                QStringLiteral("Riga_ID"),
                {{"Numero", 80, "Contratto"},
                 {"Data", 100, "Data"},
                 {"NumeroRiga", 70, "N° Riga"},
                 {"DataInizioPeriodo", 100, "Inizio periodo"},
                 {"DataFinePeriodo", 100, "Fine periodo"}});
    connect(m_quoteChoice, &QComboBox::activated, this, &TForm7::importQuote);
    connect(m_contractChoice, &QComboBox::activated, this, &TForm7::importContract);
    connect(removeQuote, &QPushButton::clicked, this, &TForm7::removeQuote);
    connect(removeContract, &QPushButton::clicked, this, &TForm7::removeContract);
    return page;
}

QWidget* TForm7::buildTransportPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    auto* grid = new QGridLayout();
    m_fields->place(
        grid,
        {LookupField("Porto_ID", "Porto",
                     "select ID, Descrizione from FatturaPorto order by Descrizione", "ID",
                     "Descrizione"),
         LookupField("Aspetto_ID", "Aspetto dei beni",
                     "select ID, Descrizione from FatturaAspetto order by Descrizione", "ID",
                     "Descrizione"),
         LookupField("Personale_ID", "Incaricato del trasporto",
                     "select ID, Personale, Annullato from Personale order by Personale", "ID",
                     "Personale", "Annullato"),
         LookupField("Vettore_ID", "Vettore",
                     "select ID, Descrizione from Vettore order by Descrizione", "ID",
                     "Descrizione"),
         Field("Colli", "Colli", false, 90), Field("datatrasporto", "Data trasporto"),
         Field("DatiAnagraficiVettore", "Dati anagrafici del vettore nella fattura elettronica")},
        page);
    grid->setColumnStretch(1, 1);
    v->addLayout(grid);
    v->addStretch(1);
    return page;
}

QWidget* TForm7::buildAttachmentsPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    m_attachments = new ::ui::DataGrid(m_context, QStringLiteral("Form7_DBGridAllegati"), page);
    m_attachments->setObjectName(QStringLiteral("DBGridAllegati"));
    m_attachments->setTable(QStringLiteral("Fattura_Allegati"));
    m_attachments->setKeyColumn(QStringLiteral("id"));
    m_attachments->setDefaultColumns({{"NomeAttachment", 220, "Nome"},
                                      {"DescrizioneAttachment", 300, "Descrizione"},
                                      {"FormatoAttachment", 80, "Formato"},
                                      {"PercorsoCompleto", 300, "Percorso"}});
    v->addWidget(m_attachments, 1);
    auto* buttons = new QHBoxLayout();
    QPushButton* add =
        ::ui::ActionButton(QStringLiteral("Aggiungi"), QStringLiteral("btnAggiungiAllegato"), page);
    QPushButton* edit =
        ::ui::ActionButton(QStringLiteral("Modifica"), QStringLiteral("btnModificaAllegato"), page);
    QPushButton* remove =
        ::ui::ActionButton(QStringLiteral("Elimina"), QStringLiteral("btnEliminaAllegato"), page);
    buttons->addWidget(add);
    buttons->addWidget(edit);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    v->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, &TForm7::addAttachment);
    connect(edit, &QPushButton::clicked, this, &TForm7::editAttachment);
    connect(remove, &QPushButton::clicked, this, &TForm7::removeAttachment);
    connect(m_attachments, &::ui::DataGrid::rowChosen, this, &TForm7::editAttachment);
    return page;
}

QWidget* TForm7::buildOtherPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    auto* grid = new QGridLayout();
    m_fields->place(grid,
                    {Field("Causale", "Causale"), Field("Note", "Note"),
                     Field("ScissionePagamenti", "Scissione dei pagamenti"),
                     Field("ConaiAssolto", "Contributo CONAI assolto"),
                     Field("Depositata", "Depositata"),
                     Field("RitAccontoAziende", "Ritenuta d'acconto")},
                    page);
    grid->setColumnStretch(1, 1);
    v->addLayout(grid);
    v->addStretch(1);
    return page;
}

// ---------------------------------------------------------------------------

QVariantMap TForm7::record() const {
    QVariantMap r = m_header;
    m_fields->read(r);
    return r;
}

void TForm7::showRecord(const QVariantMap& header) {
    m_fields->show(header);
}

void TForm7::databaseError(const QString& message) {
    m_context.interaction->error(kError, message);
}

void TForm7::showComputed() {
    QVariantMap stored;
    try {
        stored = DocumentStore::load(*m_context.db, m_id);
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    QStringList computed{QStringLiteral("TotImponibile"), QStringLiteral("TotImposta"),
                         QStringLiteral("TotFattura"), QStringLiteral("RitenutaAcconto")};
    if (DocumentOptions::load(*m_context.db).stampDuty)
        computed << QStringLiteral("ImportoMarcaBollo") << QStringLiteral("MarcaBolloVirtuale");
    for (const QString& c : computed) {
        const QVariant v = app::RecordValue(stored, c);
        m_header[c] = v;
        m_fields->showValue(c, v);
    }
}

void TForm7::fieldChosen(const QString& field) {
    if (field == QLatin1String("Cliente_ID"))
        customerChosen();
    else if (field == QLatin1String("ModPagamento_Id"))
        termsChosen();
}

void TForm7::fieldLeft(const QString& field) {
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
    try {
        Numbering::checkDateOrder(*m_context.db, *m_context.interaction, m_kind,
                                  app::RecordValue(r, QStringLiteral("Num")),
                                  app::RecordDate(r, QStringLiteral("Data")),
                                  app::RecordText(r, QStringLiteral("SerieFatturazione")));
    } catch (const db::DbError& e) {
        databaseError(e.message());
    }
}

void TForm7::customerChosen() {
    const qint64 customer = m_fields->value(QStringLiteral("Cliente_ID")).toLongLong();
    m_modified = true;
    if (customer <= 0)
        return;
    QVariantMap header = record();
    try {
        DocumentStore::chooseCustomer(*m_context.db, m_kind, header, customer);
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    m_header = header;
    showRecord(m_header);
    refreshInstalments();
    refreshImports();
}

// A stamp typed by hand enters the total and the instalments at once: the
// header is saved silently, as a change of payment terms is.
void TForm7::stampTyped() {
    QVariantMap header = record();
    if (app::RecordValue(header, QStringLiteral("ImportoMarcaBollo")).toDouble() ==
        app::RecordValue(m_header, QStringLiteral("ImportoMarcaBollo")).toDouble())
        return;
    try {
        DocumentStore::saveSilently(*m_context.db, m_kind, header);
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    m_header = header;
    showRecord(m_header);
    refreshInstalments();
}

void TForm7::termsChosen() {
    QVariantMap header = record();
    try {
        DocumentStore::changePaymentTerms(*m_context.db, m_kind, header,
                                          m_fields->value(QStringLiteral("ModPagamento_Id")));
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    m_header = header;
    showRecord(m_header);
    refreshInstalments();
}

bool TForm7::save() {
    QVariantMap header = m_header;
    std::optional<common::Failure> failure = m_fields->read(header);
    try {
        if (!failure) {
            if (m_modified)
                failure = DocumentStore::save(*m_context.db, m_kind, header);
            else
                failure =
                    HeaderRules::validate(m_kind, header, DocumentOptions::load(*m_context.db));
        }
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return false;
    }
    if (failure) {
        m_validationFailed = true;
        ShowFailure(*m_context.interaction, *failure);
        if (QWidget* e = m_fields->editor(failure->field)) {
            if (QWidget* page = PageOf(m_pages, e))
                m_pages->setCurrentWidget(page);
            e->setFocus();
        }
        return false;
    }
    m_validationFailed = false;
    if (m_modified) {
        m_header = header;
        showRecord(m_header);
        refreshInstalments();
        m_modified = false;
    }
    return true;
}

bool TForm7::post() {
    if (!m_modified)
        return true;
    QVariantMap header = m_header;
    if (auto f = m_fields->read(header)) {
        ShowFailure(*m_context.interaction, *f);
        return false;
    }
    try {
        DocumentStore::saveSilently(*m_context.db, m_kind, header);
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return false;
    }
    m_header = header;
    showRecord(m_header);
    refreshInstalments();
    m_modified = false;
    return true;
}

void TForm7::cancelEdit() {
    if (!m_context.interaction->confirmCancelInsertion())
        return;
    m_modified = false;
    QDialog::reject();
}

void TForm7::goBack() {
    if (m_modified && !save())
        return;
    if (m_validationFailed)
        return;
    accept();
}

void TForm7::reject() {
    goBack();
}

void TForm7::print() {
    if (!post())
        return;
    const int code = m_kind == DocumentKind::CustomerCreditNote ? 4 : 8;
    try {
        app::ui::printReport(m_context, printing::ReportCall{code, m_id});
    } catch (const db::DbError& e) {
        databaseError(e.message());
    }
}

void TForm7::exportXml() {
    if (!save())
        return;
    fatturapa::ui::exportXml(m_context, m_id, this);
    const QVariantMap stored = DocumentStore::load(*m_context.db, m_id);
    m_header[QStringLiteral("EsportatoXml")] = app::RecordValue(stored, "EsportatoXml");
    m_fields->showValue(QStringLiteral("EsportatoXml"), app::RecordValue(stored, "EsportatoXml"));
}

void TForm7::exportAndSend() {
    if (!save())
        return;
    try {
        app::ui::exportAndSend(m_context, printing::ExportKind::Invoice, m_id, this);
    } catch (const db::DbError& e) {
        databaseError(e.message());
    }
}

void TForm7::showCashBook() {
    try {
        TfrmScadenziarioDettaglio::showMovement(
            m_context, InstalmentCard::documentMovement(*m_context.db, m_kind, m_id,
                                                        m_instalments->currentKey()));
    } catch (const db::DbError& e) {
        databaseError(e.message());
    }
}

void TForm7::totals() {
    try {
        DocumentStore::recalculateNow(*m_context.db, m_id);
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    showComputed();
    refreshInstalments();
}

// ---------------------------------------------------------------------------
// Rows

void TForm7::refreshRows() {
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

void TForm7::toggleInsertionOrder() {
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
void TForm7::afterRowChange() {
    refreshRows();
    showComputed();
    refreshInstalments();
    m_modified = true;
}

void TForm7::addRowByCode() {
    const QString code = m_code->text().trimmed();
    if (code.isEmpty())
        return;
    qint64 row = 0;
    try {
        if (auto f = DocumentRows::addByCode(*m_context.db, m_kind, m_id, code, &row)) {
            ShowFailure(*m_context.interaction, *f);
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

void TForm7::addArticle() {
    const qint64 article = TfrmSceltaArticolo::pick(m_context, this);
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

void TForm7::addFreeRow() {
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

void TForm7::editRow() {
    editRowAt(m_rows->currentKey());
}

void TForm7::editRowAt(qint64 rowId) {
    if (rowId == 0)
        return;
    {
        TfrmModificaRighe editor(m_context, m_kind, m_id, rowId, this);
        editor.exec();
    }
    afterRowChange();
    m_rows->selectKey(rowId);
}

void TForm7::removeRow() {
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

void TForm7::refreshInstalments() {
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

void TForm7::addInstalment() {
    qint64 id = 0;
    try {
        id = InstalmentCard::add(*m_context.db, m_kind, m_id);
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    editInstalmentAt(id, true);
}

void TForm7::editInstalment() {
    editInstalmentAt(m_instalments->currentKey(), false);
}

void TForm7::editInstalmentAt(qint64 instalmentId, bool isNew) {
    if (instalmentId == 0)
        return;
    {
        TfrmScadenziarioDettaglio card(m_context, instalmentId, isNew, this);
        card.exec();
    }
    refreshInstalments();
    m_instalments->selectKey(instalmentId);
    m_modified = true;
}

void TForm7::removeInstalment() {
    const qint64 id = m_instalments->currentKey();
    if (id == 0)
        return;
    if (!m_context.interaction->question(kNotice, InstalmentCard::removeQuestion()))
        return;
    try {
        InstalmentCard::remove(*m_context.db, id);
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    refreshInstalments();
    m_modified = true;
}

// ---------------------------------------------------------------------------
// Attachments

void TForm7::refreshAttachments() {
    try {
        m_attachments->setResult(m_context.db->query(
            QStringLiteral(
                "select * from Fattura_Allegati where Fattura_Id = ? order by NomeAttachment"),
            {m_id}));
    } catch (const db::DbError& e) {
        databaseError(e.message());
    }
}

void TForm7::addAttachment() {
    fatturapa::ui::editAttachment(m_context, m_id, 0, this);
    refreshAttachments();
}

void TForm7::editAttachment() {
    const qint64 id = m_attachments->currentKey();
    if (id == 0)
        return;
    fatturapa::ui::editAttachment(m_context, m_id, id, this);
    refreshAttachments();
    m_attachments->selectKey(id);
}

void TForm7::removeAttachment() {
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

void TForm7::refreshImports() {
    if (!m_quoteChoice)
        return;
    const qint64 customer = app::RecordKey(record(), QStringLiteral("Cliente_ID"));
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

void TForm7::importQuote(int index) {
    const qint64 quote = m_quoteChoice->itemData(index).toLongLong();
    if (quote == 0)
        return;
    try {
        if (auto f = QuoteImport::import(*m_context.db, m_id, quote)) {
            ShowFailure(*m_context.interaction, *f);
            return;
        }
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    refreshImports();
    afterRowChange();
}

void TForm7::removeQuote() {
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

void TForm7::importContract(int index) {
    const qint64 row = m_contractChoice->itemData(index).toLongLong();
    if (row == 0)
        return;
    try {
        if (auto f = ContractImport::import(*m_context.db, m_id, row)) {
            ShowFailure(*m_context.interaction, *f);
            return;
        }
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    refreshImports();
    afterRowChange();
}

void TForm7::removeContract() {
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

void TForm7::findInvoice() {
    QList<CreditNoteImport::Invoice> invoices;
    try {
        if (auto f = CreditNoteImport::invoicesOf(*m_context.db, record(), &invoices)) {
            ShowFailure(*m_context.interaction, *f);
            return;
        }
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    TfrmTrovaFattura finder(invoices, this);
    if (finder.exec() != QDialog::Accepted)
        return;
    CreditNoteImport::chooseInvoice(m_header, finder.chosen());
    for (const char* c : {"NCFattIDRif", "NCFattNumRif", "NCFatSerieRif", "NCFattDataRif"})
        m_fields->showValue(QString::fromLatin1(c), app::RecordValue(m_header, c));
    m_modified = true;
}

void TForm7::importRows() {
    QVariantMap note = record();
    try {
        if (auto f = CreditNoteImport::importRows(*m_context.db, *m_context.interaction, note)) {
            ShowFailure(*m_context.interaction, *f);
            return;
        }
    } catch (const db::DbError& e) {
        databaseError(e.message());
        return;
    }
    for (const char* c : {"NCFattIDRif", "NCFattNumRif", "NCFatSerieRif", "NCFattDataRif"}) {
        m_header[QString::fromLatin1(c)] = app::RecordValue(note, c);
        m_fields->showValue(QString::fromLatin1(c), app::RecordValue(note, c));
    }
    afterRowChange();
}

} // namespace documents::ui
