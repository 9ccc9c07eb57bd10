#include "accounting/ui/VatSettlementScreens.h"

#include "common/TextForms.h"
#include "db/Database.h"
#include "printing/ReportCodes.h"
#include "printing/ui/DocumentActions.h"
#include "ui/AppContext.h"
#include "ui/Guarded.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

namespace accounting::ui {

using ::ui::CardField;
using ::ui::FieldKind;

namespace {

const QStringList kPages = {
    QStringLiteral("  Acquisti  "),      QStringLiteral("  Vendite  "),
    QStringLiteral("  Corrispettivi  "), QStringLiteral("Acquisti non Sogg."),
    QStringLiteral("Vendite non Sogg."), QStringLiteral("Corrisp. non sogg.")};
const QString kGenerale = QStringLiteral("Generale   ");

::ui::Lookup periods(Frequency f) {
    if (f == Frequency::Quarterly)
        return {
            QStringLiteral("select Numero, Descrizione from ContabilitaTrimestri order by Numero"),
            QStringLiteral("Numero"), QStringLiteral("Descrizione"), QString()};
    return {QStringLiteral("select numero, Mese from Mesi order by numero"),
            QStringLiteral("numero"), QStringLiteral("Mese"), QString()};
}

QTableWidgetItem* amountItem(double v) {
    auto* item = new QTableWidgetItem(common::euroText(v));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

::ui::ScreenDefinition settlementDefinition(Frequency f) {
    const SettlementTables& t = tablesOf(f);
    const bool quarterly = f == Frequency::Quarterly;
    ::ui::ScreenDefinition d;
    d.table = t.header;
    d.key = QStringLiteral("Id");
    d.objectName = quarterly ? QStringLiteral("TfrmContabilitaChiusuraIva")
                             : QStringLiteral("TfrmContabilitaChiusuraIvaMensile");
    d.listTitle =
        quarterly ? QStringLiteral("Chiusura Iva") : QStringLiteral("Chiusura Iva Mensile");
    d.cardTitle = d.listTitle;
    d.orderBy = QStringLiteral("Anno, ") + t.period;
    d.columns = {{"Anno", 70, "Anno"},
                 {t.period, 80, quarterly ? "Trimestre" : "Mese"},
                 {t.carried, 130, "Credito Precedente"},
                 {"TotaleIvaDebito", 120, "Debito"},
                 {"TotaleIvaCredito", 120, "Credito"}};
    d.deleteQuestion = quarterly
                           ? QStringLiteral("Sei sicuro di voler eliminare questo Trimestre ?")
                           : QStringLiteral("Sei sicuro di voler eliminare questo mese ?");
    d.beforeDelete = [t](db::Database& db, qint64 key) {
        db.exec(QStringLiteral("delete * from %1 where %2 = ?").arg(t.rows, t.parent), {key});
        db.exec(QStringLiteral("delete * from %1 where %2 = ?").arg(t.nonTaxable, t.parent), {key});
    };
    d.fields = {
        {.field = "Anno",
         .label = "Anno",
         .kind = FieldKind::Integer,
         .page = kGenerale,
         .width = 70},
        {.field = t.period,
         .label = quarterly ? "Trimestre" : "Mese",
         .kind = FieldKind::Lookup,
         .lookup = periods(f),
         .page = kGenerale,
         .width = 200},
        {.field = t.carried,
         .label = "Credito Precedente",
         .kind = FieldKind::Amount,
         .page = kGenerale,
         .width = 140},
        {.field = "TotaleIvaDebito",
         .label = "Debito",
         .kind = FieldKind::Amount,
         .page = kGenerale,
         .width = 140,
         .readOnly = true},
        {.field = "TotaleIvaCredito",
         .label = "Credito",
         .kind = FieldKind::Amount,
         .page = kGenerale,
         .width = 140,
         .readOnly = true},
        {.field = "AcquistiImponibile",
         .label = "Imponibile",
         .kind = FieldKind::Amount,
         .page = kPages[0],
         .width = 140,
         .readOnly = true},
        {.field = "AcquistiImposta",
         .label = "Iva",
         .kind = FieldKind::Amount,
         .page = kPages[0],
         .sameRow = true,
         .width = 140,
         .readOnly = true},
        {.field = "VenditaImponibile",
         .label = "Imponibile",
         .kind = FieldKind::Amount,
         .page = kPages[1],
         .width = 140,
         .readOnly = true},
        {.field = "VenditaImposta",
         .label = "Iva",
         .kind = FieldKind::Amount,
         .page = kPages[1],
         .sameRow = true,
         .width = 140,
         .readOnly = true},
        {.field = "CorrispettiviImponibile",
         .label = "Imponibile",
         .kind = FieldKind::Amount,
         .page = kPages[2],
         .width = 140,
         .readOnly = true},
        {.field = "CorrispettiviImposta",
         .label = "Iva",
         .kind = FieldKind::Amount,
         .page = kPages[2],
         .sameRow = true,
         .width = 140,
         .readOnly = true},
        {.field = "AcquistiImponibileNonSoggetta",
         .label = "Imponibile",
         .kind = FieldKind::Amount,
         .page = kPages[3],
         .width = 140,
         .readOnly = true},
        {.field = "VenditaImponibileNonSoggetta",
         .label = "Imponibile",
         .kind = FieldKind::Amount,
         .page = kPages[4],
         .width = 140,
         .readOnly = true},
        {.field = "CorrispettiviImponibileNonSoggetta",
         .label = "Imponibile",
         .kind = FieldKind::Amount,
         .page = kPages[5],
         .width = 140,
         .readOnly = true},
    };
    return d;
}

VatSettlementList::VatSettlementList(::ui::AppContext& context, Frequency f, QWidget* parent)
    : ::ui::ListScreen(context, settlementDefinition(f), ReadLater{}, parent), m_frequency(f) {
    resize(700, 480);
    m_year = new QLineEdit(this);
    m_year->setObjectName(QStringLiteral("txtAnno"));
    m_year->setValidator(new QIntValidator(0, 9999, m_year));
    m_year->setMaximumWidth(70);
    searchRow()->addWidget(new QLabel(QStringLiteral("Anno"), this));
    searchRow()->addWidget(m_year);
    connect(m_year, &QLineEdit::textChanged, this, [this] { refresh(); });
    if (f == Frequency::Quarterly) {
        auto* monthly = addButton(QStringLiteral("Chiusura Mensile"), QStringLiteral("btnMensile"));
        connect(monthly, &QPushButton::clicked, this, [this] {
            VatSettlementList list(this->context(), Frequency::Monthly, this);
            list.exec();
        });
    } else {
        // The chosen month, or every month the list shows (its year).
        auto* print = addButton(QStringLiteral("Stampa"), QStringLiteral("btnStampa"));
        auto* menu = new QMenu(print);
        menu->setObjectName(QStringLiteral("mnuStampa"));
        const std::pair<const char*, int> prints[] = {
            {"Mese selezionato", printing::reports::monthlyVatSettlement},
            {"Riepilogo dei mesi", printing::reports::monthlyVatSettlementYear},
            {"Totali per aliquota", printing::reports::monthlyVatSettlementYearByCode}};
        for (const auto& [caption, code] : prints) {
            QAction* action = menu->addAction(QString::fromUtf8(caption));
            action->setObjectName(QStringLiteral("mnuStampa%1").arg(code));
            connect(action, &QAction::triggered, this, [this, c = code] { this->print(c); });
        }
        print->setMenu(menu);
    }
    refresh();
}

void VatSettlementList::print(int code) {
    printing::ReportCall call;
    call.code = code;
    if (code == printing::reports::monthlyVatSettlement) {
        if (currentKey() <= 0)
            return;
        call.documentId = currentKey();
    } else {
        call.selection = condition();
    }
    ::ui::guarded(context(), [&] { printing::ui::printReport(context(), call); });
}

QString VatSettlementList::condition() const {
    QString c = ::ui::ListScreen::condition();
    bool ok = false;
    const int year = m_year ? m_year->text().toInt(&ok) : 0;
    if (ok && m_year->text().size() == 4)
        c += (c.isEmpty() ? QString() : QStringLiteral(" and ")) +
             QStringLiteral("Anno = %1").arg(year);
    return c;
}

qint64 VatSettlementList::insertRow() {
    qint64 key = 0;
    ::ui::guarded(context(), [&] {
        key = VatSettlement::addNext(*context().db, m_frequency, QDate::currentDate().year());
    });
    return key;
}

void VatSettlementList::openCard(qint64 key, bool isNew) {
    VatSettlementCard card(context(), definition(), key, isNew, m_frequency, this);
    card.exec();
    refresh();
}

VatSettlementCard::VatSettlementCard(::ui::AppContext& context,
                                     const ::ui::ScreenDefinition& definition, qint64 key,
                                     bool isNew, Frequency f, QWidget* parent)
    : ::ui::CardScreen(context, definition, key, isNew, parent), m_frequency(f) {
    setObjectName(f == Frequency::Quarterly
                      ? QStringLiteral("TfrmContabilitaChiusuraIvaDettaglio")
                      : QStringLiteral("TfrmContabilitaChiusuraIvaMensileDettaglio"));
    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("lblRisultato"));
    QFont bold = m_result->font();
    bold.setBold(true);
    m_result->setFont(bold);
    addRow(QStringLiteral("Risultato"), m_result, false, kGenerale);
    for (int i = 0; i < kPages.size(); ++i) {
        auto* grid = new QTableWidget(this);
        grid->setObjectName(QStringLiteral("grdRighe%1").arg(i));
        const bool taxable = i < 3;
        grid->setColumnCount(taxable ? 3 : 2);
        grid->setHorizontalHeaderLabels(
            taxable ? QStringList{QStringLiteral("Iva"), QStringLiteral("Imponibile"),
                                  QStringLiteral("Tot. Iva")}
                    : QStringList{QStringLiteral("Iva"), QStringLiteral("Imponibile")});
        grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->verticalHeader()->hide();
        grid->setMinimumHeight(180);
        addRow(QString(), grid, false, kPages[i]);
        m_grids << grid;
    }
    auto* calc = addButton(QStringLiteral("Calcola"), QStringLiteral("btnCalcola"));
    calc->setToolTip(f == Frequency::Quarterly
                         ? QStringLiteral("calcola la chiusura Iva per questo trimestre")
                         : QStringLiteral("calcola la chiusura Iva per questo mese"));
    auto* outside = addButton(QStringLiteral("NonSoggetta"), QStringLiteral("btnNonSoggetta"));
    auto* print = addButton(QStringLiteral("Stampa"), QStringLiteral("btnStampa"));
    connect(print, &QPushButton::clicked, this, [this] {
        if (isModified() && !save())
            return;
        printing::ReportCall call;
        call.code = m_frequency == Frequency::Quarterly ? printing::reports::vatSettlement
                                                        : printing::reports::monthlyVatSettlement;
        call.documentId = this->key();
        printing::ui::printReport(this->context(), call);
    });
    connect(calc, &QPushButton::clicked, this, &VatSettlementCard::calculate);
    connect(outside, &QPushButton::clicked, this, &VatSettlementCard::calculate);
    resize(860, 520);
    showRows();
}

void VatSettlementCard::calculate() {
    if (isModified() && !save())
        return;
    const QString period = tablesOf(m_frequency).period;
    ::ui::guardedRule(
        context(),
        [&] {
            return VatSettlement::calculate(*context().db, *context().interaction, m_frequency,
                                            key(), value(QStringLiteral("Anno")), value(period));
        },
        [this](const common::Failure& f) { showFailure(f); });
    load();
    showRows();
}

void VatSettlementCard::showRows() {
    Settlement s;
    ::ui::guarded(context(), [&] { s = VatSettlement::load(*context().db, m_frequency, key()); });
    for (QTableWidget* g : m_grids)
        g->setRowCount(0);
    auto put = [](QTableWidget* g, const SettlementLine& l, bool taxable) {
        const int row = g->rowCount();
        g->insertRow(row);
        g->setItem(row, 0, new QTableWidgetItem(l.description));
        g->setItem(row, 1, amountItem(l.taxable));
        if (taxable)
            g->setItem(row, 2, amountItem(l.vat));
    };
    for (const SettlementLine& l : s.lines)
        put(m_grids[int(l.kind)], l, true);
    for (const SettlementLine& l : s.nonTaxable)
        put(m_grids[3 + int(l.kind)], l, false);
    const double r = s.result();
    m_result->setText(
        QStringLiteral("Debito € %1 − Credito € %2 − Credito precedente € %3\n%4 € %5")
            .arg(common::euroText(s.debit), common::euroText(s.credit), common::euroText(s.carried),
                 r >= 0 ? QStringLiteral("Da versare:") : QStringLiteral("Credito da riportare:"),
                 common::euroText(std::abs(r))));
}

} // namespace accounting::ui
