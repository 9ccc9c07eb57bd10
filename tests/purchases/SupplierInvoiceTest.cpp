#include "PurchasesFixture.h"
#include "common/ScriptedInteraction.h"
#include "purchases/CreditedInvoice.h"
#include "purchases/SupplierDeletion.h"
#include "purchases/SupplierDocuments.h"
#include "purchases/SupplierNumbering.h"
#include "purchases/SupplierOptions.h"
#include "purchases/SupplierRows.h"

#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

using namespace purchases;
namespace fx = purchasesFixture;

namespace {

const DocumentKind kInvoice = DocumentKind::SupplierInvoice;
const DocumentKind kNote = DocumentKind::SupplierCreditNote;

qint64 progressive(db::Database& d, qint64 id) {
    return fx::header(d, id).integer("ProgressivoCarico");
}

qint64 create(db::Database& d, DocumentKind kind, const QDate& date = QDate(2025, 3, 1)) {
    return SupplierDocuments::create(d, kind, {false, date});
}

} // namespace

TEST(SupplierNumbers, SequenceWithAndWithoutSeparateCreditNotes) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        // Credit notes numbered on their own: the first note gets 1 even
        // after invoices.
        fx::setOption(d, "NumerazioneUnicaNoteCredito", true);
        EXPECT_EQ(progressive(d, create(d, kInvoice)), 1);
        EXPECT_EQ(progressive(d, create(d, kInvoice)), 2);
        EXPECT_EQ(progressive(d, create(d, kNote)), 1);
        // One sequence over invoices and credit notes, never restarted by year.
        fx::setOption(d, "NumerazioneUnicaNoteCredito", false);
        EXPECT_EQ(progressive(d, create(d, kNote)), 3);
        const qint64 next = create(d, kInvoice, QDate(2026, 1, 2));
        EXPECT_EQ(progressive(d, next), 4);
        const db::Row h = fx::header(d, next);
        EXPECT_TRUE(h.boolean("Carico"));
        EXPECT_FALSE(h.boolean("FattNota"));
        EXPECT_EQ(h.date("DataRegistrazione"), QDate(2026, 1, 2));
        // History does not count.
        d.exec("UPDATE fattura SET Storico = true");
        EXPECT_EQ(progressive(d, create(d, kInvoice)), 1);
    }
}

TEST(SupplierNumbers, WarningsAboutNumbersAlreadyUsed) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        const SupplierOptions o = SupplierOptions::load(d);
        const qint64 s = fx::supplier(d, "Rossi");
        const qint64 old = fx::document(d, kInvoice, s, QDate(2022, 5, 1), "A/1");
        d.exec("UPDATE fattura SET ProgressivoCarico = 5, DataRegistrazione = ? where Id = ?",
               {QDate(2022, 5, 2), old});
        const qint64 cur = create(d, kInvoice, QDate(2023, 2, 1));
        // 5 of 2022 typed on a 2023 registration: no warning.
        EXPECT_FALSE(
            SupplierNumbering::registrationWarning(d, kInvoice, 5, QDate(2023, 2, 1), cur, o));
        d.exec("UPDATE fattura SET DataRegistrazione = ? where Id = ?", {QDate(2023, 1, 10), old});
        const auto w =
            SupplierNumbering::registrationWarning(d, kInvoice, "5", QDate(2023, 2, 1), cur, o);
        ASSERT_TRUE(w);
        EXPECT_EQ(w->text,
                  "Attenzione il Numero Progressivo (Numero:5) è già presente in altri 1 Record.");
        EXPECT_EQ(w->title,
                  "Attenzione si è inserito un numero progressivo già presente in archivio");
        // Its own number is not a duplicate of itself.
        EXPECT_FALSE(
            SupplierNumbering::registrationWarning(d, kInvoice, 5, QDate(2023, 2, 1), old, o));

        // The supplier's number and date already registered for the same
        // supplier: warned on choosing the supplier, and saving goes on.
        const qint64 again = create(d, kInvoice);
        QVariantMap h = SupplierDocuments::load(d, again);
        h["NumeroCarico"] = "A/1";
        h["Data"] = QDate(2022, 5, 1);
        common::ScriptedInteraction ui;
        ASSERT_TRUE(SupplierDocuments::chooseSupplier(d, ui, kInvoice, h, s));
        ASSERT_EQ(ui.messages.size(), 1);
        EXPECT_EQ(ui.messages[0].text,
                  "Attenzione la fattura A/1 è già presente in altri 1 Record.");
        EXPECT_EQ(h.value("Fornitore").toString(), "Rossi");
        // "controlloFattura" looks across suppliers.
        const auto check = SupplierNumbering::invoiceCheck(d, "A/1", QDate(2022, 5, 1), again);
        ASSERT_TRUE(check);
        EXPECT_EQ(
            check->text,
            "Attenzione la data ed il Numero di Fattura:A/1 è già presente in altri 1 Record.");
        EXPECT_FALSE(SupplierNumbering::invoiceCheck(d, "A/1", QDate(2022, 5, 2), again));
    }
}

TEST(SupplierInvoice, HeaderChecksInOrder) {
    QVariantMap h{{"Data", QDate(2025, 1, 1)}, {"DataRegistrazione", QDate(2025, 1, 2)},
                  {"ProgressivoCarico", 1},    {"NumeroCarico", "7"},
                  {"Fornitore_ID", 3},         {"ModPagamento_Id", 1}};
    EXPECT_FALSE(SupplierDocuments::validate(kInvoice, h));
    QVariantMap m = h;
    m["NumeroCarico"] = " ";
    m["Fornitore_ID"] = 0;
    EXPECT_EQ(SupplierDocuments::validate(kInvoice, m)->text,
              "Attenzione manca il numero di fattura");
    EXPECT_EQ(SupplierDocuments::validate(kNote, m)->text,
              "Attenzione manca il numero di Nota di Credito");
    m["NumeroCarico"] = "7";
    EXPECT_EQ(SupplierDocuments::validate(kInvoice, m)->field, "Fornitore_ID");
    m = h;
    m.remove("DataRegistrazione");
    EXPECT_EQ(SupplierDocuments::validate(kInvoice, m)->text,
              "Attenzione manca la data di Registrazione");
}

TEST(SupplierInvoice, RowsMoveStockPricesAndTotals) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        fx::setOption(d, "AggiornaPrezzi_FatturaAcquisto", true);
        fx::setOption(d, "AggiornaDataInserimento_DocumentiAcquisto", true);
        const qint64 s = fx::supplier(d, "Bianchi");
        const qint64 doc = fx::document(d, kInvoice, s, QDate(2025, 4, 1));
        const qint64 art = fx::article(d, "CASSA", 10, 50);

        // Quantity 3 → 5 raises stock by 2; back to 3 lowers it by 2.
        const qint64 r = fx::row(d, kInvoice, doc, 3, 100, 22, art);
        EXPECT_DOUBLE_EQ(fx::stock(d, art), 13);
        QVariantMap row = SupplierRows::load(d, kInvoice, r);
        row["Um"] = "5";
        ASSERT_FALSE(SupplierRows::save(d, kInvoice, doc, row));
        EXPECT_DOUBLE_EQ(fx::stock(d, art), 15);
        row["Um"] = 3;
        ASSERT_FALSE(SupplierRows::save(d, kInvoice, doc, row));
        EXPECT_DOUBLE_EQ(fx::stock(d, art), 13);

        // Purchase conditions and the selling price by the 50% mark-up.
        db::Row p = d.query("select * from prezziar where ID = ?", {art}).first();
        EXPECT_DOUBLE_EQ(p.number("Fornitore_ValoreUnitario"), 100);
        EXPECT_DOUBLE_EQ(p.number("PrezzoFornitore"), 122);
        EXPECT_DOUBLE_EQ(p.number("Prezzo"), 150);
        EXPECT_DOUBLE_EQ(p.number("PrezzoCompleto"), 183);
        EXPECT_EQ(p.date("DataInserimento"), QDate(2025, 4, 1));

        // A free-goods row leaves the purchase prices alone.
        row["Omaggio"] = true;
        row["ValoreUnitario"] = 1;
        ASSERT_FALSE(SupplierRows::save(d, kInvoice, doc, row));
        p = d.query("select * from prezziar where ID = ?", {art}).first();
        EXPECT_DOUBLE_EQ(p.number("Fornitore_ValoreUnitario"), 100);

        // An empty quantity is refused and nothing moves.
        row["Um"] = "";
        const auto f = SupplierRows::save(d, kInvoice, doc, row);
        ASSERT_TRUE(f);
        EXPECT_EQ(f->text, "Attenzione manca la quantità");
        EXPECT_DOUBLE_EQ(fx::stock(d, art), 13);

        // Deleting the row takes its goods back out of stock.
        SupplierRows::remove(d, kInvoice, r);
        EXPECT_DOUBLE_EQ(fx::stock(d, art), 10);
        EXPECT_DOUBLE_EQ(fx::header(d, doc).number("TotFattura"), 0);
    }
}

TEST(SupplierInvoice, TotalsWithWithholdingStampAndCascadingDiscounts) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        const qint64 doc = fx::document(d, kInvoice, fx::supplier(d, "Verdi"), QDate(2025, 4, 1));
        QVariantMap h = SupplierDocuments::load(d, doc);
        h["RitenutaAcconto"] = 20;
        h["ImportoMarcaBollo"] = "2,00";
        ASSERT_FALSE(SupplierDocuments::save(d, kInvoice, h));
        fx::row(d, kInvoice, doc, 1, 1000, 22);
        db::Row t = fx::header(d, doc);
        EXPECT_DOUBLE_EQ(t.number("TotImponibile"), 1000);
        EXPECT_DOUBLE_EQ(t.number("TotImposta"), 220);
        EXPECT_DOUBLE_EQ(t.number("TotFattura"), 1202);

        // Three discounts in cascade: 100 less 10%, 5%, 2% = 83.79.
        QVariantMap r = SupplierRows::newRow(d, kInvoice, doc);
        r["ValoreUnitario"] = 100;
        r["AliquotaIva"] = 0;
        r["Sconto"] = 10;
        r["Sconto2"] = 5;
        r["Sconto3"] = 2;
        ASSERT_FALSE(SupplierRows::save(d, kInvoice, doc, r));
        EXPECT_NEAR(r.value("TotaleImponibile").toDouble(), 83.79, 1e-9);
        EXPECT_DOUBLE_EQ(fx::header(d, doc).number("TotImponibile"), 1083.79);

        // Reverse calculations give back the unit price.
        QVariantMap back{{"Um", 2}, {"PrezzoCompleto", 244}, {"AliquotaIva", 22}};
        ASSERT_FALSE(SupplierRows::unitFromGross(back, 22));
        EXPECT_DOUBLE_EQ(back.value("ValoreUnitario").toDouble(), 100);
        QVariantMap none{{"Um", 2}};
        EXPECT_EQ(SupplierRows::unitFromGross(none, 22)->text,
                  "Attenzione Inserire il Valore Ivato prima di calcolare il valore unitario");
        QVariantMap net{{"Um", 2}, {"TotaleImponibile", 180}, {"Sconto", 10}};
        SupplierRows::unitFromTaxable(net);
        EXPECT_DOUBLE_EQ(net.value("ValoreUnitario").toDouble(), 100);
    }
}

TEST(SupplierInvoice, InstalmentsCashBookAndDeletion) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        fx::setOption(d, "DuplicaFatturazioneInPrimaNota", true);
        const qint64 twice = fx::terms(d, {30, 60});
        const qint64 s = fx::supplier(d, "Neri", twice);
        const qint64 doc = fx::document(d, kInvoice, s, QDate(2025, 1, 31), "99");
        fx::row(d, kInvoice, doc, 1, 100, 0);
        fx::row(d, kInvoice, doc, 1, 0.01, 0);
        const db::Result inst =
            d.query("select * from FatturaScadenze where Fattura_ID = ? order by Numero", {doc});
        ASSERT_EQ(inst.size(), 2u);
        EXPECT_EQ(inst[0].text("Tipo"), "C");
        EXPECT_EQ(inst[0].integer("Fornitore_id"), s);
        EXPECT_DOUBLE_EQ(inst[0].number("Importo") + inst[1].number("Importo"), 100.01);
        EXPECT_EQ(inst[0].text("Operazione"),
                  "1° Rata Fattura di acquisto N° 99  Data: 31/01/2025 ");
        EXPECT_EQ(inst[0].date("DataScadenza"), QDate(2025, 3, 2));
        // The registration and one movement per instalment.
        const db::Result reg =
            d.query("select * from finanzia where Fattura_ID = ? and Tipo = '3'", {doc});
        ASSERT_EQ(reg.size(), 1u);
        EXPECT_DOUBLE_EQ(reg[0].number("Entrata"), 100.01);
        EXPECT_EQ(fx::header(d, doc).integer("Finanzia_id"), reg[0].integer("ID"));
        EXPECT_EQ(fx::count(d, "select count(*) from finanzia where Fattura_ID = ? and Tipo = 'C'",
                            {doc}),
                  2);

        SupplierDeletion::remove(d, kInvoice, doc);
        EXPECT_EQ(fx::count(d, "select count(*) from finanzia"), 0);
        EXPECT_EQ(fx::count(d, "select count(*) from FatturaScadenze"), 0);
        EXPECT_EQ(fx::count(d, "select count(*) from Movimenti"), 0);
        EXPECT_EQ(fx::count(d, "select count(*) from fattura"), 0);
        // The deletion stands in the record of documents, with the supplier's number.
        const db::Result log = d.query("select * from RegistroDocumenti");
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0].text("TipoDocumento"), "Fattura fornitore");
        EXPECT_EQ(log[0].text("Evento"), "Eliminato");
    }
}

TEST(SupplierCreditNote, ImportsTheCreditedInvoiceRows) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        const qint64 s = fx::supplier(d, "Gialli");
        const qint64 a1 = fx::article(d, "A1");
        const qint64 a2 = fx::article(d, "A2");
        const qint64 inv = fx::document(d, kInvoice, s, QDate(2025, 2, 1), "F7");
        fx::row(d, kInvoice, inv, 4, 10, 22, a1);
        fx::row(d, kInvoice, inv, 2, 5, 22, a2);
        EXPECT_DOUBLE_EQ(fx::stock(d, a1), 4);

        const qint64 note = SupplierDocuments::create(d, kNote, {false, QDate(2025, 2, 10)});
        QVariantMap h = SupplierDocuments::load(d, note);
        EXPECT_EQ(CreditedInvoice::canChoose(h)->text,
                  "Attenzione E' necessario scegliere il Fornitore prima di poter proseguire");
        EXPECT_TRUE(CreditedInvoice::importRows(d, note).has_value());
        common::ScriptedInteraction ui;
        ASSERT_TRUE(SupplierDocuments::chooseSupplier(d, ui, kNote, h, s));
        CreditedInvoice::choose(d, h, inv);
        h["NumeroCarico"] = "NC1";
        ASSERT_FALSE(SupplierDocuments::save(d, kNote, h));
        EXPECT_EQ(h.value("NCFattNumRifCarico").toString(), "F7");
        ASSERT_FALSE(CreditedInvoice::importRows(d, note));
        EXPECT_DOUBLE_EQ(fx::stock(d, a1), 0);
        EXPECT_DOUBLE_EQ(fx::stock(d, a2), 0);
        const db::Row n = fx::header(d, note);
        EXPECT_DOUBLE_EQ(n.number("TotImponibile"), 50);
        EXPECT_DOUBLE_EQ(n.number("TotFattura"), 61);
        EXPECT_EQ(
            fx::count(d, "select count(*) from FatturaScadenze where Fattura_ID = ? and Tipo = 'B'",
                      {note}),
            1);
        // Deleting the note gives the stock back.
        SupplierDeletion::remove(d, kNote, note);
        EXPECT_DOUBLE_EQ(fx::stock(d, a1), 4);
    }
}

// Two workstations register supplier documents, by hand and from received
// files, at the same time: every registration number once.
TEST(SupplierNumbers, TwoWorkstationsNeverShareANumber) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        const int perProcess = 12;
        QList<QProcess*> workers;
        for (const QString& station : {QStringLiteral("CASSA1"), QStringLiteral("CASSA2")}) {
            auto* p = new QProcess;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("OSSARION_WORKSTATION", station);
            p->setProcessEnvironment(env);
            p->start(REGISTRATION_WORKER, {a.address(), QString::number(perProcess), station});
            workers.append(p);
        }
        for (QProcess* p : workers) {
            ASSERT_TRUE(p->waitForFinished(120000));
            EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
            delete p;
        }
        QSet<qint64> numbers;
        const db::Result r = a.db().query("select ProgressivoCarico from fattura");
        ASSERT_EQ(r.size(), std::size_t(2 * perProcess));
        for (const db::Row& row : r)
            numbers.insert(row.integer("ProgressivoCarico"));
        EXPECT_EQ(numbers.size(), 2 * perProcess);
        EXPECT_EQ(*std::max_element(numbers.begin(), numbers.end()), 2 * perProcess);
    }
}
