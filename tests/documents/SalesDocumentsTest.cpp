#include "documents/SalesDocuments.h"

#include "DocumentsFixture.h"
#include "common/ScriptedInteraction.h"
#include "db/RegistryRecord.h"
#include "documents/DocumentDeletion.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentStore.h"
#include "documents/DocumentTables.h"
#include "documents/OrderLinks.h"
#include "documents/QuoteInvoicing.h"
#include "documents/ReceiptImport.h"
#include "documents/RowRules.h"

#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

using namespace documents;

namespace {

const DocumentKind kDdt = DocumentKind::Ddt;
const DocumentKind kQuote = DocumentKind::Quote;
const DocumentKind kOrder = DocumentKind::CustomerOrder;
const DocumentKind kReceipt = DocumentKind::Receipt;

qint64 create(db::Database& d, DocumentKind kind, const QString& series = QString()) {
    SalesDocuments::NewDocument r;
    r.series = series;
    r.today = QDate(2025, 6, 1);
    return SalesDocuments::create(d, kind, r);
}

// A document of the customer with one saved row; the row's key.
qint64 addRow(db::Database& d, DocumentKind kind, qint64 id, double quantity, double price,
              qint64 article = 0) {
    QVariantMap r{{"Descrizione", "riga"}, {"Um", quantity},    {"ValoreUnitario", price},
                  {"Sconto", 0},           {"AliquotaIva", 22}, {"TipoRiga", article ? "N" : "A"}};
    if (article)
        r["Articolo_ID"] = article;
    const auto f = DocumentRows::save(d, kind, id, r);
    EXPECT_FALSE(f.has_value()) << (f ? f->text.toStdString() : "");
    return db::RecordKey(r, DocumentTables::of(kind).rowKey);
}

db::Row headerOf(db::Database& d, DocumentKind kind, qint64 id) {
    return d.query("select * from " + DocumentTables::of(kind).header + " where Id = ?", {id})
        .first();
}

} // namespace

TEST(SalesDocuments, NumberingOfEachKind) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        // Delivery notes run per series when series are in use.
        fixture::setOption(d, "FatturazioneMultipla", true);
        EXPECT_EQ(headerOf(d, kDdt, create(d, kDdt, "A")).integer("Numero"), 1);
        EXPECT_EQ(headerOf(d, kDdt, create(d, kDdt, "A")).integer("Numero"), 2);
        const qint64 b = create(d, kDdt, "B");
        EXPECT_EQ(headerOf(d, kDdt, b).integer("Numero"), 1);
        EXPECT_EQ(headerOf(d, kDdt, b).text("SerieFatturazione"), "B");
        fixture::setOption(d, "FatturazioneMultipla", false);
        EXPECT_EQ(headerOf(d, kDdt, create(d, kDdt)).integer("Numero"), 3);

        // The others over the whole table; history is left out.
        EXPECT_EQ(headerOf(d, kQuote, create(d, kQuote)).integer("Numero"), 1);
        const qint64 q2 = create(d, kQuote);
        EXPECT_EQ(headerOf(d, kQuote, q2).integer("Numero"), 2);
        d.exec("UPDATE PreventiTestata SET Numero = 40, Storico = true where Id = ?", {q2});
        EXPECT_EQ(headerOf(d, kQuote, create(d, kQuote)).integer("Numero"), 2);
        const db::Row order = headerOf(d, kOrder, create(d, kOrder));
        EXPECT_EQ(order.integer("NumeroInterno"), 1);
        EXPECT_EQ(order.text("Numero"), "1");
        d.exec("UPDATE OrdiniClientiTestata SET Numero = 'ABC-9'");
        EXPECT_EQ(headerOf(d, kOrder, create(d, kOrder)).integer("NumeroInterno"), 2);
        EXPECT_EQ(headerOf(d, kReceipt, create(d, kReceipt)).integer("Numero"), 1);
        EXPECT_EQ(headerOf(d, kReceipt, create(d, kReceipt)).integer("Numero"), 2);
        // A new quote takes the withholding option.
        fixture::setOption(d, "RitenutaAcconto", true);
        EXPECT_TRUE(headerOf(d, kQuote, create(d, kQuote)).boolean("RitAccontoAziende"));
    }
}

TEST(SalesDocuments, TwoWorkstationsNeverShareADeliveryNoteNumber) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        const int perProcess = 12;
        for (const char* kind : {"ddt", "order"}) {
            QList<QProcess*> workers;
            for (const QString& station : {QStringLiteral("CASSA1"), QStringLiteral("CASSA2")}) {
                auto* p = new QProcess;
                QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
                env.insert("OSSARION_WORKSTATION", station);
                p->setProcessEnvironment(env);
                p->start(NUMBERING_WORKER,
                         {a.address(), QString::number(perProcess), QString::fromLatin1(kind)});
                workers.append(p);
            }
            for (QProcess* p : workers) {
                ASSERT_TRUE(p->waitForFinished(120000));
                EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
                delete p;
            }
            const QString sql = QString::fromLatin1(kind) == "ddt"
                                    ? "select Numero as N from Ddt"
                                    : "select NumeroInterno as N from OrdiniClientiTestata";
            QSet<qint64> numbers;
            for (const db::Row& row : a.db().query(sql))
                numbers.insert(row.integer("N"));
            EXPECT_EQ(numbers.size(), 2 * perProcess) << kind;
        }
    }
}

TEST(SalesDocuments, SaveChecksInTheirOrder) {
    QVariantMap ddt{{"Data", QDate(2025, 6, 1)}};
    auto f = SalesDocuments::validate(kDdt, ddt);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->text, "Attenzione manca il numero del D.D.T.");
    EXPECT_EQ(f->title, "Messaggio di errore");
    EXPECT_EQ(f->field, "Numero");
    ddt["Numero"] = 4;
    ddt["Data"] = QVariant();
    EXPECT_EQ(SalesDocuments::validate(kDdt, ddt)->text, "Attenzione manca la data del D.D.T.");
    ddt["Data"] = "01/06/2025";
    EXPECT_EQ(SalesDocuments::validate(kDdt, ddt)->text,
              "Attenzione manca il Cliente destinatario della merce");
    ddt["Cliente_ID"] = 3;
    EXPECT_EQ(SalesDocuments::validate(kDdt, ddt)->text,
              "Attenzione manca la natura della merce da trasportare");
    ddt["Natura"] = "Fiori";
    EXPECT_EQ(SalesDocuments::validate(kDdt, ddt)->text,
              "Attenzione manca la Quantità della merce");
    ddt["Quantita"] = "3 PZ";
    EXPECT_FALSE(SalesDocuments::validate(kDdt, ddt));

    QVariantMap quote{{"Numero", 1}, {"Data", QDate(2025, 6, 1)}};
    EXPECT_EQ(SalesDocuments::validate(kQuote, quote)->text,
              "Attenzione manca il cliente del preventivo");
    quote.remove("Numero");
    EXPECT_EQ(SalesDocuments::validate(kQuote, quote)->text,
              "Attenzione manca il numero di preventivo");

    QVariantMap order{{"Numero", "A1"}, {"Data", QDate(2025, 6, 1)}, {"Cliente_ID", 2}};
    f = SalesDocuments::validate(kOrder, order);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->text, "Attenzione: è necessario salvare il numero interno di Ordine!!!");
    EXPECT_EQ(f->title, "Messaggio di Avviso!!");
    order["Numero"] = " ";
    EXPECT_EQ(SalesDocuments::validate(kOrder, order)->text,
              "Attenzione: è necessario salvare il numero di Ordine!!!");

    // A receipt has no checks of its own.
    EXPECT_FALSE(SalesDocuments::validate(kReceipt, {}));
}

TEST(SalesDocuments, RowChecksOfEachKind) {
    QVariantMap row{{"Um", 1}};
    auto f = RowRules::validate(kDdt, row);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->text, "Attenzione manca la Descrizione");
    EXPECT_EQ(f->title, "Messaggio di avviso");
    row = {{"Descrizione", "x"}};
    EXPECT_EQ(RowRules::validate(kDdt, row)->text, "Attenzione manca la quantità");
    // Quotes: quantity, unit price, VAT rate; no description needed.
    row = {{"Um", 1}};
    EXPECT_EQ(RowRules::validate(kQuote, row)->text, "Attenzione manca il Valore Unitario");
    row["ValoreUnitario"] = 10;
    EXPECT_EQ(RowRules::validate(kQuote, row)->text, "Attenzione manca l'Aliquota Iva");
    row["AliquotaIva"] = 22;
    EXPECT_FALSE(RowRules::validate(kQuote, row));
    EXPECT_FALSE(RowRules::validate(kOrder, {}));
}

TEST(SalesDocuments, CostRowsAndTotals) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        fixture::setOption(d, "AliquotaIva", 22);
        fixture::setOption(d, "SpeseTrasporto_Percentuale", true);
        fixture::setOption(d, "SpeseTrasporto_Percentuale_Valore", 5);
        fixture::setOption(d, "Spese_di_Incasso", 2.5);
        const qint64 id = create(d, kDdt);
        addRow(d, kDdt, id, 2, 100);
        EXPECT_DOUBLE_EQ(headerOf(d, kDdt, id).number("TotImponibile"), 200);

        // Transport at 5 percent of 200: a row of 10 plus VAT.
        const qint64 t = DocumentRows::addCostRow(d, kDdt, id, DocumentRows::Cost::Transport);
        const QVariantMap row = DocumentRows::load(d, kDdt, t);
        EXPECT_EQ(row["Descrizione"].toString(), "Spese di Trasporto");
        EXPECT_EQ(row["TipoRiga"].toString(), "T");
        EXPECT_DOUBLE_EQ(row["ValoreUnitario"].toDouble(), 10);
        EXPECT_DOUBLE_EQ(row["ValoreTotale"].toDouble(), 12.2);
        EXPECT_EQ(row["NumeroRiga"].toInt(), 2); // after the goods row
        const db::Row h = headerOf(d, kDdt, id);
        EXPECT_DOUBLE_EQ(h.number("TotImponibile"), 210);
        EXPECT_DOUBLE_EQ(h.number("TotDDT"), 256.2);
        EXPECT_EQ(h.text("Quantita"), "3 PZ");

        // A second collection-cost row is a second row.
        DocumentRows::addCostRow(d, kReceipt, create(d, kReceipt), DocumentRows::Cost::Collection);
        const qint64 r = create(d, kReceipt);
        DocumentRows::addCostRow(d, kReceipt, r, DocumentRows::Cost::Collection);
        DocumentRows::addCostRow(d, kReceipt, r, DocumentRows::Cost::Collection);
        EXPECT_EQ(fixture::count(d,
                                 "select count(*) from Conti where Testata_ID = ? and "
                                 "TipoRiga = 'S'",
                                 {r}),
                  2);
        EXPECT_DOUBLE_EQ(headerOf(d, kReceipt, r).number("TotFattura"), 6.1);

        // A fixed transport amount when the percentage is off.
        fixture::setOption(d, "SpeseTrasporto_Percentuale", false);
        fixture::setOption(d, "Spese_di_Trasporto", 15);
        const qint64 fixed = DocumentRows::addCostRow(d, kDdt, id, DocumentRows::Cost::Transport);
        EXPECT_DOUBLE_EQ(DocumentRows::load(d, kDdt, fixed)["ValoreUnitario"].toDouble(), 15);
    }
}

TEST(SalesDocuments, StockMovesWarningAndDeletion) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        const qint64 c = fixture::customer(d, "Rossi");
        const qint64 urn = fixture::article(d, "URNA", 100, 22, 1);
        const qint64 vase = fixture::article(d, "VASO", 20, 22, 10);

        const qint64 id = create(d, kDdt);
        QVariantMap h = SalesDocuments::load(d, kDdt, id);
        ASSERT_TRUE(SalesDocuments::applyCustomer(d, kDdt, h, c));
        EXPECT_EQ(h["Cliente"].toString(), "Rossi");
        h["Natura"] = "Urne";
        h["Quantita"] = "3 PZ";
        ASSERT_FALSE(SalesDocuments::save(d, kDdt, h));
        addRow(d, kDdt, id, 3, 100, urn);
        addRow(d, kDdt, id, 2, 20, vase);
        EXPECT_DOUBLE_EQ(fixture::stock(d, urn), -2);
        EXPECT_DOUBLE_EQ(fixture::stock(d, vase), 8);
        // Goods not in stock still go; the warning names them.
        const QStringList below = SalesDocuments::articlesBelowZero(d, kDdt, id);
        ASSERT_EQ(below.size(), 1);
        EXPECT_TRUE(below.first().startsWith("URNA ")) << below.first().toStdString();
        EXPECT_TRUE(SalesDocuments::belowZeroWarning(below).contains("URNA"));

        // Quotes and orders promise goods: no stock moves.
        addRow(d, kQuote, create(d, kQuote), 5, 100, urn);
        addRow(d, kOrder, create(d, kOrder), 5, 100, urn);
        EXPECT_DOUBLE_EQ(fixture::stock(d, urn), -2);

        // The delete asks first; "no" keeps everything.
        common::ScriptedInteraction no;
        no.answers.enqueue(false);
        EXPECT_FALSE(SalesDocuments::confirmAndRemove(d, no, kDdt, id));
        EXPECT_EQ(fixture::count(d, "select count(*) from Ddt"), 1);
        common::ScriptedInteraction yes;
        EXPECT_TRUE(SalesDocuments::confirmAndRemove(d, yes, kDdt, id));
        EXPECT_EQ(yes.messages.first().text, "Sei sicuro di voler eliminare il DDT??");
        EXPECT_EQ(fixture::count(d, "select count(*) from Ddt"), 0);
        EXPECT_EQ(fixture::count(d, "select count(*) from DDTRighe"), 0);
        EXPECT_DOUBLE_EQ(fixture::stock(d, urn), 1);
        EXPECT_DOUBLE_EQ(fixture::stock(d, vase), 10);

        // A receipt gives its stock back too.
        const qint64 r = create(d, kReceipt);
        addRow(d, kReceipt, r, 4, 20, vase);
        EXPECT_DOUBLE_EQ(fixture::stock(d, vase), 6);
        // An article added from the price list leaves the stock at once.
        qint64 byCode = 0;
        ASSERT_FALSE(DocumentRows::addByCode(d, kReceipt, r, "VASO", &byCode));
        EXPECT_DOUBLE_EQ(fixture::stock(d, vase), 5);
        DocumentRows::remove(d, kReceipt, byCode);
        EXPECT_DOUBLE_EQ(fixture::stock(d, vase), 6);
        SalesDocuments::remove(d, kReceipt, r);
        EXPECT_DOUBLE_EQ(fixture::stock(d, vase), 10);
    }
}

TEST(SalesDocuments, DeliveryNoteDateOrder) {
    TestArchive a(db::Engine::SQLite);
    auto& d = a.db();
    const qint64 six = create(d, kDdt);
    d.exec("UPDATE Ddt SET Numero = 6, Data = ? where Id = ?", {QDate(2025, 3, 12), six});
    const auto w = SalesDocuments::dateOrderWarning(d, 7, QDate(2025, 3, 10), {});
    ASSERT_TRUE(w);
    EXPECT_EQ(*w, "Attenzione il ddt precedente: il numero 6 presenta una data maggiore di "
                  "quella che si sta registrando ");
    EXPECT_FALSE(SalesDocuments::dateOrderWarning(d, 7, QDate(2025, 3, 12), {}));
    EXPECT_FALSE(SalesDocuments::dateOrderWarning(d, 7, QDate(2026, 1, 2), {}));
    EXPECT_FALSE(SalesDocuments::dateOrderWarning(d, QVariant(), QDate(2025, 3, 10), {}));
}

TEST(SalesDocuments, InvoiceLinksToOrdersAndReceipts) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        const qint64 c = fixture::customer(d, "Rossi");
        const qint64 vase = fixture::article(d, "VASO", 20, 22, 10);
        const qint64 invoice =
            fixture::document(d, DocumentKind::CustomerInvoice, c, QDate(2025, 6, 2));

        const qint64 order = create(d, kOrder);
        d.exec("UPDATE OrdiniClientiTestata SET Cliente_ID = ? where Id = ?", {c, order});
        ASSERT_EQ(OrderLinks::available(d, c).size(), 1);
        OrderLinks::link(d, invoice, order);
        OrderLinks::link(d, invoice, order); // once only
        EXPECT_TRUE(headerOf(d, kOrder, order).boolean("Fatturato"));
        EXPECT_EQ(fixture::count(d, "select count(*) from FatturaOrdiniClientiRighe"), 1);
        EXPECT_TRUE(OrderLinks::available(d, c).isEmpty());
        OrderLinks::unlink(d, invoice, order);
        EXPECT_FALSE(headerOf(d, kOrder, order).boolean("Fatturato"));
        OrderLinks::link(d, invoice, order);

        const qint64 receipt = create(d, kReceipt);
        d.exec("UPDATE TotaliCo SET Cliente_Id = ? where Id = ?", {c, receipt});
        addRow(d, kReceipt, receipt, 2, 20, vase);
        EXPECT_DOUBLE_EQ(fixture::stock(d, vase), 8);
        ASSERT_EQ(ReceiptImport::available(d, c).size(), 1);
        ASSERT_FALSE(ReceiptImport::import(d, invoice, receipt));
        // The rows are copied; the goods left with the receipt, not again.
        EXPECT_EQ(fixture::count(d,
                                 "select count(*) from fattdett where NumFatt = ? and "
                                 "Conto_ID = ?",
                                 {invoice, receipt}),
                  1);
        EXPECT_DOUBLE_EQ(fixture::stock(d, vase), 8);
        EXPECT_DOUBLE_EQ(fixture::header(d, invoice).number("TotImponibile"), 40);
        EXPECT_TRUE(headerOf(d, kReceipt, receipt).boolean("Fatturato"));
        ReceiptImport::remove(d, invoice, receipt);
        EXPECT_FALSE(headerOf(d, kReceipt, receipt).boolean("Fatturato"));
        EXPECT_DOUBLE_EQ(fixture::stock(d, vase), 8);
        EXPECT_DOUBLE_EQ(fixture::header(d, invoice).number("TotImponibile"), 0);
        ASSERT_FALSE(ReceiptImport::import(d, invoice, receipt));

        // Deleting the invoice clears both marks and leaves the stock alone.
        DocumentDeletion::remove(d, DocumentKind::CustomerInvoice, invoice);
        EXPECT_FALSE(headerOf(d, kOrder, order).boolean("Fatturato"));
        EXPECT_FALSE(headerOf(d, kReceipt, receipt).boolean("Fatturato"));
        EXPECT_EQ(fixture::count(d, "select count(*) from FatturaOrdiniClientiRighe"), 0);
        EXPECT_EQ(fixture::count(d, "select count(*) from FatturaContiRighe"), 0);
        EXPECT_DOUBLE_EQ(fixture::stock(d, vase), 8);
    }
}

TEST(SalesDocuments, QuoteBecomesAnInvoice) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        const qint64 c = fixture::customer(d, "Bianchi");
        const qint64 before =
            fixture::document(d, DocumentKind::CustomerInvoice, c, QDate(2025, 6, 1));
        const qint64 quote = create(d, kQuote);
        QVariantMap h = SalesDocuments::load(d, kQuote, quote);
        SalesDocuments::applyCustomer(d, kQuote, h, c);
        ASSERT_FALSE(SalesDocuments::save(d, kQuote, h));
        addRow(d, kQuote, quote, 2, 50);

        DocumentStore::NewDocument request;
        request.today = QDate(2025, 6, 3);
        const qint64 invoice = QuoteInvoicing::invoice(d, quote, request);
        ASSERT_GT(invoice, 0);
        const db::Row inv = fixture::header(d, invoice);
        EXPECT_EQ(inv.integer("Num"), fixture::header(d, before).integer("Num") + 1);
        EXPECT_EQ(inv.integer("Cliente_ID"), c);
        EXPECT_EQ(inv.text("Cliente"), "Bianchi");
        EXPECT_DOUBLE_EQ(inv.number("TotImponibile"), 100);
        EXPECT_TRUE(headerOf(d, kQuote, quote).boolean("Fatturato"));
        EXPECT_EQ(fixture::count(d,
                                 "select count(*) from FatturaPreventiviRighe where "
                                 "Fattura_ID = ?",
                                 {invoice}),
                  1);
        EXPECT_EQ(QuoteInvoicing::invoice(d, 9999, request), 0);
    }
}
