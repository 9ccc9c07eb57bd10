#include "ModalWindows.h"
#include "ScreenArchive.h"
#include "ScreenHelpers.h"
#include "accounting/ui/AccountingPrintDialog.h"
#include "accounting/ui/AccountingScreens.h"
#include "accounting/ui/CashBookScreens.h"
#include "app/ui/OptionsDialog.h"
#include "ui/CardScreen.h"
#include "ui/DataGrid.h"
#include "ui/RecordModel.h"
#include "ui/SearchWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace uitest;
using namespace accounting::ui;

namespace {

struct Chart {
    qint64 fiori = 0;
    qint64 servizi = 0;
    qint64 legname = 0;
    qint64 vendite = 0;
};

Chart chart(db::Database& db) {
    Chart c;
    const qint64 ricavi = db.insert("ContabilitaClassi", {{"Descrizione", "Ricavi"}});
    const qint64 costi = db.insert("ContabilitaClassi", {{"Descrizione", "Costi"}});
    c.vendite =
        db.insert("ContabilitaRaggruppamenti", {{"Descrizione", "Vendite"}, {"Classe_ID", ricavi}});
    const qint64 acquisti =
        db.insert("ContabilitaRaggruppamenti", {{"Descrizione", "Acquisti"}, {"Classe_ID", costi}});
    c.servizi = db.insert("ContabilitaConti",
                          {{"Descrizione", "Servizi funebri"}, {"Raggruppamento_ID", c.vendite}});
    c.fiori =
        db.insert("ContabilitaConti", {{"Descrizione", "Fiori"}, {"Raggruppamento_ID", c.vendite}});
    c.legname = db.insert("ContabilitaConti",
                          {{"Descrizione", "Legname"}, {"Raggruppamento_ID", acquisti}});
    return c;
}

QStringList accountsShown(::ui::SearchWindow* w) {
    QStringList out;
    auto* rows = w->grid()->records();
    for (int r = 0; r < rows->rowCount(); ++r)
        out << rows->value(r, "Conto").toString();
    return out;
}

} // namespace

// The cash-book card's "Conto" opens the account search: accounts by class,
// grouping and name, narrowed by the boxes; the one chosen goes in the card.
TEST_F(ScreenTest, AccountSearchChoosesTheCashBookAccount) {
    const Chart c = chart(db());
    const qint64 movement = db().insert("finanzia", {{"Data", QDate(2026, 3, 2)},
                                                     {"Operazione", "Vendita fiori"},
                                                     {"Entrata", 80.0},
                                                     {"Tipo", "A"},
                                                     {"Storico", false}});
    CashBookCard card(context, cashBookDefinition(context), movement, false);
    auto* search = card.findChild<QPushButton*>("btnCercaContabilitaConti_ID");
    ASSERT_TRUE(search);
    ASSERT_TRUE(search->isEnabled());
    bool shown = false;
    onNextModal<::ui::SearchWindow>([&](::ui::SearchWindow* w) {
        shown = true;
        EXPECT_EQ(w->objectName(), "frmCercaConto");
        EXPECT_EQ(accountsShown(w), QStringList({"Legname", "Fiori", "Servizi funebri"}));
        EXPECT_TRUE(w->addButtonWidget()->isHidden());
        EXPECT_TRUE(w->deleteButton()->isHidden());
        w->searchBox("Raggruppamento")->setText("vend");
        EXPECT_EQ(accountsShown(w), QStringList({"Fiori", "Servizi funebri"}));
        w->searchBox("Conto")->setText("fio");
        EXPECT_EQ(accountsShown(w), QStringList({"Fiori"}));
        screenshot(w, "cerca_conto");
        w->chooseButton()->click();
    });
    search->click();
    ASSERT_TRUE(shown);
    EXPECT_EQ(card.value("ContabilitaConti_ID").toLongLong(), c.fiori);
    ASSERT_TRUE(card.save());
    EXPECT_EQ(db().scalar("select ContabilitaConti_ID from finanzia where ID = ?", {movement})
                  .toLongLong(),
              c.fiori);

    // "Indietro" chooses nothing and leaves the field as it was.
    onNextModal<::ui::SearchWindow>([](::ui::SearchWindow* w) { w->backButton()->click(); });
    search->click();
    EXPECT_EQ(card.value("ContabilitaConti_ID").toLongLong(), c.fiori);
}

// A movement written by a document keeps its account: the search is off
// with the other fields.
TEST_F(ScreenTest, AccountSearchIsOffOnADocumentsMovement) {
    db().exec("update opzioni set DuplicaFatturazioneInPrimaNota = true");
    const qint64 doc = db().insert("fattura", {{"Carico", false}, {"FattNota", false}});
    const qint64 movement = db().insert("finanzia", {{"Data", QDate(2026, 3, 2)},
                                                     {"Operazione", "Incasso fattura"},
                                                     {"Entrata", 80.0},
                                                     {"Fattura_ID", doc}});
    CashBookCard card(context, cashBookDefinition(context), movement, false);
    ASSERT_TRUE(card.readOnly());
    EXPECT_FALSE(card.findChild<QPushButton*>("btnCercaContabilitaConti_ID")->isEnabled());
}

// The account card chooses its grouping through the grouping search; the
// account print window its account through the account search.
TEST_F(ScreenTest, GroupingAndPrintWindowSearches) {
    const Chart c = chart(db());
    std::unique_ptr<::ui::CardScreen> card(
        new ::ui::CardScreen(context, accountsDefinition(), c.legname, false));
    auto* grouping = card->findChild<QPushButton*>("btnCercaRaggruppamento_ID");
    ASSERT_TRUE(grouping);
    onNextModal<::ui::SearchWindow>([&](::ui::SearchWindow* w) {
        EXPECT_EQ(w->objectName(), "frmCercaRaggruppamento");
        w->grid()->selectKey(c.vendite);
        w->chooseButton()->click();
    });
    grouping->click();
    EXPECT_EQ(card->value("Raggruppamento_ID").toLongLong(), c.vendite);

    AccountingPrintDialog dialog(context);
    auto* choice = dialog.findChild<QComboBox*>("cboConto");
    auto* search = dialog.findChild<QPushButton*>("btnCercacboConto");
    ASSERT_TRUE(choice && search);
    onNextModal<::ui::SearchWindow>([&](::ui::SearchWindow* w) {
        w->grid()->selectKey(c.servizi);
        w->chooseButton()->click();
    });
    search->click();
    EXPECT_EQ(choice->currentData().toLongLong(), c.servizi);
}

// The default accounts of the options are chosen through the same search.
TEST_F(ScreenTest, OptionsChooseTheirDefaultAccountsThroughTheSearch) {
    const Chart c = chart(db());
    app::ui::OptionsDialog options(context);
    auto* search =
        options.findChild<QPushButton*>("btnCercaconto_ID_Predefinito_su_FattureVendita_Merce");
    ASSERT_TRUE(search);
    onNextModal<::ui::SearchWindow>([&](::ui::SearchWindow* w) {
        w->grid()->selectKey(c.servizi);
        w->chooseButton()->click();
    });
    search->click();
    EXPECT_EQ(options.value("conto_ID_Predefinito_su_FattureVendita_Merce").toLongLong(),
              c.servizi);
}
