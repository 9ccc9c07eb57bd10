#include "accounting/CashBook.h"

#include "AccountingFixture.h"
#include "accounting/BatchPayment.h"
#include "accounting/ChartOfAccounts.h"
#include "common/ScriptedInteraction.h"
#include "db/Database.h"

#include <gtest/gtest.h>

using namespace accounting;

namespace {

void mirrorInCashBook(db::Database& db, bool on) {
    db.exec("update opzioni set DuplicaFatturazioneInPrimaNota = ?", {on});
}

qint64 instalment(db::Database& db, qint64 document, const QString& type, double amount) {
    return db.insert("FatturaScadenze", {{"Fattura_ID", document},
                                         {"Numero", 1},
                                         {"Tipo", type},
                                         {"Importo", amount},
                                         {"Operazione", "Rata " + type},
                                         {"DataScadenza", QDate(2025, 3, 1)},
                                         {"Pagato", false}});
}

} // namespace

TEST(CashBook, CardChecksInOrder) {
    QVariantMap m{{"Operazione", "Incasso"}, {"Corrispettivi", true}};
    EXPECT_EQ(CashBook::validate(m)->text, "Attenzione manca la data");
    m["Data"] = QDate(2025, 1, 1);
    m["Operazione"] = "  ";
    EXPECT_EQ(CashBook::validate(m)->field, "Operazione");
    m["Operazione"] = "Incasso";
    const auto f = CashBook::validate(m);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->text, "Attenzione manca l'Aliquota Iva");
    EXPECT_EQ(f->title, "Messaggio di errore");
    m["Corrispettivi"] = false; // not takings: no VAT code needed
    EXPECT_FALSE(CashBook::validate(m));
    m["Corrispettivi"] = true;
    m["Iva_Id"] = 1;
    EXPECT_FALSE(CashBook::validate(m));
}

TEST(CashBook, MonthlyPrintChecksInOrder) {
    auto text = [](const QVariant& m, const QString& y, const QString& o, bool byBank,
                   const QVariant& bank) {
        const auto f = CashBook::checkMonthlyPrint(m, y, o, byBank, bank);
        return f ? f->text : QString();
    };
    EXPECT_EQ(text({}, "", "", true, {}), "Attenzione E' necessario definire il mese...");
    EXPECT_EQ(text(3, "", "", true, {}), "Attenzione E' necessario definire la Banca...");
    EXPECT_EQ(text(3, "25", "", false, {}), "Attenzione E' necessario definire l'anno...");
    EXPECT_EQ(text(3, "2025", "", false, {}),
              "Attenzione E' necessario definire il Saldo Iniziale...");
    EXPECT_EQ(text(3, "2025", "abc", false, {}),
              "Attenzione E' necessario definire il Saldo Iniziale...");
    EXPECT_EQ(text(3, "2025", "1.234,50", true, 2), QString());
    EXPECT_EQ(text(3, "2025", "0,00", false, {}), QString());
}

TEST(CashBook, DocumentMovementsStayWhileInvoicingIsMirrored) {
    TestArchive a(db::Engine::SQLite);
    auto& db = a.db();
    const qint64 doc = fixture::customerDocument(db, false, QDate(2025, 2, 1));
    const qint64 own = fixture::movement(db, QDate(2025, 2, 1), 10, 0, false);
    const qint64 linked = fixture::movement(db, QDate(2025, 2, 1), 50, 0, false);
    db.exec("update finanzia set Fattura_ID = ?, Tipo = '1' where ID = ?", {doc, linked});

    mirrorInCashBook(db, true);
    common::ScriptedInteraction ui;
    EXPECT_FALSE(CashBook::remove(db, ui, linked));
    ASSERT_EQ(ui.messages.size(), 2);
    EXPECT_TRUE(
        ui.messages[1].text.startsWith("Attenzione questo record è legato ad una fattura."));
    EXPECT_TRUE(CashBook::belongsToDocument(db, linked));
    ui.answers.enqueue(false);
    EXPECT_FALSE(CashBook::remove(db, ui, own)); // "No" keeps it
    EXPECT_TRUE(CashBook::remove(db, ui, own));
    EXPECT_EQ(db.scalar("select count(*) from finanzia").toInt(), 1);

    // With the option off the movement is the cash book's own.
    mirrorInCashBook(db, false);
    EXPECT_FALSE(CashBook::belongsToDocument(db, linked));
    EXPECT_TRUE(CashBook::remove(db, ui, linked));
}

TEST(CashBook, OpeningBalancesAndTotals) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& db = a.db();
        db.exec("update opzioni set SaldoInizialePrimaNota = 1000");
        const qint64 bank = db.insert("Bank", {{"Banca", "Banca Uno"}, {"SaldoInizioAnno", 200}});
        fixture::movement(db, QDate(2019, 6, 1), 100.10, 0, false); // any earlier year counts
        fixture::movement(db, QDate(2025, 2, 28), 0, 40.05, false);
        const qint64 m = fixture::movement(db, QDate(2025, 2, 10), 30, 0, false);
        db.exec("update finanzia set Banca_ID = ? where ID = ?", {bank, m});
        fixture::movement(db, QDate(2025, 3, 1), 999, 0, false); // the month itself does not
        EXPECT_DOUBLE_EQ(CashBook::openingBalance(db, QDate(2025, 3, 1)), 1090.05);
        EXPECT_DOUBLE_EQ(CashBook::bankOpeningBalance(db, QDate(2025, 3, 1), bank), 230);

        const CashBook::Totals all = CashBook::totals(db, "Data >= #1/1/2025#");
        EXPECT_DOUBLE_EQ(all.in, 1029);
        EXPECT_DOUBLE_EQ(all.out, 40.05);
        EXPECT_DOUBLE_EQ(all.total(), 988.95);
        EXPECT_DOUBLE_EQ(CashBook::totals(db, "Banca like 'banca*'").in, 30);
    }
}

TEST(BatchPayment, EveryKindPaidInOneTransactionWithItsMovement) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& db = a.db();
        mirrorInCashBook(db, true);
        const qint64 doc = fixture::customerDocument(db, false, QDate(2025, 2, 1));
        const qint64 f = instalment(db, doc, "F", 100);
        const qint64 n = instalment(db, doc, "N", 20);
        const qint64 c = instalment(db, doc, "C", 300);
        const qint64 b = instalment(db, doc, "B", 40);
        common::ScriptedInteraction ui;
        EXPECT_EQ(
            BatchPayment::checkChosen(db)->text,
            "Attenzione è necessario scegliere una scadenza in pagamento prima di proseguire!");
        BatchPayment::choose(db, {f, n, c, b, f});
        EXPECT_EQ(BatchPayment::chosen(db).size(), 4);
        EXPECT_DOUBLE_EQ(BatchPayment::total(BatchPayment::chosen(db)), 460);
        // Another workstation sees none of them.
        auto other = a.openAnother("ALTRA");
        EXPECT_TRUE(BatchPayment::chosen(*other).isEmpty());

        EXPECT_FALSE(BatchPayment::pay(db, ui, {}));
        EXPECT_EQ(ui.messages.last().text,
                  "Attenzione E' necessario definire la data pagamento...");
        ASSERT_TRUE(
            BatchPayment::pay(db, ui, {QDate(2025, 3, 5), QVariant(), "bonifico", QVariant()}));
        EXPECT_EQ(ui.messages.last().text, "pagamenti registrati con successo!");
        EXPECT_TRUE(BatchPayment::chosen(db).isEmpty());
        const db::Result moves = db.query("select * from finanzia order by FatturaScadenze_Id");
        ASSERT_EQ(moves.size(), 4);
        // "F" and "B" bring money in; "N" and "C" take it out.
        EXPECT_DOUBLE_EQ(moves[0].number("Entrata"), 100);
        EXPECT_DOUBLE_EQ(moves[1].number("Uscita"), 20);
        EXPECT_DOUBLE_EQ(moves[2].number("Uscita"), 300);
        EXPECT_DOUBLE_EQ(moves[3].number("Entrata"), 40);
        EXPECT_EQ(moves[3].text("Tipo"), "B");
        const db::Row paid = db.query("select * from FatturaScadenze where Id = ?", {c}).first();
        EXPECT_TRUE(paid.boolean("Pagato"));
        EXPECT_FALSE(paid.boolean("TemporaneaSelezionata"));
        EXPECT_EQ(paid.integer("Finanzia_id"), moves[2].integer("ID"));
        EXPECT_EQ(paid.text("Dettagli"), "bonifico");

        // Paid again: the same movements are updated, none added.
        BatchPayment::choose(db, {f});
        ASSERT_TRUE(BatchPayment::pay(db, ui, {QDate(2025, 3, 9), QVariant(), "", QVariant()}));
        EXPECT_EQ(db.scalar("select count(*) from finanzia").toInt(), 4);
        EXPECT_EQ(db::Row::toDate(
                      db.scalar("select Data from finanzia where FatturaScadenze_Id = ?", {f})),
                  QDate(2025, 3, 9));

        // With the option off the cash book is never touched.
        mirrorInCashBook(db, false);
        const qint64 later = instalment(db, doc, "F", 10);
        BatchPayment::choose(db, {later});
        ASSERT_TRUE(BatchPayment::pay(db, ui, {QDate(2025, 4, 1), QVariant(), "", QVariant()}));
        EXPECT_EQ(db.scalar("select count(*) from finanzia").toInt(), 4);
    }
}

TEST(BatchPayment, AFailureWritesNothing) {
    TestArchive a(db::Engine::SQLite);
    auto& db = a.db();
    mirrorInCashBook(db, true);
    const qint64 doc = fixture::customerDocument(db, false, QDate(2025, 2, 1));
    QList<qint64> ids;
    for (int i = 0; i < 200; ++i)
        ids << instalment(db, doc, "F", 1);
    BatchPayment::choose(db, ids);
    // The cash book is gone: the movement of the first payment fails.
    db.exec("drop table finanzia");
    common::ScriptedInteraction ui;
    EXPECT_ANY_THROW(BatchPayment::pay(db, ui, {QDate(2025, 3, 5), QVariant(), "", QVariant()}));
    EXPECT_EQ(
        db.scalar("select count(*) from FatturaScadenze where DataPagamento is not null").toInt(),
        0);
    EXPECT_EQ(BatchPayment::chosen(db).size(), 200);
}

TEST(ChartOfAccounts, DeletesCascadeDownAndLeaveDocumentsAlone) {
    TestArchive a(db::Engine::SQLite);
    auto& db = a.db();
    const qint64 cls = db.insert("ContabilitaClassi", {{"Descrizione", "Costi"}});
    const qint64 keep = db.insert("ContabilitaClassi", {{"Descrizione", "Ricavi"}});
    const qint64 g1 =
        db.insert("ContabilitaRaggruppamenti", {{"Descrizione", "Materiali"}, {"Classe_ID", cls}});
    const qint64 g2 =
        db.insert("ContabilitaRaggruppamenti", {{"Descrizione", "Servizi"}, {"Classe_ID", cls}});
    const qint64 g3 =
        db.insert("ContabilitaRaggruppamenti", {{"Descrizione", "Vendite"}, {"Classe_ID", keep}});
    const qint64 acc =
        db.insert("ContabilitaConti", {{"Descrizione", "Marmo"}, {"Raggruppamento_ID", g1}});
    db.insert("ContabilitaConti", {{"Descrizione", "Trasporti"}, {"Raggruppamento_ID", g2}});
    db.insert("ContabilitaConti", {{"Descrizione", "Lapidi"}, {"Raggruppamento_ID", g3}});
    const qint64 doc = fixture::customerDocument(db, false, QDate(2025, 1, 1));
    fixture::customerRow(db, false, doc, 1, 10, 0, fixture::vat::standard, acc);

    db::Transaction tx(db);
    ChartOfAccounts::removeBelowClass(db, cls);
    db.exec("delete * from ContabilitaClassi where Id = ?", {cls});
    tx.commit();
    EXPECT_EQ(db.scalar("select count(*) from ContabilitaRaggruppamenti").toInt(), 1);
    EXPECT_EQ(db.scalar("select count(*) from ContabilitaConti").toInt(), 1);
    EXPECT_EQ(db.scalar("select ContabilitaConti_ID from fattdett").toLongLong(), acc);

    EXPECT_EQ(ChartOfAccounts::validateAccount({})->text,
              "Attenzione manca la Descrizione del Conto");
    EXPECT_EQ(ChartOfAccounts::validateClass({})->title, "Messaggio di Errore");
}
