#include "DocumentsFixture.h"
#include "common/ScriptedInteraction.h"
#include "documents/ContractImport.h"
#include "documents/CreditNoteImport.h"
#include "documents/DocumentDeletion.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentStore.h"
#include "documents/QuoteImport.h"

#include <gtest/gtest.h>

using namespace documents;

namespace {

const DocumentKind kInvoice = DocumentKind::CustomerInvoice;
const DocumentKind kNote = DocumentKind::CustomerCreditNote;

qint64 quote(db::Database& d, qint64 customer, qint64 article) {
    const qint64 q = d.insert("PreventiTestata", {{"Numero", 12},
                                                  {"Data", QDate(2025, 2, 1)},
                                                  {"Cliente_ID", customer},
                                                  {"Fatturato", false}});
    d.insert("PreventiRighe", {{"Prev_ID", q},
                               {"NumeroRiga", 1},
                               {"TipoRiga", "N"},
                               {"Articolo_ID", article},
                               {"Descrizione", "Urna"},
                               {"Um", 2.0},
                               {"ValoreUnitario", 50.0},
                               {"Sconto", 10.0},
                               {"AliquotaIva", 22.0},
                               {"Scaffale", "S1"},
                               {"RiferimentoAmministrazione", "R1"}});
    d.insert("PreventiRighe", {{"Prev_ID", q},
                               {"NumeroRiga", 2},
                               {"TipoRiga", "T"},
                               {"Descrizione", "Trasporto"},
                               {"Um", 1.0},
                               {"ValoreUnitario", 20.0},
                               {"AliquotaIva", 22.0}});
    return q;
}

} // namespace

TEST(Imports, QuoteImportedTwiceThenInvoiceDeleted) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        fixture::setOption(d, "conto_ID_Predefinito_su_FattureVendita_SpeseTrasporto", 77);
        const qint64 c = fixture::customer(d, "Rossi");
        const qint64 art = fixture::article(d, "URNA", 50, 22, 10);
        const qint64 q = quote(d, c, art);
        const qint64 f = fixture::document(d, kInvoice, c, QDate(2025, 3, 1));
        ASSERT_EQ(QuoteImport::available(d, c).size(), 1);
        EXPECT_EQ(QuoteImport::available(d, c)[0].label, "N° 12 Data: 01/02/2025");

        EXPECT_FALSE(QuoteImport::import(d, f, q).has_value());
        EXPECT_FALSE(QuoteImport::import(d, f, q).has_value());
        // One link, one copy of the rows, stock out once.
        EXPECT_EQ(fixture::count(
                      d, "select count(*) from FatturaPreventiviRighe where Fattura_ID = ?", {f}),
                  1);
        const db::Result rows =
            d.query("select * from fattdett where NumFatt = ? order by NumeroRiga", {f});
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0].text("Note"), "Preventivo n° 12");
        EXPECT_EQ(rows[0].text("Scaffale"), "S1");
        EXPECT_EQ(rows[0].integer("Prev_ID"), q);
        EXPECT_EQ(rows[1].integer("ContabilitaConti_ID"), 77);
        EXPECT_EQ(rows[1].integer("NumeroRiga"), 2);
        EXPECT_DOUBLE_EQ(fixture::stock(d, art), 8);
        EXPECT_DOUBLE_EQ(fixture::header(d, f).number("TotImponibile"), 110);
        EXPECT_TRUE(QuoteImport::available(d, c).isEmpty());
        EXPECT_TRUE(QuoteImport::import(d, 0, q).has_value());

        // Removing the import: quote selectable again, rows gone, stock back.
        QuoteImport::remove(d, f, q);
        EXPECT_EQ(QuoteImport::available(d, c).size(), 1);
        EXPECT_EQ(fixture::count(d, "select count(*) from fattdett where NumFatt = ?", {f}), 0);
        EXPECT_DOUBLE_EQ(fixture::stock(d, art), 10);
        EXPECT_DOUBLE_EQ(fixture::header(d, f).number("TotFattura"), 0);

        // Deleting the invoice undoes everything hanging on it.
        ASSERT_FALSE(QuoteImport::import(d, f, q).has_value());
        const qint64 receipt = d.insert("TotaliCo", {{"Numero", 1}, {"Fatturato", true}});
        d.insert("FatturaContiRighe", {{"Fattura_ID", f}, {"Conto_ID", receipt}});
        d.insert("FatturaOrdiniClientiRighe", {{"Fattura_ID", f}, {"Ordine_ID", 1}});
        d.insert("Fattura_Allegati", {{"Fattura_Id", f}, {"NomeAttachment", "a.pdf"}});
        const qint64 contract = d.insert("ContrattiTestata", {{"Numero", 3}, {"Cliente_ID", c}});
        const qint64 crow = d.insert("ContrattiRighe", {{"Testata_ID", contract},
                                                        {"NumeroRiga", 1},
                                                        {"Descrizione", "Canone"},
                                                        {"Um", 1.0},
                                                        {"ValoreUnitario", 100.0},
                                                        {"AliquotaIva", 22.0},
                                                        {"Fatturato", false}});
        ASSERT_FALSE(ContractImport::import(d, f, crow).has_value());
        fixture::setOption(d, "DuplicaFatturazioneInPrimaNota", true);
        DocumentStore::recalculateNow(d, f);
        ASSERT_GT(fixture::count(d, "select count(*) from finanzia where Fattura_ID = ?", {f}), 0);

        common::ScriptedInteraction ui;
        ui.answers.enqueue(false);
        EXPECT_FALSE(DocumentDeletion::confirmAndRemove(d, ui, kInvoice, f));
        EXPECT_EQ(ui.messages[0].text, "Sei sicuro di voler eliminare la fattura?");
        EXPECT_TRUE(DocumentDeletion::confirmAndRemove(d, ui, kInvoice, f));
        for (const char* table :
             {"fattura where Id", "fattdett where NumFatt", "FatturaScadenze where Fattura_ID",
              "finanzia where Fattura_ID", "FatturaPreventiviRighe where Fattura_ID",
              "FatturaContrattiRighe where Fattura_ID", "FatturaContiRighe where Fattura_ID",
              "FatturaOrdiniClientiRighe where Fattura_ID", "Fattura_Allegati where Fattura_Id"})
            EXPECT_EQ(fixture::count(d, QString("select count(*) from %1 = ?").arg(table), {f}), 0)
                << table;
        EXPECT_FALSE(d.scalar("select Fatturato from PreventiTestata where Id = ?", {q}).toBool());
        EXPECT_FALSE(d.scalar("select Fatturato from TotaliCo where Id = ?", {receipt}).toBool());
        EXPECT_FALSE(
            d.scalar("select Fatturato from ContrattiRighe where IDX = ?", {crow}).toBool());
        EXPECT_EQ(
            d.scalar("select Fattura_ID from ContrattiRighe where IDX = ?", {crow}).toLongLong(),
            0);
        EXPECT_DOUBLE_EQ(fixture::stock(d, art), 10);
    }
}

TEST(Imports, ContractRowsImportedRemovedAndRowDeleted) {
    TestArchive a(db::Engine::SQLite);
    auto& d = a.db();
    const qint64 c = fixture::customer(d, "Rossi");
    const qint64 f = fixture::document(d, kInvoice, c, QDate(2025, 3, 1));
    const qint64 contract = d.insert(
        "ContrattiTestata", {{"Numero", 3}, {"Data", QDate(2024, 1, 5)}, {"Cliente_ID", c}});
    const qint64 crow = d.insert("ContrattiRighe", {{"Testata_ID", contract},
                                                    {"NumeroRiga", 4},
                                                    {"Descrizione", "Canone"},
                                                    {"Um", 1.0},
                                                    {"ValoreUnitario", 100.0},
                                                    {"AliquotaIva", 22.0},
                                                    {"DataInizioPeriodo", QDate(2025, 1, 1)},
                                                    {"DataFinePeriodo", QDate(2025, 12, 31)},
                                                    {"Fatturato", false}});
    const auto choices = ContractImport::available(d, c);
    ASSERT_EQ(choices.size(), 1);
    EXPECT_EQ(choices[0].label, " Num. Riga: 4 Data inizio:01/01/2025 data fine: 31/12/2025 - "
                                "Canone");

    ASSERT_FALSE(ContractImport::import(d, f, crow).has_value());
    ASSERT_FALSE(ContractImport::import(d, f, crow).has_value());
    EXPECT_EQ(fixture::count(d, "select count(*) from fattdett where NumFatt = ?", {f}), 1);
    EXPECT_EQ(
        fixture::count(d, "select count(*) from FatturaContrattiRighe where Fattura_ID = ?", {f}),
        1);
    EXPECT_EQ(d.scalar("select Fattura_ID from ContrattiRighe where IDX = ?", {crow}).toLongLong(),
              f);
    EXPECT_TRUE(ContractImport::available(d, c).isEmpty());
    EXPECT_DOUBLE_EQ(fixture::header(d, f).number("TotFattura"), 122);

    ContractImport::remove(d, f, crow);
    EXPECT_EQ(fixture::count(d, "select count(*) from fattdett where NumFatt = ?", {f}), 0);
    EXPECT_TRUE(d.scalar("select Fattura_ID from ContrattiRighe where IDX = ?", {crow}).isNull());
    EXPECT_EQ(ContractImport::available(d, c).size(), 1);

    // Deleting the imported row by hand frees the contract row as well.
    ASSERT_FALSE(ContractImport::import(d, f, crow).has_value());
    const qint64 rowId = d.scalar("select IDX from fattdett where NumFatt = ?", {f}).toLongLong();
    DocumentRows::remove(d, kInvoice, rowId);
    EXPECT_FALSE(d.scalar("select Fatturato from ContrattiRighe where IDX = ?", {crow}).toBool());
    EXPECT_TRUE(d.scalar("select Fattura_ID from ContrattiRighe where IDX = ?", {crow}).isNull());
    EXPECT_EQ(
        fixture::count(d, "select count(*) from FatturaContrattiRighe where Fattura_ID = ?", {f}),
        0);
    EXPECT_DOUBLE_EQ(fixture::header(d, f).number("TotFattura"), 0);
}

TEST(Imports, CreditNoteImportsInvoiceRowsOnce) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        fixture::setOption(d, "MarcaDaBolloDocumenti", true);
        const qint64 c = fixture::customer(d, "Rossi");
        const qint64 art = fixture::article(d, "URNA", 50, 22, 10);
        const qint64 f = fixture::document(d, kInvoice, c, QDate(2025, 3, 1));
        fixture::row(d, kInvoice, f, 2, 50, 0, 22, "N", art);
        fixture::row(d, kInvoice, f, 1, 1.0049, 0, 10);
        EXPECT_DOUBLE_EQ(fixture::stock(d, art), 8);

        const qint64 n = fixture::document(d, kNote, c, QDate(2025, 3, 5));
        QVariantMap note = DocumentStore::load(d, n);
        common::ScriptedInteraction ui;
        // Nothing to import before an invoice is chosen.
        auto failure = CreditNoteImport::importRows(d, ui, note);
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(failure->text, "Attenzione E' necessario trovare e scegliere una fattura prima "
                                 "di poterne importare le righe");
        QList<CreditNoteImport::Invoice> invoices;
        QVariantMap noCustomer;
        EXPECT_TRUE(CreditNoteImport::invoicesOf(d, noCustomer, &invoices).has_value());
        ASSERT_FALSE(CreditNoteImport::invoicesOf(d, note, &invoices).has_value());
        ASSERT_EQ(invoices.size(), 1);
        CreditNoteImport::chooseInvoice(note, invoices[0]);

        ASSERT_FALSE(CreditNoteImport::importRows(d, ui, note).has_value());
        ASSERT_FALSE(CreditNoteImport::importRows(d, ui, note).has_value());
        EXPECT_EQ(ui.texts_of("information"),
                  QStringList({"Importazione avvenuta con successo !",
                               "Importazione avvenuta con successo !"}));
        const db::Result rows =
            d.query("select * from NotaCreditoRighe where NotaCredito_ID = ? order by IDX", {n});
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0].integer("Fattura_ID"), f);
        EXPECT_EQ(rows[0].text("Note"), " Fattura numero: 1 Serie:  Data: 01/03/2025");
        // Stock: out by the invoice, back once by the note.
        EXPECT_DOUBLE_EQ(fixture::stock(d, art), 10);
        EXPECT_EQ(note["NCFattNumRif"].toLongLong(), 1);
        EXPECT_EQ(note["NCFattDataRif"].toDate(), QDate(2025, 3, 1));

        // Plain sums, no stamp, even above the stamp limit.
        db::Row h = fixture::header(d, n);
        EXPECT_DOUBLE_EQ(h.number("TotImponibile"), 101.0);
        EXPECT_DOUBLE_EQ(h.number("TotImposta"), 22.1);
        EXPECT_DOUBLE_EQ(h.number("TotFattura"), 123.11);
        EXPECT_DOUBLE_EQ(
            d.scalar("select Importo from FatturaScadenze where Fattura_ID = ?", {n}).toDouble(),
            123.11);
        // The next full computation brings back the reference rules (no
        // stamp: every row is subject to VAT).
        DocumentStore::recalculateNow(d, n);
        h = fixture::header(d, n);
        EXPECT_DOUBLE_EQ(h.number("ImportoMarcaBollo"), 0);
        EXPECT_DOUBLE_EQ(h.number("TotFattura"), 101 + 22.1);

        // Deleting the note takes the goods out of stock again.
        DocumentDeletion::remove(d, kNote, n);
        EXPECT_DOUBLE_EQ(fixture::stock(d, art), 8);
        EXPECT_EQ(fixture::count(
                      d, "select count(*) from NotaCreditoRighe where NotaCredito_ID = ?", {n}),
                  0);
        EXPECT_EQ(
            fixture::count(d, "select count(*) from FatturaScadenze where Fattura_ID = ?", {n}), 0);
    }
}

TEST(Imports, AContractRowWithAVatCodeComesInAtTheCodesRate) {
    TestArchive a(db::Engine::SQLite);
    auto& d = a.db();
    const qint64 c = fixture::customer(d, "Rossi");
    const qint64 f = fixture::document(d, kInvoice, c, QDate(2025, 3, 1));
    const qint64 contract = d.insert(
        "ContrattiTestata", {{"Numero", 3}, {"Data", QDate(2024, 1, 5)}, {"Cliente_ID", c}});
    // Written when the article had its code (10 %) but no rate.
    const qint64 crow = d.insert("ContrattiRighe", {{"Testata_ID", contract},
                                                    {"NumeroRiga", 1},
                                                    {"Descrizione", "Canone"},
                                                    {"Um", 2.0},
                                                    {"ValoreUnitario", 50.0},
                                                    {"AliquotaIva", 0.0},
                                                    {"Iva_ID", 2},
                                                    {"ValoreTotale", 100.0},
                                                    {"Fatturato", false}});
    ASSERT_FALSE(ContractImport::import(d, f, crow).has_value());
    const db::Row row = d.query("select * from fattdett where NumFatt = ?", {f}).first();
    EXPECT_DOUBLE_EQ(row.number("AliquotaIva"), 10);
    EXPECT_DOUBLE_EQ(row.number("ValoreTotale"), 110);
    EXPECT_DOUBLE_EQ(fixture::header(d, f).number("TotFattura"), 110);
}
