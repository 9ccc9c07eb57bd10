#include "accounting/ui/CashBookScreens.h"

#include "accounting/CashBook.h"
#include "accounting/ui/CashBookPrintDialog.h"
#include "common/SqlText.h"
#include "common/TextForms.h"
#include "db/Database.h"
#include "printing/ReportCodes.h"
#include "printing/ui/DocumentActions.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/Guarded.h"
#include "ui/LazyChoice.h"
#include "ui/Lookups.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace accounting::ui {

using ::ui::CardField;
using ::ui::FieldKind;

namespace {

QString jetDateOf(const QLineEdit* box) {
    const QDate d = common::parseItalianDate(box->text().trimmed());
    return d.isValid() ? common::jetDate(d) : QString();
}

} // namespace

::ui::ScreenDefinition cashBookDefinition(const ::ui::AppContext& context) {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("finanzia");
    d.objectName = QStringLiteral("TForm5");
    d.listTitle =
        context.history ? QStringLiteral("Storico Prima nota") : QStringLiteral("Prima nota");
    d.cardTitle = QStringLiteral("Prima nota");
    // A derived table, so that filters and order name its own columns.
    d.select = QStringLiteral("SELECT * FROM (") + CashBook::listSelect() +
               QStringLiteral(") AS PrimaNota");
    // Unless a search names a joined column, the count reads the movements alone.
    d.countSelect = QStringLiteral("SELECT ID FROM finanzia");
    d.countColumns = CashBook::movementColumns();
    d.orderBy = QStringLiteral("Data desc, Operazione");
    if (context.history && context.historyFrom.isValid() && context.historyTo.isValid())
        d.filter = QStringLiteral("Data >= #%1# AND Data <= #%2#")
                       .arg(common::jetDate(context.historyFrom),
                            common::jetDateEndOfDay(context.historyTo));
    else
        d.filter =
            QStringLiteral("Storico = false and Data >=#1/1/%1#").arg(QDate::currentDate().year());
    d.columns = {{"Data", 90, "Data"},
                 {"Tipologia", 80, "Tipologia"},
                 {"Operazione", 240, "Operazione"},
                 {"Entrata", 90, "Entrata"},
                 {"Uscita", 90, "Uscita"},
                 {"Fornitore", 150, "Fornitore"},
                 {"Cliente", 150, "Cliente"},
                 {"ModPagamento", 110, "ModPagamento"},
                 {"Banca", 110, "Banca"},
                 {"Iban", 160, "Iban"},
                 {"Reparto", 90, "Reparto"}};
    d.searches = {{"Operazione", "Operazione"},    {"Note", "Note"},
                  {"Cliente", "Cliente"},          {"Fornitore", "Fornitore"},
                  {"ModPagamento", "Mod. Pagam."}, {"Reparto", "Reparto"}};
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare l'operazione?");
    d.fields = {
        {.field = "Data", .label = "Data", .kind = FieldKind::Date, .width = 110},
        {.field = "Operazione", .label = "Operazione"},
        {.field = "Entrata", .label = "Entrata", .kind = FieldKind::Amount, .width = 120},
        {.field = "Uscita",
         .label = "Uscita",
         .kind = FieldKind::Amount,
         .sameRow = true,
         .width = 120},
        {.field = "Note", .label = "Note"},
        {.field = "Cliente_id",
         .label = "Cliente",
         .kind = FieldKind::Lookup,
         .lookup = ::ui::lookups::customers()},
        {.field = "Fornitore_id",
         .label = "Fornitore",
         .kind = FieldKind::Lookup,
         .lookup = ::ui::lookups::suppliers()},
        {.field = "ModPagamento_Id",
         .label = "Modalità di Pagamento",
         .kind = FieldKind::Lookup,
         .lookup = ::ui::lookups::paymentTerms()},
        {.field = "Banca_ID",
         .label = "Banca",
         .kind = FieldKind::Lookup,
         .lookup = ::ui::lookups::banks()},
        {.field = "Reparto",
         .label = "Reparto",
         .kind = FieldKind::Lookup,
         .lookup = ::ui::lookups::departments()},
        {.field = "Tipologia_ID",
         .label = "Tipologia",
         .kind = FieldKind::Lookup,
         .lookup = {QStringLiteral("select Id, Descrizione from TipologiaPrimaNota order by Id"),
                    QStringLiteral("Id"), QStringLiteral("Descrizione"), QString()}},
        {.field = "ContabilitaConti_ID",
         .label = "Conto",
         .kind = FieldKind::Lookup,
         .lookup = ::ui::lookups::accounts(),
         .search = ::ui::lookups::accountSearch},
        {.field = "Corrispettivi", .label = "Corrispettivi", .kind = FieldKind::Check},
        {.field = "Iva_Id",
         .label = "Aliquota Iva ",
         .kind = FieldKind::Lookup,
         .lookup = ::ui::lookups::vatCodes(),
         .sameRow = true},
    };
    d.validate = [](const QVariantMap& v) { return CashBook::validate(v); };
    d.afterSave = [](db::Database& db, qint64 key, const QVariantMap&) {
        CashBook::copyVatRate(db, key);
    };
    return d;
}

CashBookList::CashBookList(::ui::AppContext& context, QWidget* parent)
    : ::ui::ListScreen(context, cashBookDefinition(context), ReadLater{}, parent) {
    resize(1100, 640);
    auto* filters = new QWidget(this);
    filters->setObjectName(QStringLiteral("pnlFiltri"));
    auto* grid = new QGridLayout(filters);
    grid->setContentsMargins(0, 0, 0, 0);
    m_from = new QLineEdit(filters);
    m_from->setObjectName(QStringLiteral("txtDallaData"));
    m_from->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    m_to = new QLineEdit(filters);
    m_to->setObjectName(QStringLiteral("txtAllaData"));
    m_to->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    m_kind = new QComboBox(filters);
    m_kind->setObjectName(QStringLiteral("cboTipologia"));
    m_kind->addItems({QStringLiteral("Tutti"), QStringLiteral("Cassa"), QStringLiteral("Banca"),
                      QStringLiteral("Fuori Cassa")});
    // The banks are read when the user opens the choice, not at every opening.
    m_bank = new ::ui::LazyChoice(
        context.interaction,
        [&context](QComboBox* box) {
            const db::Result banks = context.db->query(
                QStringLiteral("select Id, Iban, Banca from Bank order by Banca"));
            for (const db::Row& r : banks)
                box->addItem(r.text(QStringLiteral("Banca")) + QStringLiteral(" ") +
                                 r.text(QStringLiteral("Iban")),
                             r.value(QStringLiteral("Id")));
        },
        filters);
    m_bank->setObjectName(QStringLiteral("cboBanca"));
    auto* find = new QPushButton(QStringLiteral("cerca"), filters);
    find->setObjectName(QStringLiteral("btnCerca"));
    auto* reset = new QPushButton(QStringLiteral("reset"), filters);
    reset->setObjectName(QStringLiteral("btnReset"));
    grid->addWidget(new QLabel(QStringLiteral("Dalla Data"), filters), 0, 0);
    grid->addWidget(m_from, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("alla Data"), filters), 0, 2);
    grid->addWidget(m_to, 0, 3);
    grid->addWidget(m_kind, 0, 4);
    grid->addWidget(new QLabel(QStringLiteral("Banca"), filters), 0, 5);
    grid->addWidget(m_bank, 0, 6);
    grid->addWidget(find, 0, 7);
    grid->addWidget(reset, 0, 8);
    if (auto* box = qobject_cast<QVBoxLayout*>(layout()))
        box->insertWidget(1, filters);
    connect(find, &QPushButton::clicked, this, &CashBookList::search);
    connect(reset, &QPushButton::clicked, this, &CashBookList::resetFilter);

    m_totals = new QLabel(this);
    m_totals->setObjectName(QStringLiteral("lblTotali"));
    if (auto* box = qobject_cast<QVBoxLayout*>(layout()))
        box->addWidget(m_totals);
    auto* total = addButton(QStringLiteral("Totalizza"), QStringLiteral("btnTotalizza"));
    connect(total, &QPushButton::clicked, this, &CashBookList::totalize);
    auto* reload = addButton(QStringLiteral("Ricarica"), QStringLiteral("btnRicarica"));
    connect(reload, &QPushButton::clicked, this, [this] {
        refresh();
        totalize();
    });
    auto* printButton = addButton(QStringLiteral("Stampa"), QStringLiteral("btnStampa"));
    auto* menu = new QMenu(printButton);
    menu->setObjectName(QStringLiteral("mnuStampa"));
    const std::pair<const char*, int> prints[] = {
        {"Prima Nota", printing::reports::cashBook},
        {"per Clienti", printing::reports::cashBookCustomers},
        {"per Fornitori", printing::reports::cashBookSuppliers},
        {"Situazione Clienti", printing::reports::cashBookCustomerSituation},
        {"Situaz. Fornitori", printing::reports::cashBookSupplierSituation}};
    for (const auto& [caption, code] : prints) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QStringLiteral("mnuStampa%1").arg(code));
        connect(action, &QAction::triggered, this, [this, c = code] { print(c); });
    }
    menu->addSeparator();
    QAction* monthly = menu->addAction(QStringLiteral("Mese per Mese / per Banca..."));
    monthly->setObjectName(QStringLiteral("mnuStampaMese"));
    connect(monthly, &QAction::triggered, this, [this] {
        CashBookPrintDialog dialog(this->context(), this);
        dialog.exec();
    });
    printButton->setMenu(menu);
    // The delete asks and may refuse a document's movement.
    disconnect(deleteButton(), nullptr, this, nullptr);
    connect(deleteButton(), &QPushButton::clicked, this, &CashBookList::removeMovement);
    refresh();
    // The totals of the whole selection follow the first screen.
    ListScreen::grid()->afterNextPaint([this] { totalize(); });
}

QString CashBookList::filterText() const {
    QStringList parts;
    const QString from = jetDateOf(m_from);
    const QString to = jetDateOf(m_to);
    if (!from.isEmpty())
        parts << QStringLiteral("Data >= #%1#").arg(from);
    if (!to.isEmpty())
        parts << QStringLiteral("Data <= #%1 23.59.59#").arg(to);
    if (m_kind->currentIndex() > 0)
        parts << QStringLiteral("Tipologia_ID = %1").arg(m_kind->currentIndex());
    if (m_bank->currentData().isValid())
        parts << QStringLiteral("IdeBanca = %1").arg(m_bank->currentData().toLongLong());
    return parts.join(QStringLiteral(" and "));
}

QString CashBookList::condition() const {
    QString c = ::ui::ListScreen::condition();
    if (!m_applied.isEmpty())
        c += (c.isEmpty() ? QString() : QStringLiteral(" and ")) + m_applied;
    return c;
}

void CashBookList::search() {
    m_applied = filterText();
    refresh();
    totalize();
}

void CashBookList::resetFilter() {
    m_from->clear();
    m_to->clear();
    m_kind->setCurrentIndex(0);
    m_bank->setCurrentIndex(0);
    m_applied.clear();
    refresh();
    totalize();
}

void CashBookList::totalize() {
    ::ui::guarded(context(), [&] {
        const CashBook::Totals t = CashBook::totals(*context().db, condition());
        m_totals->setText(
            QStringLiteral("Totale Entrate: %1    Totale Uscite: %2    Totale: %3")
                .arg(common::euroText(t.in), common::euroText(t.out), common::euroText(t.total())));
    });
}

void CashBookList::print(int code) {
    printing::ReportCall call;
    call.code = code;
    call.selection = condition();
    ::ui::guarded(context(), [&] {
        if (code == printing::reports::cashBook || code == printing::reports::cashBookCustomers ||
            code == printing::reports::cashBookSuppliers)
            call.parameter =
                QString::number(CashBook::configuredOpeningBalance(*context().db), 'f', 2);
        printing::ui::printReport(context(), call);
    });
}

void CashBookList::removeMovement() {
    const qint64 key = currentKey();
    if (key <= 0)
        return;
    bool removed = false;
    ::ui::guarded(context(),
                  [&] { removed = CashBook::remove(*context().db, *context().interaction, key); });
    if (removed) {
        refresh();
        totalize();
    }
}

qint64 CashBookList::insertRow() {
    qint64 key = 0;
    ::ui::guarded(context(), [&] { key = CashBook::add(*context().db, QDate::currentDate()); });
    return key;
}

void CashBookList::openCard(qint64 key, bool isNew) {
    CashBookCard card(context(), definition(), key, isNew, this);
    card.exec();
    refresh();
    grid()->selectKey(key);
    totalize();
}

CashBookCard::CashBookCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition,
                           qint64 key, bool isNew, QWidget* parent)
    : ::ui::CardScreen(context, definition, key, isNew, parent) {
    setObjectName(QStringLiteral("TCassaDettaglio"));
    ::ui::guarded(context, [&] { m_readOnly = CashBook::belongsToDocument(*context.db, key); });
    if (m_readOnly) {
        for (const CardField& f : definition.fields)
            if (QWidget* w = editor(f.field))
                w->setEnabled(false);
        deleteButton()->setEnabled(false);
    }
    cancelButton()->setVisible(isNew);
}

} // namespace accounting::ui
