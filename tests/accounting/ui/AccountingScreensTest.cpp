#include "accounting/ui/AccountingScreens.h"

#include "ModalWindows.h"
#include "ScreenArchive.h"
#include "ScreenHelpers.h"
#include "accounting/VatSettlement.h"
#include "accounting/ui/CashBookScreens.h"
#include "accounting/ui/DueDateScreens.h"
#include "accounting/ui/VatSettlementScreens.h"
#include "common/TextForms.h"
#include "documents/ui/InstalmentCard.h"
#include "ui/DataGrid.h"
#include "ui/RecordModel.h"
#include "ui/ScreenRegistry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace uitest;
using namespace accounting::ui;

namespace {

QPushButton* buttonOf(QWidget* w, const char* name) {
    return w->findChild<QPushButton*>(QString::fromLatin1(name));
}

qint64 instalment(db::Database& db, qint64 document, const QString& type, double amount,
                  const QDate& due) {
    return db.insert("FatturaScadenze", {{"Fattura_ID", document},
                                         {"Numero", 1},
                                         {"Tipo", type},
                                         {"Importo", amount},
                                         {"Operazione", "Rata fattura " + type},
                                         {"DataScadenza", due},
                                         {"Pagato", false}});
}

} // namespace

TEST_F(ScreenTest, BatchPaymentOfTwoInstalmentsShowsInTheCashBook) {
    db().exec("update opzioni set DuplicaFatturazioneInPrimaNota = true");
    const qint64 doc = db().insert(
        "fattura",
        {{"Carico", false}, {"FattNota", false}, {"Num", 5}, {"Data", QDate(2020, 1, 10)}});
    instalment(db(), doc, "F", 100, QDate(2020, 2, 1));
    instalment(db(), doc, "F", 50, QDate::currentDate().addDays(30));
    instalment(db(), doc, "C", 70, QDate(2020, 2, 1)); // supplier side: another list

    DueDateList list(context, DueDateMode::CustomersOpen);
    ASSERT_EQ(list.grid()->records()->rowCount(), 2);
    // The overdue instalment is red, the one still to come is not.
    auto* model = list.grid()->records();
    EXPECT_EQ(model->data(model->index(0, 0), Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_FALSE(model->data(model->index(1, 0), Qt::ForegroundRole).isValid());
    screenshot(&list, "scadenziario_clienti");

    bool batchShown = false;
    onNextModal<BatchPaymentDialog>([&](BatchPaymentDialog* dialog) {
        batchShown = true;
        EXPECT_EQ(dialog->offered()->rowCount(), 2);
        QTest::mouseClick(buttonOf(dialog, "btnAggiungiTutte"), Qt::LeftButton);
        EXPECT_EQ(dialog->chosen()->rowCount(), 2);
        EXPECT_EQ(dialog->offered()->rowCount(), 0);
        screenshot(dialog, "paga_fatture");
        onNextModal<PaymentDetailsDialog>([&](PaymentDetailsDialog* details) {
            QTest::mouseClick(buttonOf(details, "btnOggi"), Qt::LeftButton);
            details->findChild<QLineEdit*>("txtDettagli")->setText("bonifico cumulativo");
            QTest::mouseClick(buttonOf(details, "btnPagaFatture"), Qt::LeftButton);
        });
        QTest::mouseClick(buttonOf(dialog, "btnPagaFatture"), Qt::LeftButton);
        EXPECT_EQ(dialog->chosen()->rowCount(), 0);
    });
    QTest::mouseClick(buttonOf(&list, "btnPagaFatture"), Qt::LeftButton);
    ASSERT_TRUE(batchShown);
    EXPECT_EQ(interaction.messages.last().text, "pagamenti registrati con successo!");
    EXPECT_EQ(list.grid()->records()->rowCount(), 0);

    CashBookList cashBook(context);
    showFirstScreen(&cashBook);
    auto* rows = cashBook.grid()->records();
    ASSERT_EQ(rows->rowCount(), 2);
    QList<double> amounts{rows->value(0, "Entrata").toDouble(),
                          rows->value(1, "Entrata").toDouble()};
    std::sort(amounts.begin(), amounts.end());
    EXPECT_EQ(amounts, (QList<double>{50, 100}));
    EXPECT_TRUE(cashBook.totalsLabel()->text().contains("Totale Entrate: 150,00"));
    screenshot(&cashBook, "prima_nota");

    // The movements belong to their instalments: the cash book will not delete them.
    cashBook.grid()->selectKey(rows->value(0, "ID").toLongLong());
    interaction.answers.enqueue(true);
    QTest::mouseClick(cashBook.deleteButton(), Qt::LeftButton);
    EXPECT_TRUE(interaction.messages.last().text.startsWith("Attenzione questo record è legato"));
    EXPECT_EQ(cashBook.grid()->records()->rowCount(), 2);
}

TEST_F(ScreenTest, SettlementCardShowsWhatIsToPay) {
    const qint64 doc = db().insert("fattura", {{"Carico", false},
                                               {"FattNota", false},
                                               {"Num", 1},
                                               {"Data", QDate(2025, 5, 2)},
                                               {"ScissionePagamenti", false}});
    db().insert("fattdett", {{"NumFatt", doc},
                             {"Um", 1},
                             {"ValoreUnitario", 1000},
                             {"Sconto", 0},
                             {"AliquotaIva", 22},
                             {"Iva_ID", 1}});
    const qint64 key =
        db().insert("ContabilitaChiusuraIvaTrimestre", {{"Anno", 2025}, {"Trimestre", 2}});
    VatSettlementCard card(context, settlementDefinition(accounting::Frequency::Quarterly), key,
                           false, accounting::Frequency::Quarterly);
    interaction.answers.enqueue(true);
    QTest::mouseClick(buttonOf(&card, "btnCalcola"), Qt::LeftButton);
    EXPECT_TRUE(interaction.messages.last().text.contains("ricalcolare questo Trimestre"));
    EXPECT_TRUE(card.resultLabel()->text().contains("Da versare: € 220,00"))
        << card.resultLabel()->text().toStdString();
    EXPECT_EQ(card.rowsGrid(1)->rowCount(), 1);
    EXPECT_EQ(card.rowsGrid(1)->item(0, 2)->text(), "220,00");
    screenshot(&card, "chiusura_iva");
}

// "prima nota" of an invoice or of an instalment opens the card of its
// cash-book movement.
TEST_F(ScreenTest, PrimaNotaOfADocumentOpensItsCashBookCard) {
    ::ui::ScreenRegistry registry;
    registerAccountingScreens(registry);
    context.screens = &registry;
    const qint64 movement = db().insert("finanzia", {{"Data", QDate(2026, 3, 2)},
                                                     {"Operazione", "Incasso fattura n. 5"},
                                                     {"Entrata", 122.0},
                                                     {"Uscita", 0.0}});
    qint64 shown = 0;
    onNextModal<CashBookCard>([&](CashBookCard* card) {
        shown = card->key();
        card->reject();
    });
    documents::ui::InstalmentCard::showMovement(context, movement);
    EXPECT_EQ(shown, movement);
    EXPECT_TRUE(interaction.messages.isEmpty());
}
