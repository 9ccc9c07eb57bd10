#include "cemetery/ui/ContractCard.h"

#include "cemetery/ContractRules.h"
#include "cemetery/ReceiptNumbering.h"
#include "cemetery/Renewal.h"
#include "cemetery/ui/ContractPickers.h"
#include "cemetery/ui/ContractRowEditor.h"
#include "cemetery/ui/ContractWidgets.h"
#include "cemetery/ui/DeceasedPicker.h"
#include "cemetery/ui/DeceasedScreens.h"
#include "common/Titles.h"
#include "documents/ui/InvoiceEditor.h"
#include "printing/CemeteryReports.h"
#include "printing/ReportCodes.h"
#include "printing/ui/DocumentActions.h"
#include "registries/ui/CustomerScreens.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/FieldBinder.h"
#include "ui/Guarded.h"
#include "ui/HelpWindow.h"
#include "ui/Lookups.h"
#include "ui/RecordModel.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace cemetery::ui {

using namespace contractwidgets;
using ::ui::CardField;
using ::ui::FieldKind;

namespace {

const QString kHeaderPage = QStringLiteral("   Testata   ");
const QString kRowsPage = QStringLiteral("   Righe   ");
const QString kDeceasedPage = QStringLiteral("  Defunti  ");

} // namespace

::ui::ScreenDefinition contractDefinition() {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("ContrattiTestata");
    d.key = QStringLiteral("Id");
    d.objectName = QStringLiteral("TfrmGrigliaContratti");
    d.listTitle = QStringLiteral("Contratti");
    d.cardTitle = QStringLiteral("Contratto");

    d.fields = {{.field = "Numero", .label = "N° ", .kind = FieldKind::Integer, .width = 90},
                {.field = "Data", .label = "Data", .sameRow = true},
                {.field = "Cliente_ID", .label = "Cliente", .lookup = ::ui::lookups::customers()},
                {.field = "Note", .label = "Note", .maxLength = 255},
                {.field = "Chiuso", .label = "Chiuso"},
                {.field = "DataRicevuta", .label = "Data ricevuta"},
                {.field = "NumeroRicevuta",
                 .label = "N° ultima ricevuta",
                 .kind = FieldKind::Integer,
                 .width = 90}};
    for (CardField& f : d.fields)
        f.page = kHeaderPage;
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare il Contratto?");
    return d;
}

ContractCard::ContractCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition,
                           qint64 key, bool isNew, QWidget* parent)
    : ::ui::CardScreen(context, definition, key, isNew, parent) {
    setObjectName(QStringLiteral("TfrmContrattiDettaglio"));
    setWindowTitle(QStringLiteral("Contratto"));
    m_pages = findChild<QTabWidget*>();

    // Beside the customer: a new customer, or the chosen one's card.
    auto* newCustomer = ::ui::ActionButton(QStringLiteral("Nuovo cliente"),
                                           QStringLiteral("btnNuovoCliente"), this);
    auto* openCustomer =
        ::ui::ActionButton(QStringLiteral("Apri cliente"), QStringLiteral("btnApriCliente"), this);
    attachBeside(QStringLiteral("Cliente_ID"), {newCustomer, openCustomer});
    connect(newCustomer, &QPushButton::clicked, this, &ContractCard::newCustomer);
    connect(openCustomer, &QPushButton::clicked, this, &ContractCard::openCustomer);

    // The receipt date and number have their buttons next to them.
    m_receiptToday =
        ::ui::ActionButton(QStringLiteral("Oggi"), QStringLiteral("btnOggiRicevuta"), this);
    m_receiptNumber =
        ::ui::ActionButton(QStringLiteral("Imposta"), QStringLiteral("btnImposta"), this);
    m_receiptNumber->setToolTip(
        QStringLiteral("Assegna il numero di ricevuta successivo dell'anno della ricevuta"));
    attachBeside(QStringLiteral("DataRicevuta"), {m_receiptToday}, false);
    attachBeside(QStringLiteral("NumeroRicevuta"), {m_receiptNumber}, false);
    connect(m_receiptToday, &QPushButton::clicked, this, &ContractCard::receiptToday);
    connect(m_receiptNumber, &QPushButton::clicked, this, &ContractCard::assignReceiptNumber);

    buildRowsPage();
    buildDeceasedPage();

    // Toolbar: "Salva", "Annulla" (new contract only), "Stampa", "Ricevuta",
    // "Indietro", "Aiuto".
    deleteButton()->hide();
    cancelButton()->setVisible(isNew);
    disconnect(cancelButton(), nullptr, this, nullptr);
    connect(cancelButton(), &QPushButton::clicked, this, &ContractCard::cancelNew);
    m_print = addButton(QStringLiteral("Stampa"), QStringLiteral("spdStampa"));
    m_receiptPrint = addButton(QStringLiteral("Ricevuta"), QStringLiteral("spdRicevuta"));
    buttonRow()->addWidget(backButton());
    auto* help = addButton(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto"));
    connect(help, &QPushButton::clicked, this, [this] { ::ui::HelpWindow::showFor(this); });
    connect(m_print, &QPushButton::clicked, this, &ContractCard::printContract);
    connect(m_receiptPrint, &QPushButton::clicked, this, &ContractCard::printReceipt);

    if (m_pages)
        connect(m_pages, &QTabWidget::currentChanged, this, &ContractCard::pageChosen);
    refreshRows();
    refreshDeceased();
    resize(1100, 600);
    if (isNew)
        if (QWidget* customer = editor(QStringLiteral("Cliente_ID")))
            customer->setFocus();
}

void ContractCard::buildRowsPage() {
    m_rowsContent = new QWidget(this);
    auto* v = new QVBoxLayout(m_rowsContent);
    auto* codeRow = new QHBoxLayout();
    auto* codeLabel = new QLabel(QStringLiteral("Codice articolo"), m_rowsContent);
    m_code = new QLineEdit(m_rowsContent);
    m_code->setObjectName(QStringLiteral("txtCodice"));
    m_code->setPlaceholderText(QStringLiteral("Digitare il codice e premere Invio"));
    m_code->setFixedWidth(240);
    codeLabel->setBuddy(m_code);
    codeRow->addWidget(codeLabel);
    codeRow->addWidget(m_code);
    codeRow->addStretch(1);
    v->addLayout(codeRow);

    m_rows = new ::ui::DataGrid(context(), QStringLiteral("frmContrattiDettaglio_GrigliaRighe"),
                                m_rowsContent);
    m_rows->setTable(QStringLiteral("ContrattiRighe"));
    m_rows->setKeyColumn(QStringLiteral("IDX"));
    m_rows->setDefaultColumns(
        {{QStringLiteral("NumeroRiga"), 50, QStringLiteral("N° Riga")},
         {QStringLiteral("Codice"), 70, QStringLiteral("Codice")},
         {QStringLiteral("Descrizione"), 200, QStringLiteral("Descrizione")},
         {QStringLiteral("Um"), 70, QStringLiteral("Quantità")},
         {QStringLiteral("ValoreUnitario"), 100, QStringLiteral("Valore Unitario")},
         {QStringLiteral("Sconto"), 60, QStringLiteral("Sconto")},
         {QStringLiteral("ValoreTotale"), 90, QStringLiteral("Prezzo Finale")},
         {QStringLiteral("DataInizioPeriodo"), 90, QStringLiteral("Data inizio")},
         {QStringLiteral("DataFinePeriodo"), 90, QStringLiteral("Data Fine")},
         {QStringLiteral("DataPagamento"), 110, QStringLiteral("Data Pagamento")},
         {QStringLiteral("Chiuso"), 55, QStringLiteral("Chiuso")},
         {QStringLiteral("Fatturato"), 70, QStringLiteral("Fatturato")}});
    v->addWidget(m_rows, 1);
    auto* showInvoice = new QAction(QStringLiteral("Visualizza la Fattura corrispondente"), m_rows);
    showInvoice->setObjectName(QStringLiteral("VisualizzaFattura1"));
    QMenu* menu = m_rows->layoutMenu();
    menu->insertAction(menu->actions().value(0), showInvoice);
    menu->insertSeparator(menu->actions().value(1));
    connect(showInvoice, &QAction::triggered, this, &ContractCard::showInvoice);

    auto* buttons = new QHBoxLayout();
    m_rowAdd = ::ui::ActionButton(QStringLiteral("Aggiungi"), QStringLiteral("btnAggiungiRiga"),
                                  m_rowsContent);
    m_rowFree = ::ui::ActionButton(QStringLiteral("Articolo non in archivio"),
                                   QStringLiteral("btnArticoloNonInArchivio"), m_rowsContent);
    m_rowEdit = ::ui::ActionButton(QStringLiteral("Modifica"), QStringLiteral("btnModificaRiga"),
                                   m_rowsContent);
    m_rowDelete = ::ui::ActionButton(QStringLiteral("Elimina"), QStringLiteral("btnEliminaRiga"),
                                     m_rowsContent);
    m_renew =
        ::ui::ActionButton(QStringLiteral("Rinnova"), QStringLiteral("btnRinnova"), m_rowsContent);
    m_renew->setToolTip(QStringLiteral(
        "Copia le righe dell'ultimo anno nell'anno successivo, ai prezzi di listino"));
    for (QPushButton* b : {m_rowAdd, m_rowFree, m_rowEdit, m_rowDelete, m_renew})
        buttons->addWidget(b);
    buttons->addStretch(1);
    v->addLayout(buttons);

    connect(m_code, &QLineEdit::returnPressed, this, &ContractCard::addByCode);
    connect(m_rowAdd, &QPushButton::clicked, this, &ContractCard::addFromCatalogue);
    connect(m_rowFree, &QPushButton::clicked, this, &ContractCard::addFreeRow);
    connect(m_rowEdit, &QPushButton::clicked, this, &ContractCard::editRow);
    connect(m_rowDelete, &QPushButton::clicked, this, &ContractCard::deleteRow);
    connect(m_renew, &QPushButton::clicked, this, &ContractCard::renewRows);
    connect(m_rows, &::ui::DataGrid::rowChosen, this, [this](qint64 key) {
        if (key != 0)
            openRowEditor(key, false);
    });

    auto* page = new QWidget(this);
    auto* pv = new QVBoxLayout(page);
    pv->addWidget(m_rowsContent);
    if (m_pages)
        m_pages->addTab(page, kRowsPage);
}

void ContractCard::buildDeceasedPage() {
    m_deceasedContent = new QWidget(this);
    auto* v = new QVBoxLayout(m_deceasedContent);
    m_deceased = new ::ui::DataGrid(
        context(), QStringLiteral("frmContrattiDettaglio_GrigliaDefunti"), m_deceasedContent);
    m_deceased->setTable(QStringLiteral("ContrattiDefunti"));
    m_deceased->setKeyColumn(QStringLiteral("IdX"));
    m_deceased->setDefaultColumns({{QStringLiteral("Defunto"), 600, QStringLiteral("Defunto")}});
    v->addWidget(m_deceased, 1);
    auto* buttons = new QHBoxLayout();
    m_deceasedAdd = ::ui::ActionButton(QStringLiteral("Aggiungi"),
                                       QStringLiteral("btnAggiungiDefunto"), m_deceasedContent);
    m_deceasedDelete = ::ui::ActionButton(QStringLiteral("Elimina"),
                                          QStringLiteral("btnEliminaDefunto"), m_deceasedContent);
    auto* create = ::ui::ActionButton(QStringLiteral("Nuovo defunto"),
                                      QStringLiteral("btnNuovoDefunto"), m_deceasedContent);
    auto* open = ::ui::ActionButton(QStringLiteral("Apri defunto"),
                                    QStringLiteral("btnApriDefunto"), m_deceasedContent);
    for (QPushButton* b : {m_deceasedAdd, m_deceasedDelete, create, open})
        buttons->addWidget(b);
    buttons->addStretch(1);
    v->addLayout(buttons);
    connect(m_deceasedAdd, &QPushButton::clicked, this, &ContractCard::linkDeceased);
    connect(m_deceasedDelete, &QPushButton::clicked, this, &ContractCard::unlinkDeceased);
    connect(create, &QPushButton::clicked, this, &ContractCard::newDeceased);
    connect(open, &QPushButton::clicked, this, &ContractCard::openDeceased);
    connect(m_deceased, &::ui::DataGrid::rowChosen, this, [this] { openDeceased(); });

    auto* page = new QWidget(this);
    auto* pv = new QVBoxLayout(page);
    pv->addWidget(m_deceasedContent);
    if (m_pages)
        m_pages->addTab(page, kDeceasedPage);
}

bool ContractCard::run(const std::function<void()>& action) {
    return ::ui::guarded(context(), action);
}

std::optional<common::Failure> ContractCard::validate(const QVariantMap& values) const {
    return ContractRules::validateHeader(values);
}

void ContractCard::writeExtra(db::Database& db, const QVariantMap& values) {
    ContractRules::copyCustomer(db, key(), db::RecordKey(values, QStringLiteral("Cliente_ID")),
                                db::RecordKey(storedValues(), QStringLiteral("Cliente_ID")));
}

bool ContractCard::headerReady() {
    if (auto failure = validate(values())) {
        showFailure(*failure);
        return false;
    }
    return !isModified() || save();
}

void ContractCard::pageChosen(int index) {
    if (index <= 0 || m_guardPages)
        return;
    m_guardPages = true;
    const bool ready = headerReady();
    m_rowsContent->setVisible(ready);
    m_deceasedContent->setVisible(ready);
    if (ready) {
        refreshRows();
        refreshDeceased();
    }
    m_guardPages = false;
}

void ContractCard::refreshRows() {
    run([this] {
        m_rows->setResult(context().db->query(
            QStringLiteral("select * from ContrattiRighe where Testata_ID = ? order by NumeroRiga, "
                           "IDX"),
            {key()}));
    });
}

void ContractCard::refreshDeceased() {
    run([this] {
        m_deceased->setResult(context().db->query(
            QStringLiteral("select * from ContrattiDefunti where Testata_ID = ? order by Defunto"),
            {key()}));
    });
}

void ContractCard::rowsChanged() {
    run([this] { ContractRules::recomputeClosed(*context().db, key()); });
    refreshRows();
    // The header was saved on the way to this page: read the new flag back.
    if (!isModified())
        load();
    else
        run([this] {
            setValue(
                QStringLiteral("Chiuso"),
                context().db->scalar(
                    QStringLiteral("select Chiuso from ContrattiTestata where Id = ?"), {key()}));
        });
}

void ContractCard::addByCode() {
    const QString code = m_code->text().trimmed();
    if (code.isEmpty() || !headerReady())
        return;
    std::optional<common::Failure> failure;
    qint64 row = 0;
    if (!run(
            [&] { failure = ContractRules::addByCode(*context().db, key(), code, today(), &row); }))
        return;
    m_code->clear();
    if (failure) {
        context().interaction->warning(failure->title, failure->text);
        m_code->setFocus();
        return;
    }
    rowsChanged();
    m_rows->selectKey(row);
    m_code->setFocus();
}

void ContractCard::addFromCatalogue() {
    if (!headerReady())
        return;
    const QList<qint64> articles = ContractArticlePicker::pick(context(), this);
    if (articles.isEmpty())
        return;
    QList<qint64> rows;
    run([&] { rows = ContractRules::addArticles(*context().db, key(), articles, today()); });
    rowsChanged();
    if (!rows.isEmpty())
        m_rows->selectKey(rows.last());
}

void ContractCard::addFreeRow() {
    if (!headerReady())
        return;
    qint64 row = 0;
    if (!run([&] { row = ContractRules::addFreeRow(*context().db, key(), today()); }))
        return;
    rowsChanged();
    m_rows->selectKey(row);
    openRowEditor(row, true);
}

void ContractCard::editRow() {
    const qint64 row = m_rows->currentKey();
    if (row != 0)
        openRowEditor(row, false);
}

void ContractCard::openRowEditor(qint64 rowId, bool isNew) {
    {
        ContractRowEditor editor(context(), contractRowDefinition(), rowId, isNew, this);
        editor.exec();
    }
    rowsChanged();
    m_rows->selectKey(rowId);
}

void ContractCard::deleteRow() {
    const qint64 row = m_rows->currentKey();
    if (row == 0)
        return;
    if (!context().interaction->question(common::titles::warning,
                                         QStringLiteral("Sei sicuro di voler eliminare la riga?")))
        return;
    run([&] { ContractRules::deleteRow(*context().db, row); });
    rowsChanged();
}

void ContractCard::renewRows() {
    if (!headerReady())
        return;
    int last = 0;
    if (!run([&] { last = Renewal::lastYear(*context().db, key()); }))
        return;
    if (last == 0) {
        context().interaction->information(
            common::titles::warning,
            QStringLiteral("Il contratto non ha righe con un periodo da rinnovare."));
        return;
    }
    QString answer = QString::number(last);
    if (!context().interaction->askText(
            QStringLiteral("Rinnova"),
            QStringLiteral("Anno delle righe da copiare nell'anno successivo:"), &answer))
        return;
    const int year = typedYear(answer);
    if (year == 0) {
        context().interaction->error(common::titles::error,
                                     QStringLiteral("Attenzione anno non valido"));
        return;
    }
    // Say which year is about to be written, so a second press by mistake
    // does not add one more year unseen.
    if (!context().interaction->question(
            common::titles::confirmation,
            QStringLiteral("Le righe del %1 saranno copiate nel %2.\nProcedere con il rinnovo ?")
                .arg(year)
                .arg(year + 1)))
        return;
    int written = 0;
    if (!run([&] { written = Renewal::renewContract(*context().db, key(), year, today()); }))
        return;
    rowsChanged();
    context().interaction->information(
        common::titles::warning,
        written == 0 ? QStringLiteral("Nessuna riga da rinnovare: le righe del %1 "
                                      "sono già state rinnovate.")
                           .arg(year)
                     : QStringLiteral("Righe rinnovate per il %1: %2.").arg(year + 1).arg(written));
}

void ContractCard::showInvoice() {
    const qint64 row = m_rows->currentKey();
    if (row == 0)
        return;
    std::optional<ContractRules::InvoiceRef> invoice;
    if (!run([&] { invoice = ContractRules::invoiceOfRow(*context().db, row); }))
        return;
    if (!invoice) {
        context().interaction->warning(
            common::titles::warning,
            QStringLiteral("Attenzione il contratto non risulta essere fatturato!!!"));
        return;
    }
    {
        documents::ui::InvoiceEditor editor(context(), documents::DocumentKind::CustomerInvoice,
                                            invoice->id, false, this);
        editor.exec();
    }
    refreshRows();
}

void ContractCard::linkDeceased() {
    if (!headerReady())
        return;
    const QList<qint64> chosen = pickDeceased(context(), this);
    qint64 last = 0;
    for (qint64 deceased : chosen) {
        std::optional<QString> question;
        if (!run([&] { question = ContractRules::alreadyLinkedQuestion(*context().db, deceased); }))
            break;
        if (question && !context().interaction->question(common::titles::warning, *question))
            continue;
        run([&] { last = ContractRules::linkDeceased(*context().db, key(), deceased); });
    }
    refreshDeceased();
    if (last != 0)
        m_deceased->selectKey(last);
}

void ContractCard::unlinkDeceased() {
    const qint64 link = m_deceased->currentKey();
    if (link == 0)
        return;
    if (!context().interaction->question(
            common::titles::warning, QStringLiteral("Sei sicuro di voler eliminare il Defunto?")))
        return;
    run([&] { ContractRules::unlinkDeceased(*context().db, link); });
    refreshDeceased();
}

void ContractCard::newDeceased() {
    if (!headerReady())
        return;
    const qint64 id = addDeceasedForContract(context(), key(), this);
    refreshDeceased();
    if (id != 0)
        for (int r = 0; r < m_deceased->records()->rowCount(); ++r)
            if (m_deceased->records()->value(r, QStringLiteral("Defunto_ID")).toLongLong() == id)
                m_deceased->selectKey(m_deceased->keyAt(r));
}

void ContractCard::openDeceased() {
    const int row = m_deceased->currentRowIndex();
    if (row < 0)
        return;
    const qint64 deceased =
        m_deceased->records()->value(row, QStringLiteral("Defunto_ID")).toLongLong();
    if (deceased <= 0)
        return;
    {
        DeceasedCard card(context(), deceasedDefinition(), deceased, false, this);
        card.exec();
    }
    refreshDeceased();
}

void ContractCard::newCustomer() {
    qint64 id = 0;
    if (!run([&] { id = registries::CustomerRules::insertNew(*context().db); }))
        return;
    bool kept = false;
    {
        registries::ui::CustomerCard card(context(), registries::ui::customerDefinition(), id, true,
                                          this);
        card.exec();
        kept = !card.deleted();
    }
    run([&] {
        fields()->showValue(QStringLiteral("Cliente_ID"),
                            kept ? QVariant(id) : value(QStringLiteral("Cliente_ID")));
    });
}

void ContractCard::openCustomer() {
    const qint64 id = db::RecordKey(values(), QStringLiteral("Cliente_ID"));
    if (id <= 0)
        return;
    {
        registries::ui::CustomerCard card(context(), registries::ui::customerDefinition(), id,
                                          false, this);
        card.exec();
    }
    run([&] { fields()->refill(QStringLiteral("Cliente_ID")); });
}

void ContractCard::cancelNew() {
    if (!isNew()) {
        done(QDialog::Rejected);
        return;
    }
    if (!context().interaction->confirmCancelInsertion())
        return;
    if (run([this] { ContractRules::deleteContract(*context().db, key()); }))
        done(QDialog::Rejected);
}

void ContractCard::receiptToday() {
    setValue(QStringLiteral("DataRicevuta"), today());
}

void ContractCard::assignReceiptNumber() {
    bool ok = true;
    const QVariant typed = fields()->value(QStringLiteral("DataRicevuta"), &ok);
    const QDate date = ok && typed.isValid() ? typed.toDate() : today();
    qint64 number = 0;
    if (!run([&] { number = ReceiptNumbering::assign(*context().db, key(), date); }))
        return;
    setValue(QStringLiteral("DataRicevuta"), date);
    setValue(QStringLiteral("NumeroRicevuta"), number);
}

void ContractCard::printContract() {
    if (isModified() && !save())
        return;
    run([this] {
        printing::ui::printReport(context(),
                                  printing::ReportCall{printing::reports::contract, key()});
    });
}

void ContractCard::printReceipt() {
    if (isModified() && !save())
        return;
    // A receipt always carries its number and date.
    std::pair<qint64, QDate> receipt;
    if (!run([&] { receipt = ReceiptNumbering::ensure(*context().db, key(), today()); }))
        return;
    if (value(QStringLiteral("NumeroRicevuta")).toLongLong() != receipt.first ||
        fields()->value(QStringLiteral("DataRicevuta")).toDate() != receipt.second) {
        setValue(QStringLiteral("NumeroRicevuta"), receipt.first);
        setValue(QStringLiteral("DataRicevuta"), receipt.second);
        if (!save())
            return;
    }
    run([this] {
        printing::ReportCall call{7, key()};
        call.parameter = printing::kContractReceipt;
        printing::ui::printReport(context(), call);
    });
}

} // namespace cemetery::ui
