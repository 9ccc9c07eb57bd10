#include "documents/DocumentTables.h"
#include "documents/ui/CreditedInvoiceBox.h"
#include "documents/ui/DocumentRowsPanel.h"
#include "documents/ui/InstalmentsPanel.h"
#include "documents/ui/InvoiceEditor.h"
#include "documents/ui/InvoiceLinksPanel.h"
#include "ui/ActionButton.h"
#include "ui/DataGrid.h"
#include "ui/FieldBinder.h"
#include "ui/Lookups.h"
#include "ui/RecordModel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

// The six pages of the invoice and credit-note editor: widgets and their
// connections.
namespace documents::ui {

QWidget* InvoiceEditor::buildHeaderPage() {
    auto* page = new QWidget(this);
    QVBoxLayout* v = placeHeader(page);
    const bool credit = m_kind == DocumentKind::CustomerCreditNote;

    if (credit) {
        const CreditedInvoiceBox reference = CreditedInvoiceBox::place(
            *m_fields,
            {{.field = "NCFattNumRif", .label = "Numero", .width = 90, .readOnly = true},
             {.field = "NCFatSerieRif",
              .label = "Serie",
              .sameRow = true,
              .width = 80,
              .readOnly = true},
             {.field = "NCFattDataRif", .label = "Data", .sameRow = true, .readOnly = true}},
            page);
        connect(reference.find, &QPushButton::clicked, this, &InvoiceEditor::findInvoice);
        connect(reference.import, &QPushButton::clicked, this, &InvoiceEditor::importRows);
        v->addWidget(reference.box);
    }

    placeTotals(v, page);

    auto* instalments = new QGroupBox(QStringLiteral("Scadenze"), page);
    auto* iv = new QVBoxLayout(instalments);
    m_instalmentPanel = new InstalmentsPanel(
        m_context,
        credit ? QStringLiteral("frmNoteCredito_DBGrid3") : QStringLiteral("Form7_DBGrid3"),
        DocumentTables::of(m_kind).instalmentType, QStringLiteral("Numero"), instalments);
    m_instalmentPanel->grid()->setObjectName(QStringLiteral("DBGrid3"));
    iv->addWidget(m_instalmentPanel, 1);
    v->addWidget(instalments, 1);
    connect(m_instalmentPanel, &InstalmentsPanel::changed, this, [this] { m_modified = true; });
    return page;
}

void InvoiceEditor::buildRowsPage() {
    m_rowsPanel = addRowsPage();
    m_rowsPanel->setGuard([this] { return mayChangeTotals(); });
    m_rows = m_rowsPanel->grid();
    m_code = m_rowsPanel->codeBox();
}

QWidget* InvoiceEditor::buildImportsPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    const auto section = [&](const QString& title, const QString& prompt, QComboBox*& choice,
                             const QString& choiceName, ::ui::DataGrid*& grid,
                             const QString& gridName, const QString& table, const QString& key,
                             const ::ui::GridColumns& columns) {
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
    // Orders and receipts of the customer, side by side.
    m_links = new InvoiceLinksPanel(m_context, m_id, page);
    m_links->setGuard([this] { return mayChangeTotals(); });
    connect(m_links, &InvoiceLinksPanel::rowsChanged, this, &InvoiceEditor::afterRowChange);
    v->addWidget(m_links, 1);
    connect(m_quoteChoice, &QComboBox::activated, this, &InvoiceEditor::importQuote);
    connect(m_contractChoice, &QComboBox::activated, this, &InvoiceEditor::importContract);
    connect(removeQuote, &QPushButton::clicked, this, &InvoiceEditor::removeQuote);
    connect(removeContract, &QPushButton::clicked, this, &InvoiceEditor::removeContract);
    return page;
}

QWidget* InvoiceEditor::buildTransportPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    auto* grid = new QGridLayout();
    m_fields->place(
        grid,
        {{.field = "Porto_ID", .label = "Porto", .lookup = ::ui::lookups::shippingTerms()},
         {.field = "Aspetto_ID",
          .label = "Aspetto dei beni",
          .lookup = ::ui::lookups::goodsAppearances()},
         {.field = "Personale_ID",
          .label = "Incaricato del trasporto",
          .lookup = ::ui::lookups::staff()},
         {.field = "Vettore_ID", .label = "Vettore", .lookup = ::ui::lookups::carriers()},
         {.field = "Colli", .label = "Colli", .width = 90},
         {.field = "datatrasporto", .label = "Data trasporto"},
         {.field = "DatiAnagraficiVettore",
          .label = "Dati anagrafici del vettore nella fattura elettronica"}},
        page);
    grid->setColumnStretch(1, 1);
    v->addLayout(grid);
    v->addStretch(1);
    return page;
}

QWidget* InvoiceEditor::buildAttachmentsPage() {
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
    connect(add, &QPushButton::clicked, this, &InvoiceEditor::addAttachment);
    connect(edit, &QPushButton::clicked, this, &InvoiceEditor::editAttachment);
    connect(remove, &QPushButton::clicked, this, &InvoiceEditor::removeAttachment);
    connect(m_attachments, &::ui::DataGrid::rowChosen, this, &InvoiceEditor::editAttachment);
    return page;
}

QWidget* InvoiceEditor::buildOtherPage() {
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    auto* grid = new QGridLayout();
    m_fields->place(grid,
                    {{.field = "Causale", .label = "Causale"},
                     {.field = "Note", .label = "Note"},
                     {.field = "ScissionePagamenti", .label = "Scissione dei pagamenti"},
                     {.field = "ConaiAssolto", .label = "Contributo CONAI assolto"},
                     {.field = "Depositata", .label = "Depositata"},
                     {.field = "RitAccontoAziende", .label = "Ritenuta d'acconto"}},
                    page);
    grid->setColumnStretch(1, 1);
    v->addLayout(grid);
    v->addStretch(1);
    return page;
}

} // namespace documents::ui
