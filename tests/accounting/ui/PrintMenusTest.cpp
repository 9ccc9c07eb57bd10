#include "ScreenArchive.h"
#include "ScreenHelpers.h"
#include "accounting/ui/CashBookScreens.h"
#include "accounting/ui/DueDateScreens.h"
#include "accounting/ui/VatSettlementScreens.h"
#include "printing/ReportCodes.h"
#include "printing/ReportRequest.h"
#include "ui/DataGrid.h"
#include "ui/RecordModel.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace uitest;
using namespace accounting::ui;

namespace {

QStringList menuCaptions(QWidget* screen) {
    auto* button = screen->findChild<QPushButton*>("btnStampa");
    if (!button || !button->menu())
        return {};
    QStringList captions;
    for (QAction* a : button->menu()->actions())
        if (!a->isSeparator())
            captions << a->text();
    return captions;
}

void trigger(QWidget* screen, int code) {
    auto* action = screen->findChild<QAction*>(QStringLiteral("mnuStampa%1").arg(code));
    ASSERT_TRUE(action) << code;
    action->trigger();
}

} // namespace

// The cash book's print menu sends the prints of the movements the list
// shows, the whole-book ones from the opening balance of the options.
TEST_F(ScreenTest, CashBookPrintMenuPrintsWhatTheListShows) {
    db().exec("update opzioni set SaldoInizialePrimaNota = 250.5");
    db().insert("finanzia", {{"Data", QDate::currentDate()},
                             {"Operazione", "Incasso"},
                             {"Entrata", 10.0},
                             {"Storico", false}});
    CashBookList list(context);
    EXPECT_EQ(menuCaptions(&list),
              QStringList({"Prima Nota", "per Clienti", "per Fornitori", "Situazione Clienti",
                           "Situaz. Fornitori", "Mese per Mese / per Banca..."}));
    list.findChild<QComboBox*>("cboTipologia")->setCurrentIndex(1); // Cassa
    list.search();
    trigger(&list, printing::reports::cashBook);
    auto request = printing::ReportRequests::read(db(), db().workstation());
    ASSERT_TRUE(request);
    EXPECT_TRUE(request->report.endsWith("PrimaNota.rpt"));
    EXPECT_EQ(request->parameter, "250.50");
    EXPECT_TRUE(request->query.contains("Tipologia_ID = 1"));
    EXPECT_TRUE(request->query.contains("Storico = false"));

    trigger(&list, printing::reports::cashBookSupplierSituation);
    request = printing::ReportRequests::read(db(), db().workstation());
    ASSERT_TRUE(request);
    EXPECT_TRUE(request->report.endsWith("PrimaNotaSituazioneFornitori.rpt"));
    EXPECT_TRUE(request->parameter.isEmpty());
    EXPECT_TRUE(interaction.messages.isEmpty());
}

// The open customers' due dates offer their eight prints; a paid list
// prints at once.
TEST_F(ScreenTest, DueDatePrintMenuOffersTheVariants) {
    DueDateList open(context, DueDateMode::CustomersOpen);
    EXPECT_EQ(menuCaptions(&open),
              QStringList({"Elenco", "Scadute", "In scadenza entro 30 giorni", "Del mese corrente",
                           "per Cliente", "per Modalità di Pagamento", "per Banca",
                           "Scadute per Cliente"}));
    open.findChild<QLineEdit*>("txtDallaScadenza")->setText("01/02/2026");
    open.search();
    trigger(&open, printing::reports::customerDueDatesByCustomer);
    auto request = printing::ReportRequests::read(db(), db().workstation());
    ASSERT_TRUE(request);
    EXPECT_TRUE(request->report.endsWith("Scadenziario.rpt"));
    EXPECT_TRUE(request->query.contains("DataScadenza >= #2/1/2026#"));
    EXPECT_TRUE(request->query.contains("ORDER BY Cliente, DataScadenza"));

    DueDateList suppliers(context, DueDateMode::SuppliersOpen);
    EXPECT_EQ(menuCaptions(&suppliers).size(), 7);
    DueDateList paid(context, DueDateMode::SuppliersPaid);
    EXPECT_TRUE(menuCaptions(&paid).isEmpty());
    paid.findChild<QPushButton*>("btnStampa")->click();
    request = printing::ReportRequests::read(db(), db().workstation());
    ASSERT_TRUE(request);
    EXPECT_TRUE(request->report.endsWith("PagamentiFornitori.rpt"));
}

// The monthly settlements print the chosen month or the year shown.
TEST_F(ScreenTest, MonthlySettlementPrintsTheYearShown) {
    db().insert("ContabilitaChiusuraIvaMensile", {{"Anno", 2026}, {"Mese", 3}});
    VatSettlementList list(context, accounting::Frequency::Monthly);
    EXPECT_EQ(menuCaptions(&list),
              QStringList({"Mese selezionato", "Riepilogo dei mesi", "Totali per aliquota"}));
    list.yearBox()->setText("2026");
    trigger(&list, printing::reports::monthlyVatSettlementYearByCode);
    auto request = printing::ReportRequests::read(db(), db().workstation());
    ASSERT_TRUE(request);
    EXPECT_TRUE(request->report.endsWith("ChiusuraIvaMensile.rpt"));
    EXPECT_TRUE(request->query.contains("Anno = 2026"));
    VatSettlementList quarterly(context, accounting::Frequency::Quarterly);
    EXPECT_TRUE(menuCaptions(&quarterly).isEmpty());
}
