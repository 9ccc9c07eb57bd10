#include "accounting/ui/DueDateScreens.h"

#include "common/SqlText.h"
#include "common/TextForms.h"
#include "db/Database.h"
#include "documents/CashBookMovements.h"
#include "documents/DocumentOptions.h"
#include "documents/ui/InstalmentCard.h"
#include "printing/DueDateReports.h"
#include "printing/ReportCodes.h"
#include "printing/ui/DocumentActions.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/FieldEditors.h"
#include "ui/Guarded.h"
#include "ui/Lookups.h"
#include "ui/RecordModel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

namespace accounting::ui {

namespace {

const QString kSupplierSide = QStringLiteral("(Tipo='C' or Tipo='B')");
const QString kCustomerSide = QStringLiteral("(Tipo<>'C' and Tipo<>'B')");

QString modeCondition(DueDateMode mode) {
    switch (mode) {
    case DueDateMode::CustomersOpen:
        return QStringLiteral("DataPagamento is Null and ") + kCustomerSide;
    case DueDateMode::SuppliersOpen:
        return QStringLiteral("DataPagamento is Null and ") + kSupplierSide;
    case DueDateMode::CustomersPaid:
        return QStringLiteral("DataPagamento is not Null and ") + kCustomerSide;
    case DueDateMode::SuppliersPaid:
        return QStringLiteral("DataPagamento is not Null and ") + kSupplierSide;
    }
    return {};
}

bool isOpen(DueDateMode mode) {
    return mode == DueDateMode::CustomersOpen || mode == DueDateMode::SuppliersOpen;
}

QTableWidget* smallGrid(QWidget* parent, const QString& name) {
    auto* g = new QTableWidget(parent);
    g->setObjectName(name);
    g->setColumnCount(3);
    g->setHorizontalHeaderLabels(
        {QStringLiteral("Data Scad."), QStringLiteral("Operazione"), QStringLiteral("Importo")});
    g->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->verticalHeader()->hide();
    return g;
}

void putRow(QTableWidget* g, const QDate& due, const QString& operation, double amount) {
    const int row = g->rowCount();
    g->insertRow(row);
    g->setItem(row, 0, new QTableWidgetItem(common::italianDate(due)));
    g->setItem(row, 1, new QTableWidgetItem(operation));
    auto* a = new QTableWidgetItem(common::euroText(amount));
    a->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    g->setItem(row, 2, a);
}

} // namespace

::ui::ScreenDefinition dueDateDefinition(DueDateMode mode) {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("FatturaScadenze");
    d.key = QStringLiteral("Id");
    d.objectName = QStringLiteral("frmScadenziario");
    const bool customers = mode == DueDateMode::CustomersOpen || mode == DueDateMode::CustomersPaid;
    d.listTitle = QStringLiteral("%1 - %2").arg(
        isOpen(mode) ? QStringLiteral("Scadenze") : QStringLiteral("Pagamenti"),
        customers ? QStringLiteral("Clienti") : QStringLiteral("Fornitori"));
    // A derived table, so that conditions and order name its own columns.
    d.select = QStringLiteral(
        "SELECT * FROM (SELECT FatturaScadenze.Id, FatturaScadenze.DataScadenza, "
        "FatturaScadenze.DataPagamento, "
        "FatturaScadenze.Operazione, FatturaScadenze.Importo, FatturaScadenze.Dettagli, "
        "FatturaScadenze.Numero, FatturaScadenze.Tipo, Fornitor.Fornitore, "
        "Clienti.NominativoDocumenti as Cliente, ModPagamento.Descrizione as ModalitaPagamento, "
        "Bank.Iban, fattura.Data as DataFattura, fattura.Num as NumeroFattura, "
        "fattura.SerieFatturazione "
        "FROM ((((FatturaScadenze LEFT JOIN Fornitor ON FatturaScadenze.Fornitore_id = "
        "Fornitor.Id) "
        "LEFT JOIN Clienti ON FatturaScadenze.Cliente_id = Clienti.Id) "
        "LEFT JOIN ModPagamento ON FatturaScadenze.ModPagamento_Id = ModPagamento.id) "
        "LEFT JOIN Bank ON FatturaScadenze.Banca_ID = Bank.Id) "
        "LEFT JOIN fattura ON FatturaScadenze.Fattura_ID = fattura.Id) AS Scadenze");
    // Every instalment is one row whatever it joins: without a search on a
    // joined column the count reads the instalments alone.
    d.countSelect = QStringLiteral("SELECT Id FROM FatturaScadenze");
    d.countColumns = {"Id",      "DataScadenza", "DataPagamento", "Operazione",
                      "Importo", "Dettagli",     "Numero",        "Tipo"};
    d.filter = modeCondition(mode);
    d.orderBy = QStringLiteral("DataScadenza, Numero");
    d.columns = {{"DataScadenza", 90, "Scadenza"},
                 {"DataPagamento", 90, "Pagamento"},
                 {"Operazione", 220, "Operazione"},
                 {"Importo", 90, "Importo"},
                 {"Fornitore", 150, "Fornitore"},
                 {"Cliente", 150, "Cliente"},
                 {"DataFattura", 90, "Data Docum."},
                 {"NumeroFattura", 70, "N° Docum."},
                 {"SerieFatturazione", 60, "Serie"},
                 {"ModalitaPagamento", 110, "Mod.Pagamento"},
                 {"Iban", 160, "Iban"},
                 {"Dettagli", 150, "Dettagli"}};
    d.searches = {{"Fornitore", "Fornitore"}, {"ModalitaPagamento", "Mod. Pagamento"},
                  {"Cliente", "Cliente"},     {"Dettagli", "Dettagli"},
                  {"Iban", "Iban"},           {"SerieFatturazione", "Serie Doc."}};
    // A payment's cash-book movement goes with its instalment.
    d.beforeDelete = [](db::Database& db, qint64 key) {
        if (documents::DocumentOptions::load(db).cashBook)
            documents::CashBookMovements::removeForInstalment(db, key);
    };
    return d;
}

DueDateList::DueDateList(::ui::AppContext& context, DueDateMode mode, QWidget* parent)
    : ::ui::ListScreen(context, dueDateDefinition(mode), ReadLater{}, parent), m_mode(mode) {
    setObjectName(QStringLiteral("TfrmScadenziario"));
    resize(1100, 620);
    addButtonWidget()->hide();
    auto* filters = new QWidget(this);
    auto* row = new QHBoxLayout(filters);
    row->setContentsMargins(0, 0, 0, 0);
    m_from = new QLineEdit(filters);
    m_from->setObjectName(QStringLiteral("txtDallaScadenza"));
    m_to = new QLineEdit(filters);
    m_to->setObjectName(QStringLiteral("txtAllaScadenza"));
    row->addWidget(new QLabel(QStringLiteral("Dalla Scadenza"), filters));
    row->addWidget(m_from);
    row->addWidget(new QLabel(QStringLiteral("alla Scadenza"), filters));
    row->addWidget(m_to);
    auto* find = ::ui::ActionButton(QStringLiteral("cerca"), QStringLiteral("btnCerca"), filters);
    auto* reset = ::ui::ActionButton(QStringLiteral("reset"), QStringLiteral("btnReset"), filters);
    row->addWidget(find);
    row->addWidget(reset);
    row->addStretch();
    if (isOpen(mode)) {
        auto* hint =
            new QLabel(QStringLiteral("Le righe rosse sono le operazioni già scadute!!!"), filters);
        hint->setStyleSheet(QStringLiteral("color: red"));
        row->addWidget(hint);
    }
    if (auto* v = qobject_cast<QVBoxLayout*>(layout()))
        v->insertWidget(1, filters);
    connect(find, &QPushButton::clicked, this, &DueDateList::search);
    connect(reset, &QPushButton::clicked, this, &DueDateList::resetFilter);
    connect(m_from, &QLineEdit::returnPressed, this, &DueDateList::search);
    connect(m_to, &QLineEdit::returnPressed, this, &DueDateList::search);
    const QDate today = QDate::currentDate();
    grid()->records()->setRowColour([today](const db::Row& r) {
        if (!r.has(QStringLiteral("DataScadenza")) || !r.isNull(QStringLiteral("DataPagamento")))
            return QColor();
        const QDate due = r.date(QStringLiteral("DataScadenza"));
        return due.isValid() && due < today ? QColor(Qt::red) : QColor();
    });
    if (isOpen(mode)) {
        auto* pay = addButton(QStringLiteral("Paga fatture"), QStringLiteral("btnPagaFatture"));
        connect(pay, &QPushButton::clicked, this, &DueDateList::payInBatch);
    }
    auto* reload = addButton(QStringLiteral("Ricarica"), QStringLiteral("btnRicarica"));
    connect(reload, &QPushButton::clicked, this, [this] { refresh(); });
    auto* print = addButton(QStringLiteral("Stampa"), QStringLiteral("btnStampa"));
    if (isOpen(mode)) {
        // The open instalments print as listed or by one of the variants.
        auto* menu = new QMenu(print);
        menu->setObjectName(QStringLiteral("mnuStampa"));
        const bool suppliers = mode == DueDateMode::SuppliersOpen;
        for (const printing::DueDatePrint& p :
             printing::dueDatePrints(suppliers, QDate::currentDate())) {
            QAction* action = menu->addAction(p.caption);
            action->setObjectName(QStringLiteral("mnuStampa%1").arg(p.code));
            connect(action, &QAction::triggered, this,
                    [this, code = p.code] { this->print(code); });
        }
        print->setMenu(menu);
    } else {
        connect(print, &QPushButton::clicked, this, [this] {
            this->print(m_mode == DueDateMode::CustomersPaid ? printing::reports::customerPayments
                                                             : printing::reports::supplierPayments);
        });
    }
    refresh();
}

QString DueDateList::condition() const {
    QString c = ::ui::ListScreen::condition();
    if (!m_applied.isEmpty())
        c += QStringLiteral(" and ") + m_applied;
    return c;
}

void DueDateList::print(int code) {
    printing::ReportCall call;
    call.code = code;
    // The searches and dates typed, on the list's own columns.
    QString selection = ::ui::ListScreen::condition();
    const QString fixed = modeCondition(m_mode);
    if (selection.startsWith(fixed))
        selection =
            selection.mid(fixed.size()).remove(QRegularExpression(QStringLiteral("^ and ")));
    if (!m_applied.isEmpty())
        selection += (selection.isEmpty() ? QString() : QStringLiteral(" and ")) + m_applied;
    call.selection = selection;
    ::ui::guarded(context(), [&] { printing::ui::printReport(context(), call); });
}

void DueDateList::search() {
    QStringList parts;
    const QDate from = common::parseItalianDate(m_from->text().trimmed());
    const QDate to = common::parseItalianDate(m_to->text().trimmed());
    if (from.isValid())
        parts << QStringLiteral("DataScadenza >= #%1#").arg(common::jetDate(from));
    if (to.isValid())
        parts << QStringLiteral("DataScadenza <= #%1#").arg(common::jetDateEndOfDay(to));
    m_applied = parts.join(QStringLiteral(" and "));
    refresh();
}

void DueDateList::resetFilter() {
    m_from->clear();
    m_to->clear();
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->clear();
    m_applied.clear();
    refresh();
}

void DueDateList::payInBatch() {
    BatchPaymentDialog dialog(context(), modeCondition(m_mode), this);
    dialog.exec();
    refresh();
}

void DueDateList::openCard(qint64 key, bool isNew) {
    documents::ui::InstalmentCard card(context(), key, isNew, this);
    card.exec();
    refresh();
    grid()->selectKey(key);
}

// ---------------------------------------------------------------------------

BatchPaymentDialog::BatchPaymentDialog(::ui::AppContext& context, const QString& offeredCondition,
                                       QWidget* parent)
    : QDialog(parent), m_context(context), m_condition(offeredCondition) {
    setObjectName(QStringLiteral("TfrmPagaFatture"));
    setWindowTitle(QStringLiteral("Paga fatture"));
    resize(900, 520);
    auto* layout = new QVBoxLayout(this);
    auto* grids = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Scadenze fatture"), this));
    m_offered = smallGrid(this, QStringLiteral("grdScadenze"));
    left->addWidget(m_offered);
    auto* middle = new QVBoxLayout;
    auto* add = ::ui::ActionButton(QStringLiteral("Aggiungi"), QStringLiteral("btnAggiungi"), this);
    auto* addAll = ::ui::ActionButton(QStringLiteral("Aggiungi Tutte"),
                                      QStringLiteral("btnAggiungiTutte"), this);
    auto* remove = ::ui::ActionButton(QStringLiteral("Togli"), QStringLiteral("btnTogli"), this);
    auto* removeAll =
        ::ui::ActionButton(QStringLiteral("Togli Tutte"), QStringLiteral("btnTogliTutte"), this);
    middle->addStretch();
    for (QPushButton* b : {add, addAll, remove, removeAll})
        middle->addWidget(b);
    middle->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Scadenze in pagamento"), this));
    m_chosen = smallGrid(this, QStringLiteral("grdInPagamento"));
    right->addWidget(m_chosen);
    grids->addLayout(left, 1);
    grids->addLayout(middle);
    grids->addLayout(right, 1);
    layout->addLayout(grids);
    m_totals = new QLabel(this);
    m_totals->setObjectName(QStringLiteral("lblTotali"));
    layout->addWidget(m_totals);
    auto* buttons = new QHBoxLayout;
    auto* pay =
        ::ui::ActionButton(QStringLiteral("Paga fatture"), QStringLiteral("btnPagaFatture"), this);
    auto* back =
        ::ui::ActionButton(QStringLiteral("Indietro"), QStringLiteral("btnIndietro"), this);
    buttons->addStretch();
    buttons->addWidget(pay);
    buttons->addWidget(back);
    layout->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, &BatchPaymentDialog::addCurrent);
    connect(m_offered, &QTableWidget::cellDoubleClicked, this, &BatchPaymentDialog::addCurrent);
    connect(addAll, &QPushButton::clicked, this, &BatchPaymentDialog::addAll);
    connect(remove, &QPushButton::clicked, this, &BatchPaymentDialog::removeCurrent);
    connect(removeAll, &QPushButton::clicked, this, &BatchPaymentDialog::removeAll);
    connect(pay, &QPushButton::clicked, this, &BatchPaymentDialog::pay);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    refresh();
}

void BatchPaymentDialog::refresh() {
    m_offered->setRowCount(0);
    m_chosen->setRowCount(0);
    m_offeredIds.clear();
    m_chosenWorkIds.clear();
    double offeredTotal = 0;
    ::ui::guarded(m_context, [&] {
        for (const db::Row& r : m_context.db->query(
                 QStringLiteral("select Id, DataScadenza, Operazione, Importo from FatturaScadenze "
                                "where %1 and (TemporaneaSelezionata = false or "
                                "TemporaneaSelezionata is null) order by DataScadenza, Numero")
                     .arg(m_condition))) {
            putRow(m_offered, r.date(QStringLiteral("DataScadenza")),
                   r.text(QStringLiteral("Operazione")), r.number(QStringLiteral("Importo")));
            m_offeredIds << r.integer(QStringLiteral("Id"));
            offeredTotal += r.number(QStringLiteral("Importo"));
        }
        const QList<BatchPayment::Chosen> chosen = BatchPayment::chosen(*m_context.db);
        for (const BatchPayment::Chosen& c : chosen) {
            putRow(m_chosen, c.due, c.operation, c.amount);
            m_chosenWorkIds << c.workId;
        }
        const double inPayment = BatchPayment::total(chosen);
        m_totals->setText(QStringLiteral("Totale fatture: %1    Totale in pagamento: %2    "
                                         "Totale da pagare: %3")
                              .arg(common::euroText(offeredTotal + inPayment),
                                   common::euroText(inPayment), common::euroText(offeredTotal)));
    });
}

void BatchPaymentDialog::addCurrent() {
    const int row = m_offered->currentRow();
    if (row < 0 || row >= m_offeredIds.size())
        return;
    ::ui::guarded(m_context, [&] { BatchPayment::choose(*m_context.db, {m_offeredIds[row]}); });
    refresh();
}

void BatchPaymentDialog::addAll() {
    ::ui::guarded(m_context, [&] { BatchPayment::choose(*m_context.db, m_offeredIds); });
    refresh();
}

void BatchPaymentDialog::removeCurrent() {
    const int row = m_chosen->currentRow();
    if (row < 0 || row >= m_chosenWorkIds.size())
        return;
    ::ui::guarded(m_context, [&] { BatchPayment::release(*m_context.db, m_chosenWorkIds[row]); });
    refresh();
}

void BatchPaymentDialog::removeAll() {
    ::ui::guarded(m_context, [&] { BatchPayment::releaseAll(*m_context.db); });
    refresh();
}

bool BatchPaymentDialog::pay() {
    std::optional<common::Failure> refusal;
    ::ui::guarded(m_context, [&] { refusal = BatchPayment::checkChosen(*m_context.db); });
    if (refusal) {
        m_context.interaction->warning(refusal->title, refusal->text);
        return false;
    }
    PaymentDetailsDialog details(m_context, this);
    const bool paid = details.exec() == QDialog::Accepted;
    refresh();
    return paid;
}

// ---------------------------------------------------------------------------

PaymentDetailsDialog::PaymentDetailsDialog(::ui::AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("TfrmPagaFattureModPagamento"));
    setWindowTitle(QStringLiteral("Paga fatture"));
    auto* form = new QFormLayout(this);
    m_date = new QLineEdit(this);
    m_date->setObjectName(QStringLiteral("txtDataPagamento"));
    m_date->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    auto* today = ::ui::ActionButton(QStringLiteral("Oggi"), QStringLiteral("btnOggi"), this);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(m_date);
    dateRow->addWidget(today);
    form->addRow(QStringLiteral("Data Pagamento effettuato"), dateRow);
    m_terms = new QComboBox(this);
    m_terms->setObjectName(QStringLiteral("cboModPagamento"));
    m_bank = new QComboBox(this);
    m_bank->setObjectName(QStringLiteral("cboBanca"));
    ::ui::guarded(context, [&] {
        ::ui::fillLookup(*context.db, m_terms, ::ui::lookups::paymentTerms(), QVariant());
        ::ui::fillLookup(*context.db, m_bank, ::ui::lookups::banks(), QVariant());
    });
    form->addRow(QStringLiteral("Modalità di pagamento"), m_terms);
    m_details = new QLineEdit(this);
    m_details->setObjectName(QStringLiteral("txtDettagli"));
    form->addRow(QStringLiteral("Dettagli pagamento"), m_details);
    form->addRow(QStringLiteral("Banca"), m_bank);
    auto* pay =
        ::ui::ActionButton(QStringLiteral("Paga fatture"), QStringLiteral("btnPagaFatture"), this);
    form->addRow(pay);
    connect(today, &QPushButton::clicked, this,
            [this] { m_date->setText(common::italianDate(QDate::currentDate())); });
    connect(pay, &QPushButton::clicked, this, &PaymentDetailsDialog::confirm);
}

BatchPayment::Payment PaymentDetailsDialog::payment() const {
    return {common::parseItalianDate(m_date->text().trimmed()), m_terms->currentData(),
            m_details->text(), m_bank->currentData()};
}

void PaymentDetailsDialog::confirm() {
    bool paid = false;
    ::ui::guarded(m_context, [&] {
        paid = BatchPayment::pay(*m_context.db, *m_context.interaction, payment());
    });
    if (paid)
        accept();
}

} // namespace accounting::ui
