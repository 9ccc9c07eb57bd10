#include "cemetery/ui/ContractScreens.h"

#include "app/CustomerRules.h"
#include "app/ui/CustomerScreens.h"
#include "app/ui/DocumentActions.h"
#include "app/ui/HelpWindow.h"
#include "cemetery/ContractRules.h"
#include "cemetery/MissingPayments.h"
#include "cemetery/ReceiptNumbering.h"
#include "cemetery/Renewal.h"
#include "cemetery/ui/ContractPickers.h"
#include "cemetery/ui/DeceasedPicker.h"
#include "cemetery/ui/DeceasedScreens.h"
#include "common/TextForms.h"
#include "db/DbError.h"
#include "documents/DocumentOptions.h"
#include "documents/RowRules.h"
#include "documents/ui/DocumentEditor.h"
#include "printing/CemeteryReports.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/FieldEditors.h"
#include "ui/RecordModel.h"
#include "ui/ScreenRegistry.h"

#include <QAction>
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

namespace cemetery::ui {

using ::ui::CardField;
using ::ui::FieldKind;

namespace {

const QString kError = QStringLiteral("Messaggio di errore");
const QString kNotice = QStringLiteral("Messaggio di avviso");
const QString kHeaderPage = QStringLiteral("   Testata   ");
const QString kRowsPage = QStringLiteral("   Righe   ");
const QString kDeceasedPage = QStringLiteral("  Defunti  ");

QDate today() {
    return QDate::currentDate();
}

CardField field(const QString& column, const QString& label, bool sameRow = false, int width = 0,
                FieldKind kind = FieldKind::Auto) {
    CardField f;
    f.field = column;
    f.label = label;
    f.sameRow = sameRow;
    f.width = width;
    f.kind = kind;
    return f;
}

::ui::Lookup customerLookup() {
    return {QStringLiteral("select ID, NominativoVisualizzato, Annullato from Clienti order by "
                           "NominativoVisualizzato"),
            QStringLiteral("ID"), QStringLiteral("NominativoVisualizzato"),
            QStringLiteral("Annullato")};
}

::ui::Lookup deceasedLookup() {
    return {QStringLiteral("select Id, NominativoVisualizzato from Defunti order by "
                           "NominativoVisualizzato"),
            QStringLiteral("Id"), QStringLiteral("NominativoVisualizzato"), QString()};
}

QPushButton* smallButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* dateBox(const QString& name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setInputMask(QStringLiteral("99/99/9999;_"));
    e->setFixedWidth(100);
    return e;
}

QDate typedDate(const QLineEdit* box) {
    return common::ParseItalianDate(box->text().trimmed());
}

// Paints the rows of open contracts red.
class OpenContractDelegate : public QStyledItemDelegate {
public:
    explicit OpenContractDelegate(::ui::DataGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (db::Row::toBool(m_grid->records()->value(index.row(), QStringLiteral("Chiuso"))))
            return;
        option->backgroundBrush = QColor(Qt::red);
        option->palette.setColor(QPalette::Text, Qt::white);
        option->palette.setColor(QPalette::HighlightedText, Qt::white);
        option->palette.setColor(QPalette::Highlight, QColor(150, 0, 0));
    }

private:
    ::ui::DataGrid* m_grid;
};

// Runs a database action, showing its error; false when it failed.
bool guarded(::ui::AppContext& context, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const db::DbError& e) {
        context.interaction->error(kError, e.message());
        return false;
    }
}

// Reads a year typed by the user; 0 when it is not one.
int typedYear(const QString& text) {
    bool ok = false;
    const int year = text.trimmed().toInt(&ok);
    return ok && year >= 1900 && year <= 2999 ? year : 0;
}

// Puts buttons beside a field's editor; placeAttached() moves them in.
FieldButtons attachButtons(::ui::CardScreen* card, const QString& fieldName,
                           const QList<QPushButton*>& buttons, bool stretch) {
    QWidget* e = card->editor(fieldName);
    auto* holder = new QWidget(e->parentWidget());
    auto* h = new QHBoxLayout(holder);
    h->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* b : buttons)
        h->addWidget(b);
    if (!stretch)
        h->addStretch(1);
    return {e, holder, stretch};
}

// The card lays its fields out again each time it is shown: the editors that
// have buttons beside them go back into their holders.
void placeAttached(const QList<FieldButtons>& attached) {
    for (const FieldButtons& a : attached) {
        auto* grid = qobject_cast<QGridLayout*>(a.holder->parentWidget()->layout());
        const int at = grid ? grid->indexOf(a.editor) : -1;
        if (at < 0)
            continue;
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(at, &row, &column, &rows, &columns);
        grid->removeWidget(a.editor);
        grid->removeWidget(a.holder);
        static_cast<QHBoxLayout*>(a.holder->layout())->insertWidget(0, a.editor, a.stretch ? 1 : 0);
        grid->addWidget(a.holder, row, column, rows, columns);
        a.editor->show();
        a.holder->show();
    }
}

} // namespace

// ---------------------------------------------------------------------------

::ui::ScreenDefinition ContractDefinition() {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("ContrattiTestata");
    d.key = QStringLiteral("Id");
    d.objectName = QStringLiteral("TfrmGrigliaContratti");
    d.listTitle = QStringLiteral("Contratti");
    d.cardTitle = QStringLiteral("Contratto");

    CardField number =
        field(QStringLiteral("Numero"), QStringLiteral("N° "), false, 90, FieldKind::Integer);
    CardField date = field(QStringLiteral("Data"), QStringLiteral("Data"), true);
    CardField customer =
        field(QStringLiteral("Cliente_ID"), QStringLiteral("Cliente"), false, 0, FieldKind::Lookup);
    customer.lookup = customerLookup();
    CardField note = field(QStringLiteral("Note"), QStringLiteral("Note"));
    note.maxLength = 255;
    CardField closed = field(QStringLiteral("Chiuso"), QStringLiteral("Chiuso"));
    CardField receiptDate = field(QStringLiteral("DataRicevuta"), QStringLiteral("Data ricevuta"));
    CardField receiptNumber =
        field(QStringLiteral("NumeroRicevuta"), QStringLiteral("N° ultima ricevuta"), false, 90,
              FieldKind::Integer);
    d.fields = {number, date, customer, note, closed, receiptDate, receiptNumber};
    for (CardField& f : d.fields)
        f.page = kHeaderPage;
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare il Contratto?");
    return d;
}

::ui::ScreenDefinition ContractRowDefinition() {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("ContrattiRighe");
    d.key = QStringLiteral("IDX");
    d.objectName = QStringLiteral("TfrmModificaContratti");
    d.cardTitle = QStringLiteral("Contratti Righe");

    CardField quantity =
        field(QStringLiteral("Um"), QStringLiteral("Quantità"), false, 110, FieldKind::Amount);
    CardField unit = field(QStringLiteral("ValoreUnitario"), QStringLiteral("Valore Unitario"),
                           true, 120, FieldKind::Amount);
    unit.decimals = 4;
    CardField discount =
        field(QStringLiteral("Sconto"), QStringLiteral("Sconto"), false, 110, FieldKind::Amount);
    CardField total = field(QStringLiteral("ValoreTotale"), QStringLiteral("Valore Totale"), true,
                            120, FieldKind::Amount);
    CardField vat = field(QStringLiteral("Iva_ID"), QStringLiteral("Aliquota Iva"), false, 0,
                          FieldKind::Lookup);
    vat.lookup = {QStringLiteral("select ID, Descrizione from Iva order by Descrizione"),
                  QStringLiteral("ID"), QStringLiteral("Descrizione"), QString()};
    CardField rate =
        field(QStringLiteral("AliquotaIva"), QStringLiteral("Iva %"), true, 80, FieldKind::Amount);
    rate.readOnly = true;
    CardField number = field(QStringLiteral("NumeroRiga"), QStringLiteral("Numero di riga"), false,
                             90, FieldKind::Integer);

    d.fields = {
        field(QStringLiteral("Descrizione"), QStringLiteral("Descrizione")),
        quantity,
        unit,
        discount,
        total,
        vat,
        rate,
        field(QStringLiteral("Codice"), QStringLiteral("Codice"), false, 160),
        field(QStringLiteral("Reparto"), QStringLiteral("Reparto"), true),
        field(QStringLiteral("Note"), QStringLiteral("Note")),
        number,
        field(QStringLiteral("DataInizioPeriodo"), QStringLiteral("Data Inizio")),
        field(QStringLiteral("DataFinePeriodo"), QStringLiteral("Data Fine"), true),
        field(QStringLiteral("DataPagamento"), QStringLiteral("Data Pagamento")),
        field(QStringLiteral("Chiuso"), QStringLiteral("Chiuso")),
        field(QStringLiteral("Fatturato"), QStringLiteral("Fatturato"), true),
    };
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare la riga?");
    return d;
}

// ---------------------------------------------------------------------------

TfrmGrigliaContratti::TfrmGrigliaContratti(::ui::AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("TfrmGrigliaContratti"));
    setWindowTitle(QStringLiteral("Contratti"));
    setModal(true);
    resize(980, 620);

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("Contratti"), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);

    auto* filter = new QGroupBox(QStringLiteral("Filtra per "), this);
    auto* g = new QGridLayout(filter);
    m_number = new QLineEdit(filter);
    m_number->setObjectName(QStringLiteral("txtNumero"));
    m_number->setValidator(new QIntValidator(0, 999999999, m_number));
    m_number->setFixedWidth(90);
    m_from = dateBox(QStringLiteral("txtDallaData"), filter);
    m_to = dateBox(QStringLiteral("txtAllaData"), filter);
    m_customer = new QComboBox(filter);
    m_customer->setObjectName(QStringLiteral("cboCliente"));
    m_customer->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_customer->setMinimumContentsLength(24);
    m_deceased = new QComboBox(filter);
    m_deceased->setObjectName(QStringLiteral("cboDefunto"));
    m_deceased->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_deceased->setMinimumContentsLength(24);
    auto* findDeceased =
        smallButton(QStringLiteral("..."), QStringLiteral("btnCercaDefunto"), filter);
    findDeceased->setToolTip(QStringLiteral("Cerca il defunto nell'elenco dei defunti"));
    findDeceased->setFixedWidth(32);
    m_search = smallButton(QStringLiteral("cerca"), QStringLiteral("btnCerca"), filter);
    m_reset = smallButton(QStringLiteral("reset"), QStringLiteral("btnReset"), filter);

    auto label = [filter](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, filter);
        l->setBuddy(buddy);
        return l;
    };
    g->addWidget(label(QStringLiteral("Numero"), m_number), 0, 0, Qt::AlignRight);
    g->addWidget(m_number, 0, 1);
    g->addWidget(label(QStringLiteral("Dalla Data"), m_from), 0, 2, Qt::AlignRight);
    g->addWidget(m_from, 0, 3);
    g->addWidget(label(QStringLiteral("alla Data"), m_to), 0, 4, Qt::AlignRight);
    g->addWidget(m_to, 0, 5);
    g->addWidget(m_search, 0, 7);
    g->addWidget(label(QStringLiteral("Cliente"), m_customer), 1, 0, Qt::AlignRight);
    g->addWidget(m_customer, 1, 1, 1, 5);
    g->addWidget(m_reset, 1, 7);
    g->addWidget(label(QStringLiteral("Defunto"), m_deceased), 2, 0, Qt::AlignRight);
    g->addWidget(m_deceased, 2, 1, 1, 5);
    g->addWidget(findDeceased, 2, 6);
    g->setColumnStretch(6, 1);
    layout->addWidget(filter);

    m_grid = new ::ui::DataGrid(context, QStringLiteral("frmGrigliaContratti"), this);
    m_grid->setTable(QStringLiteral("ContrattiTestata"));
    m_grid->setKeyColumn(QStringLiteral("Id"));
    m_grid->setDefaultColumns({{QStringLiteral("Numero"), 80, QStringLiteral("Numero")},
                               {QStringLiteral("Data"), 100, QStringLiteral("Data")},
                               {QStringLiteral("Cliente"), 320, QStringLiteral("Cliente")},
                               {QStringLiteral("Note"), 380, QStringLiteral("Note")}});
    m_grid->setItemDelegate(new OpenContractDelegate(m_grid));
    m_grid->setAlternatingRowColors(false);
    layout->addWidget(m_grid, 1);
    auto* hint =
        new QLabel(QStringLiteral("Le righe rosse identificano  i contratti ancora aperti"), this);
    hint->setObjectName(QStringLiteral("lblLegenda"));
    layout->addWidget(hint);

    m_buttonRow = new QWidget(this);
    auto* buttons = new QHBoxLayout(m_buttonRow);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch(1);
    layout->addWidget(m_buttonRow);
    m_add = button(QStringLiteral("Aggiungi"), QStringLiteral("spdAggiungi"));
    m_delete = button(QStringLiteral("Elimina"), QStringLiteral("spdElimina"));
    m_open = button(QStringLiteral("Avanti"), QStringLiteral("spdAvanti"));
    auto* reload = button(QStringLiteral("Ricarica"), QStringLiteral("spdRicarica"));
    auto* missing =
        button(QStringLiteral("Pagamenti mancanti"), QStringLiteral("spdPagamentiMancanti"));
    missing->setToolTip(
        QStringLiteral("Elenca i clienti che non hanno pagamenti registrati nell'anno in corso"));
    auto* back = button(QStringLiteral("Indietro"), QStringLiteral("spdIndietro"));
    auto* help = button(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto"));

    connect(m_search, &QPushButton::clicked, this, &TfrmGrigliaContratti::search);
    connect(m_reset, &QPushButton::clicked, this, &TfrmGrigliaContratti::resetFilter);
    connect(findDeceased, &QPushButton::clicked, this, &TfrmGrigliaContratti::chooseDeceased);
    connect(m_add, &QPushButton::clicked, this, &TfrmGrigliaContratti::addContract);
    connect(m_delete, &QPushButton::clicked, this, &TfrmGrigliaContratti::removeCurrent);
    connect(m_open, &QPushButton::clicked, this, &TfrmGrigliaContratti::openCurrent);
    connect(reload, &QPushButton::clicked, this, &TfrmGrigliaContratti::refresh);
    connect(missing, &QPushButton::clicked, this, &TfrmGrigliaContratti::missingPayments);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { app::ui::HelpWindow::showFor(this); });
    connect(m_grid, &::ui::DataGrid::rowChosen, this, [this](qint64 key) {
        if (key != 0)
            openContract(key, false);
    });

    fillChoices();
    refresh();
    if (context.recordKey > 0)
        m_grid->selectKey(context.recordKey);
    m_grid->setFocus();
}

QPushButton* TfrmGrigliaContratti::button(const QString& caption, const QString& name) {
    auto* b = smallButton(caption, name, m_buttonRow);
    b->setMinimumWidth(90);
    m_buttonRow->layout()->addWidget(b);
    return b;
}

void TfrmGrigliaContratti::fillChoices() {
    guarded(m_context, [this] {
        ::ui::fillLookup(*m_context.db, m_customer, customerLookup(), m_customer->currentData());
        ::ui::fillLookup(*m_context.db, m_deceased, deceasedLookup(), m_deceased->currentData());
    });
}

void TfrmGrigliaContratti::refresh() {
    QString sql = QStringLiteral("select * from ContrattiTestata where Storico = false");
    if (!m_condition.isEmpty())
        sql += QStringLiteral(" and (") + m_condition + QStringLiteral(")");
    sql += QStringLiteral(" order by Data desc, Numero desc");
    guarded(m_context, [&] { m_grid->setResult(m_context.db->query(sql)); });
}

void TfrmGrigliaContratti::search() {
    ContractRules::Filter f;
    f.from = typedDate(m_from);
    f.to = typedDate(m_to);
    f.number = m_number->text().trimmed().toLongLong();
    f.customerId = m_customer->currentData().toLongLong();
    f.deceasedId = m_deceased->currentData().toLongLong();
    guarded(m_context, [&] { m_condition = ContractRules::filterCondition(*m_context.db, f); });
    refresh();
}

void TfrmGrigliaContratti::resetFilter() {
    m_number->clear();
    m_from->clear();
    m_to->clear();
    m_customer->setCurrentIndex(0);
    m_deceased->setCurrentIndex(0);
    m_condition.clear();
    refresh();
}

void TfrmGrigliaContratti::chooseDeceased() {
    const QList<qint64> chosen = pickDeceased(m_context, this);
    if (chosen.isEmpty())
        return;
    fillChoices();
    const int at = m_deceased->findData(chosen.first());
    if (at >= 0)
        m_deceased->setCurrentIndex(at);
}

void TfrmGrigliaContratti::addContract() {
    qint64 id = 0;
    if (!guarded(m_context, [&] { id = ContractRules::insertNew(*m_context.db, today()); }))
        return;
    refresh();
    m_grid->selectKey(id);
    openContract(id, true);
}

void TfrmGrigliaContratti::openCurrent() {
    const qint64 key = m_grid->currentKey();
    if (key != 0)
        openContract(key, false);
}

void TfrmGrigliaContratti::openContract(qint64 id, bool isNew) {
    {
        TfrmContrattiDettaglio card(m_context, ContractDefinition(), id, isNew, this);
        card.exec();
    }
    fillChoices();
    refresh();
    m_grid->selectKey(id);
    m_grid->setFocus();
}

void TfrmGrigliaContratti::removeCurrent() {
    const qint64 key = m_grid->currentKey();
    if (key == 0)
        return;
    if (!m_context.interaction->question(
            kNotice, QStringLiteral("Sei sicuro di voler eliminare il Contratto?")))
        return;
    guarded(m_context, [&] { ContractRules::deleteContract(*m_context.db, key); });
    refresh();
}

void TfrmGrigliaContratti::missingPayments() {
    runMissingPayments(m_context, this);
}

// ---------------------------------------------------------------------------

TfrmContrattiDettaglio::TfrmContrattiDettaglio(::ui::AppContext& context,
                                               const ::ui::ScreenDefinition& definition, qint64 key,
                                               bool isNew, QWidget* parent)
    : ::ui::CardScreen(context, definition, key, isNew, parent) {
    setObjectName(QStringLiteral("TfrmContrattiDettaglio"));
    setWindowTitle(QStringLiteral("Contratto"));
    m_pages = findChild<QTabWidget*>();

    // Beside the customer: a new customer, or the chosen one's card.
    auto* newCustomer =
        smallButton(QStringLiteral("Nuovo cliente"), QStringLiteral("btnNuovoCliente"), this);
    auto* openCustomer =
        smallButton(QStringLiteral("Apri cliente"), QStringLiteral("btnApriCliente"), this);
    m_attached.append(
        attachButtons(this, QStringLiteral("Cliente_ID"), {newCustomer, openCustomer}, true));
    connect(newCustomer, &QPushButton::clicked, this, &TfrmContrattiDettaglio::newCustomer);
    connect(openCustomer, &QPushButton::clicked, this, &TfrmContrattiDettaglio::openCustomer);

    // The receipt date and number have their buttons next to them.
    m_receiptToday = smallButton(QStringLiteral("Oggi"), QStringLiteral("btnOggiRicevuta"), this);
    m_receiptNumber = smallButton(QStringLiteral("Imposta"), QStringLiteral("btnImposta"), this);
    m_receiptNumber->setToolTip(
        QStringLiteral("Assegna il numero di ricevuta successivo dell'anno della ricevuta"));
    m_attached.append(attachButtons(this, QStringLiteral("DataRicevuta"), {m_receiptToday}, false));
    m_attached.append(
        attachButtons(this, QStringLiteral("NumeroRicevuta"), {m_receiptNumber}, false));
    placeAttached(m_attached);
    connect(m_receiptToday, &QPushButton::clicked, this, &TfrmContrattiDettaglio::receiptToday);
    connect(m_receiptNumber, &QPushButton::clicked, this,
            &TfrmContrattiDettaglio::assignReceiptNumber);

    buildRowsPage();
    buildDeceasedPage();

    // Toolbar: "Salva", "Annulla" (new contract only), "Stampa", "Ricevuta",
    // "Indietro", "Aiuto".
    deleteButton()->hide();
    cancelButton()->setVisible(isNew);
    disconnect(cancelButton(), nullptr, this, nullptr);
    connect(cancelButton(), &QPushButton::clicked, this, &TfrmContrattiDettaglio::cancelNew);
    m_print = addButton(QStringLiteral("Stampa"), QStringLiteral("spdStampa"));
    m_receiptPrint = addButton(QStringLiteral("Ricevuta"), QStringLiteral("spdRicevuta"));
    buttonRow()->addWidget(backButton());
    auto* help = addButton(QStringLiteral("Aiuto"), QStringLiteral("spdAiuto"));
    connect(help, &QPushButton::clicked, this, [this] { app::ui::HelpWindow::showFor(this); });
    connect(m_print, &QPushButton::clicked, this, &TfrmContrattiDettaglio::printContract);
    connect(m_receiptPrint, &QPushButton::clicked, this, &TfrmContrattiDettaglio::printReceipt);

    if (m_pages)
        connect(m_pages, &QTabWidget::currentChanged, this, &TfrmContrattiDettaglio::pageChosen);
    refreshRows();
    refreshDeceased();
    resize(1100, 600);
    if (isNew)
        if (QWidget* customer = editor(QStringLiteral("Cliente_ID")))
            customer->setFocus();
}

void TfrmContrattiDettaglio::buildRowsPage() {
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
    connect(showInvoice, &QAction::triggered, this, &TfrmContrattiDettaglio::showInvoice);

    auto* buttons = new QHBoxLayout();
    m_rowAdd =
        smallButton(QStringLiteral("Aggiungi"), QStringLiteral("btnAggiungiRiga"), m_rowsContent);
    m_rowFree = smallButton(QStringLiteral("Articolo non in archivio"),
                            QStringLiteral("btnArticoloNonInArchivio"), m_rowsContent);
    m_rowEdit =
        smallButton(QStringLiteral("Modifica"), QStringLiteral("btnModificaRiga"), m_rowsContent);
    m_rowDelete =
        smallButton(QStringLiteral("Elimina"), QStringLiteral("btnEliminaRiga"), m_rowsContent);
    m_renew = smallButton(QStringLiteral("Rinnova"), QStringLiteral("btnRinnova"), m_rowsContent);
    m_renew->setToolTip(QStringLiteral(
        "Copia le righe dell'ultimo anno nell'anno successivo, ai prezzi di listino"));
    for (QPushButton* b : {m_rowAdd, m_rowFree, m_rowEdit, m_rowDelete, m_renew})
        buttons->addWidget(b);
    buttons->addStretch(1);
    v->addLayout(buttons);

    connect(m_code, &QLineEdit::returnPressed, this, &TfrmContrattiDettaglio::addByCode);
    connect(m_rowAdd, &QPushButton::clicked, this, &TfrmContrattiDettaglio::addFromCatalogue);
    connect(m_rowFree, &QPushButton::clicked, this, &TfrmContrattiDettaglio::addFreeRow);
    connect(m_rowEdit, &QPushButton::clicked, this, &TfrmContrattiDettaglio::editRow);
    connect(m_rowDelete, &QPushButton::clicked, this, &TfrmContrattiDettaglio::deleteRow);
    connect(m_renew, &QPushButton::clicked, this, &TfrmContrattiDettaglio::renewRows);
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

void TfrmContrattiDettaglio::buildDeceasedPage() {
    m_deceasedContent = new QWidget(this);
    auto* v = new QVBoxLayout(m_deceasedContent);
    m_deceased = new ::ui::DataGrid(
        context(), QStringLiteral("frmContrattiDettaglio_GrigliaDefunti"), m_deceasedContent);
    m_deceased->setTable(QStringLiteral("ContrattiDefunti"));
    m_deceased->setKeyColumn(QStringLiteral("IdX"));
    m_deceased->setDefaultColumns({{QStringLiteral("Defunto"), 600, QStringLiteral("Defunto")}});
    v->addWidget(m_deceased, 1);
    auto* buttons = new QHBoxLayout();
    m_deceasedAdd = smallButton(QStringLiteral("Aggiungi"), QStringLiteral("btnAggiungiDefunto"),
                                m_deceasedContent);
    m_deceasedDelete = smallButton(QStringLiteral("Elimina"), QStringLiteral("btnEliminaDefunto"),
                                   m_deceasedContent);
    auto* create = smallButton(QStringLiteral("Nuovo defunto"), QStringLiteral("btnNuovoDefunto"),
                               m_deceasedContent);
    auto* open = smallButton(QStringLiteral("Apri defunto"), QStringLiteral("btnApriDefunto"),
                             m_deceasedContent);
    for (QPushButton* b : {m_deceasedAdd, m_deceasedDelete, create, open})
        buttons->addWidget(b);
    buttons->addStretch(1);
    v->addLayout(buttons);
    connect(m_deceasedAdd, &QPushButton::clicked, this, &TfrmContrattiDettaglio::linkDeceased);
    connect(m_deceasedDelete, &QPushButton::clicked, this, &TfrmContrattiDettaglio::unlinkDeceased);
    connect(create, &QPushButton::clicked, this, &TfrmContrattiDettaglio::newDeceased);
    connect(open, &QPushButton::clicked, this, &TfrmContrattiDettaglio::openDeceased);
    connect(m_deceased, &::ui::DataGrid::rowChosen, this, [this] { openDeceased(); });

    auto* page = new QWidget(this);
    auto* pv = new QVBoxLayout(page);
    pv->addWidget(m_deceasedContent);
    if (m_pages)
        m_pages->addTab(page, kDeceasedPage);
}

void TfrmContrattiDettaglio::showEvent(QShowEvent* event) {
    ::ui::CardScreen::showEvent(event);
    placeAttached(m_attached);
}

bool TfrmContrattiDettaglio::run(const std::function<void()>& action) {
    return guarded(context(), action);
}

std::optional<common::Failure> TfrmContrattiDettaglio::validate(const QVariantMap& values) const {
    return ContractRules::validateHeader(values);
}

void TfrmContrattiDettaglio::writeExtra(db::Database& db, const QVariantMap& values) {
    // The customer's name and payment terms are copied when it is chosen.
    const qint64 customer = app::RecordKey(values, QStringLiteral("Cliente_ID"));
    const bool changed =
        customer != app::RecordKey(storedValues(), QStringLiteral("Cliente_ID")) ||
        db.scalar(QStringLiteral("select Cliente from ContrattiTestata where Id = ?"), {key()})
            .isNull();
    if (changed && customer > 0) {
        const db::Values copied = ContractRules::customerValues(db, customer);
        if (!copied.isEmpty())
            db.update(QStringLiteral("ContrattiTestata"), key(), copied);
    }
}

bool TfrmContrattiDettaglio::headerReady() {
    if (auto failure = validate(values())) {
        showFailure(*failure);
        return false;
    }
    return !isModified() || save();
}

void TfrmContrattiDettaglio::pageChosen(int index) {
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

void TfrmContrattiDettaglio::refreshRows() {
    run([this] {
        m_rows->setResult(context().db->query(
            QStringLiteral("select * from ContrattiRighe where Testata_ID = ? order by NumeroRiga, "
                           "IDX"),
            {key()}));
    });
}

void TfrmContrattiDettaglio::refreshDeceased() {
    run([this] {
        m_deceased->setResult(context().db->query(
            QStringLiteral("select * from ContrattiDefunti where Testata_ID = ? order by Defunto"),
            {key()}));
    });
}

void TfrmContrattiDettaglio::rowsChanged() {
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

void TfrmContrattiDettaglio::addByCode() {
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

void TfrmContrattiDettaglio::addFromCatalogue() {
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

void TfrmContrattiDettaglio::addFreeRow() {
    if (!headerReady())
        return;
    qint64 row = 0;
    if (!run([&] { row = ContractRules::addFreeRow(*context().db, key(), today()); }))
        return;
    rowsChanged();
    m_rows->selectKey(row);
    openRowEditor(row, true);
}

void TfrmContrattiDettaglio::editRow() {
    const qint64 row = m_rows->currentKey();
    if (row != 0)
        openRowEditor(row, false);
}

void TfrmContrattiDettaglio::openRowEditor(qint64 rowId, bool isNew) {
    {
        TfrmModificaContratti editor(context(), ContractRowDefinition(), rowId, isNew, this);
        editor.exec();
    }
    rowsChanged();
    m_rows->selectKey(rowId);
}

void TfrmContrattiDettaglio::deleteRow() {
    const qint64 row = m_rows->currentKey();
    if (row == 0)
        return;
    if (!context().interaction->question(kNotice,
                                         QStringLiteral("Sei sicuro di voler eliminare la riga?")))
        return;
    run([&] { ContractRules::deleteRow(*context().db, row); });
    rowsChanged();
}

void TfrmContrattiDettaglio::renewRows() {
    if (!headerReady())
        return;
    int last = 0;
    if (!run([&] { last = Renewal::lastYear(*context().db, key()); }))
        return;
    if (last == 0) {
        context().interaction->information(
            kNotice, QStringLiteral("Il contratto non ha righe con un periodo da rinnovare."));
        return;
    }
    QString answer = QString::number(last);
    if (!context().interaction->askText(
            QStringLiteral("Rinnova"),
            QStringLiteral("Anno delle righe da copiare nell'anno successivo:"), &answer))
        return;
    const int year = typedYear(answer);
    if (year == 0) {
        context().interaction->error(kError, QStringLiteral("Attenzione anno non valido"));
        return;
    }
    int written = 0;
    if (!run([&] { written = Renewal::renewContract(*context().db, key(), year, today()); }))
        return;
    rowsChanged();
    context().interaction->information(
        kNotice, written == 0
                     ? QStringLiteral("Nessuna riga da rinnovare: le righe del %1 "
                                      "sono già state rinnovate.")
                           .arg(year)
                     : QStringLiteral("Righe rinnovate per il %1: %2.").arg(year + 1).arg(written));
}

void TfrmContrattiDettaglio::showInvoice() {
    const qint64 row = m_rows->currentKey();
    if (row == 0)
        return;
    std::optional<ContractRules::InvoiceRef> invoice;
    if (!run([&] { invoice = ContractRules::invoiceOfRow(*context().db, row); }))
        return;
    if (!invoice) {
        context().interaction->warning(
            kNotice, QStringLiteral("Attenzione il contratto non risulta essere fatturato!!!"));
        return;
    }
    {
        documents::ui::TForm7 editor(context(), documents::DocumentKind::CustomerInvoice,
                                     invoice->id, false, this);
        editor.exec();
    }
    refreshRows();
}

void TfrmContrattiDettaglio::linkDeceased() {
    if (!headerReady())
        return;
    const QList<qint64> chosen = pickDeceased(context(), this);
    qint64 last = 0;
    for (qint64 deceased : chosen) {
        std::optional<QString> question;
        if (!run([&] { question = ContractRules::alreadyLinkedQuestion(*context().db, deceased); }))
            break;
        if (question && !context().interaction->question(kNotice, *question))
            continue;
        run([&] { last = ContractRules::linkDeceased(*context().db, key(), deceased); });
    }
    refreshDeceased();
    if (last != 0)
        m_deceased->selectKey(last);
}

void TfrmContrattiDettaglio::unlinkDeceased() {
    const qint64 link = m_deceased->currentKey();
    if (link == 0)
        return;
    if (!context().interaction->question(
            kNotice, QStringLiteral("Sei sicuro di voler eliminare il Defunto?")))
        return;
    run([&] { ContractRules::unlinkDeceased(*context().db, link); });
    refreshDeceased();
}

void TfrmContrattiDettaglio::newDeceased() {
    if (!headerReady())
        return;
    const qint64 id = addDeceasedForContract(context(), key(), this);
    refreshDeceased();
    if (id != 0)
        for (int r = 0; r < m_deceased->records()->rowCount(); ++r)
            if (m_deceased->records()->value(r, QStringLiteral("Defunto_ID")).toLongLong() == id)
                m_deceased->selectKey(m_deceased->keyAt(r));
}

void TfrmContrattiDettaglio::openDeceased() {
    const int row = m_deceased->currentRowIndex();
    if (row < 0)
        return;
    const qint64 deceased =
        m_deceased->records()->value(row, QStringLiteral("Defunto_ID")).toLongLong();
    if (deceased <= 0)
        return;
    {
        TfrmDefuntiDettaglio card(context(), DeceasedDefinition(), deceased, false, this);
        card.exec();
    }
    refreshDeceased();
}

void TfrmContrattiDettaglio::newCustomer() {
    qint64 id = 0;
    if (!run([&] { id = app::CustomerRules::insertNew(*context().db); }))
        return;
    bool kept = false;
    {
        app::ui::TfrmClientiDettaglio card(context(), app::ui::CustomerDefinition(), id, true,
                                           this);
        card.exec();
        kept = !card.deleted();
    }
    run([&] {
        ::ui::fillLookup(*context().db, editor(QStringLiteral("Cliente_ID")), customerLookup(),
                         kept ? QVariant(id) : value(QStringLiteral("Cliente_ID")));
    });
    if (kept)
        setValue(QStringLiteral("Cliente_ID"), id);
}

void TfrmContrattiDettaglio::openCustomer() {
    const qint64 id = app::RecordKey(values(), QStringLiteral("Cliente_ID"));
    if (id <= 0)
        return;
    {
        app::ui::TfrmClientiDettaglio card(context(), app::ui::CustomerDefinition(), id, false,
                                           this);
        card.exec();
    }
    const QVariant current = value(QStringLiteral("Cliente_ID"));
    run([&] {
        ::ui::fillLookup(*context().db, editor(QStringLiteral("Cliente_ID")), customerLookup(),
                         current);
    });
    setValue(QStringLiteral("Cliente_ID"), current);
}

void TfrmContrattiDettaglio::cancelNew() {
    if (!isNew()) {
        done(QDialog::Rejected);
        return;
    }
    if (!context().interaction->question(
            kNotice, QStringLiteral("Sei sicuro di voler annullare l'inserimento ?")))
        return;
    if (run([this] { ContractRules::deleteContract(*context().db, key()); }))
        done(QDialog::Rejected);
}

void TfrmContrattiDettaglio::receiptToday() {
    setValue(QStringLiteral("DataRicevuta"), today());
}

void TfrmContrattiDettaglio::assignReceiptNumber() {
    bool ok = true;
    const QVariant typed =
        ::ui::editorValue(editor(QStringLiteral("DataRicevuta")), FieldKind::Date, &ok);
    const QDate date = ok && typed.isValid() ? typed.toDate() : today();
    qint64 number = 0;
    if (!run([&] { number = ReceiptNumbering::assign(*context().db, key(), date); }))
        return;
    setValue(QStringLiteral("DataRicevuta"), date);
    setValue(QStringLiteral("NumeroRicevuta"), number);
}

void TfrmContrattiDettaglio::printContract() {
    if (isModified() && !save())
        return;
    run([this] { app::ui::printReport(context(), printing::ReportCall{68, key()}); });
}

void TfrmContrattiDettaglio::printReceipt() {
    if (isModified() && !save())
        return;
    run([this] {
        printing::ReportCall call{7, key()};
        call.parameter = printing::kContractReceipt;
        app::ui::printReport(context(), call);
    });
}

// ---------------------------------------------------------------------------

TfrmModificaContratti::TfrmModificaContratti(::ui::AppContext& context,
                                             const ::ui::ScreenDefinition& definition, qint64 key,
                                             bool isNew, QWidget* parent)
    : ::ui::CardScreen(context, definition, key, isNew, parent) {
    setObjectName(QStringLiteral("TfrmModificaContratti"));
    deleteButton()->hide();
    cancelButton()->setVisible(isNew);

    m_unitFromTotal = smallButton(QStringLiteral("Calcola valore unitario"),
                                  QStringLiteral("btnCalcolaValoreUnitario"), this);
    m_unitFromTotal->setToolTip(
        QStringLiteral("Ricava il valore unitario dal valore totale ivato"));
    m_paidToday = smallButton(QStringLiteral("Oggi"), QStringLiteral("btnOggiPagamento"), this);
    m_attached.append(
        attachButtons(this, QStringLiteral("ValoreTotale"), {m_unitFromTotal}, false));
    m_attached.append(attachButtons(this, QStringLiteral("DataPagamento"), {m_paidToday}, false));
    placeAttached(m_attached);
    connect(m_paidToday, &QPushButton::clicked, this,
            [this] { setValue(QStringLiteral("DataPagamento"), today()); });
    connect(m_unitFromTotal, &QPushButton::clicked, this, &TfrmModificaContratti::unitFromTotal);
    if (auto* vat = qobject_cast<QComboBox*>(editor(QStringLiteral("Iva_ID"))))
        connect(vat, &QComboBox::activated, this, &TfrmModificaContratti::vatChosen);
    for (const char* name : {"Um", "ValoreUnitario", "Sconto"})
        if (auto* line = qobject_cast<QLineEdit*>(editor(QString::fromLatin1(name))))
            connect(line, &QLineEdit::editingFinished, this, &TfrmModificaContratti::amountsTyped);
    resize(760, sizeHint().height());
    if (QWidget* first = editor(QStringLiteral("Descrizione")))
        first->setFocus();
}

std::optional<common::Failure> TfrmModificaContratti::validate(const QVariantMap& values) const {
    return ContractRules::validateRow(values);
}

void TfrmModificaContratti::writeExtra(db::Database& db, const QVariantMap& values) {
    QVariantMap row = values;
    ContractRules::completeRow(row);
    db.update(QStringLiteral("ContrattiRighe"), key(),
              {{QStringLiteral("Pagato"), row.value(QStringLiteral("Pagato"))},
               {QStringLiteral("AliquotaIva"), row.value(QStringLiteral("AliquotaIva"))},
               {QStringLiteral("TotaleImponibile"), row.value(QStringLiteral("TotaleImponibile"))},
               {QStringLiteral("ValoreTotale"), row.value(QStringLiteral("ValoreTotale"))}});
    setValue(QStringLiteral("ValoreTotale"), row.value(QStringLiteral("ValoreTotale")));
    const qint64 contract =
        db.scalar(QStringLiteral("select Testata_ID from ContrattiRighe where IDX = ?"), {key()})
            .toLongLong();
    if (contract > 0)
        ContractRules::recomputeClosed(db, contract);
}

void TfrmModificaContratti::showEvent(QShowEvent* event) {
    ::ui::CardScreen::showEvent(event);
    placeAttached(m_attached);
}

void TfrmModificaContratti::vatChosen() {
    QVariantMap row = values();
    if (!guarded(context(), [&] { ContractRules::chooseVat(*context().db, row); }))
        return;
    setValue(QStringLiteral("AliquotaIva"), row.value(QStringLiteral("AliquotaIva")));
    setValue(QStringLiteral("ValoreTotale"), row.value(QStringLiteral("ValoreTotale")));
}

void TfrmModificaContratti::amountsTyped() {
    QVariantMap row = values();
    documents::RowRules::computeAmounts(row);
    setValue(QStringLiteral("ValoreTotale"), row.value(QStringLiteral("ValoreTotale")));
}

void TfrmModificaContratti::unitFromTotal() {
    QVariantMap row = values();
    documents::DocumentOptions options;
    guarded(context(), [&] { options = documents::DocumentOptions::load(*context().db); });
    double unit = 0;
    if (auto failure = documents::RowRules::unitPriceFromTotal(row, options, &unit)) {
        context().interaction->warning(failure->title, failure->text);
        return;
    }
    setValue(QStringLiteral("ValoreUnitario"), unit);
}

// ---------------------------------------------------------------------------

void renewAllContracts(::ui::AppContext& context, QWidget* parent) {
    Q_UNUSED(parent);
    const int current = today().year();
    QString answer = QString::number(current);
    if (!context.interaction->askText(
            QStringLiteral("Rinnovo annuale"),
            QStringLiteral("Le righe dei contratti aperti il cui periodo termina nell'anno "
                           "indicato saranno copiate nell'anno successivo.\nAnno da rinnovare:"),
            &answer))
        return;
    const int year = typedYear(answer);
    if (year == 0) {
        context.interaction->error(kError, QStringLiteral("Attenzione anno non valido"));
        return;
    }
    Renewal::Outcome outcome;
    if (!guarded(context, [&] { outcome = Renewal::renewAll(*context.db, year, today()); }))
        return;
    if (outcome.rows == 0)
        context.interaction->information(
            kNotice, QStringLiteral("Nessuna riga da rinnovare per il %1.").arg(year));
    else
        context.interaction->information(
            kNotice, QStringLiteral("Rinnovo annuale completato: %1 righe scritte per il %2 in %3 "
                                    "contratti.")
                         .arg(outcome.rows)
                         .arg(year + 1)
                         .arg(outcome.contracts));
}

void runMissingPayments(::ui::AppContext& context, QWidget* parent) {
    Q_UNUSED(parent);
    int listed = 0;
    if (!guarded(context, [&] { listed = MissingPayments::run(*context.db, today()); }))
        return;
    if (listed == 0) {
        context.interaction->information(kNotice,
                                         QStringLiteral("Non risultano pagamenti non registrati"));
        return;
    }
    guarded(context, [&] {
        printing::ReportCall call;
        call.code = 12;
        call.selection = MissingPayments::reportSelection(*context.db);
        app::ui::printReport(context, call);
    });
}

void registerContractScreens(::ui::ScreenRegistry& registry) {
    registry.add(QStringLiteral("btnContratti"), [](QWidget* parent, ::ui::AppContext& context) {
        TfrmGrigliaContratti list(context, parent);
        list.exec();
    });
    registry.add(
        QStringLiteral("btnRinnovoAnnuale"),
        [](QWidget* parent, ::ui::AppContext& context) { renewAllContracts(context, parent); });
    registry.add(
        QStringLiteral("btnPagamentiMancanti"),
        [](QWidget* parent, ::ui::AppContext& context) { runMissingPayments(context, parent); });
}

} // namespace cemetery::ui
