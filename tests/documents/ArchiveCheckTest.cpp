#include "documents/ArchiveCheck.h"

#include "DocumentsFixture.h"
#include "common/ScriptedInteraction.h"
#include "documents/ContractImport.h"
#include "documents/CreditNoteImport.h"
#include "documents/DocumentDeletion.h"
#include "documents/DocumentStore.h"
#include "documents/DocumentTotals.h"
#include "documents/InstalmentRules.h"

#include <gtest/gtest.h>

using namespace documents;

namespace {

const DocumentKind kInvoice = DocumentKind::CustomerInvoice;
const DocumentKind kNote = DocumentKind::CustomerCreditNote;

// The one line of `problems` that starts with `start`, or an empty text.
QString lineStarting(const QStringList& problems, const QString& start) {
    for (const QString& p : problems)
        if (p.startsWith(start))
            return p;
    return {};
}

std::string shown(const QStringList& problems) {
    return problems.join(u'\n').toStdString();
}

} // namespace

TEST(ArchiveCheck, SoundArchivePassesAndEachDamageIsNamed) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        fixture::setOption(d, "DuplicaFatturazioneInPrimaNota", true);
        const qint64 terms = fixture::terms(d, {30, 60, 90});
        const qint64 c = fixture::customer(d, "Rossi");

        // Built through the document rules: rows with discounts and odd
        // amounts, three instalments with their cash-book movements, a
        // credit note, a contract row invoiced, an invoice deleted.
        const qint64 first = fixture::document(d, kInvoice, c, QDate(2025, 3, 1), terms);
        fixture::row(d, kInvoice, first, 3, 33.33, 10, 22);
        fixture::row(d, kInvoice, first, 1, 0.07, 0, 4);
        const qint64 second = fixture::document(d, kInvoice, c, QDate(2025, 3, 2), terms);
        fixture::row(d, kInvoice, second, 2, 100, 0, 22);
        const qint64 contract = d.insert(
            "ContrattiTestata", {{"Numero", 3}, {"Data", QDate(2024, 12, 1)}, {"Cliente_ID", c}});
        const qint64 crow = d.insert("ContrattiRighe", {{"Testata_ID", contract},
                                                        {"NumeroRiga", 1},
                                                        {"Descrizione", "Canone"},
                                                        {"Um", 1.0},
                                                        {"ValoreUnitario", 100.0},
                                                        {"AliquotaIva", 22.0},
                                                        {"Fatturato", false}});
        ASSERT_FALSE(ContractImport::import(d, second, crow).has_value());
        const qint64 note = fixture::document(d, kNote, c, QDate(2025, 3, 3), terms);
        fixture::row(d, kNote, note, 1, 12.5, 0, 22);
        // A credit note taking the first invoice's rows, with its plain sums.
        const qint64 imported = fixture::document(d, kNote, c, QDate(2025, 3, 5), terms);
        QVariantMap importing = DocumentStore::load(d, imported);
        QList<CreditNoteImport::Invoice> invoices;
        ASSERT_FALSE(CreditNoteImport::invoicesOf(d, importing, &invoices).has_value());
        for (const auto& i : invoices)
            if (i.id == first)
                CreditNoteImport::chooseInvoice(importing, i);
        {
            common::ScriptedInteraction importUi;
            ASSERT_FALSE(CreditNoteImport::importRows(d, importUi, importing).has_value());
        }
        ASSERT_EQ(fixture::count(d,
                                 "select count(*) from NotaCreditoRighe where NotaCredito_ID = ?",
                                 {imported}),
                  2);
        const qint64 gone = fixture::document(d, kInvoice, c, QDate(2025, 3, 4), terms);
        fixture::row(d, kInvoice, gone, 1, 10, 0, 22);
        common::ScriptedInteraction ui;
        ui.answers.enqueue(true);
        ASSERT_TRUE(DocumentDeletion::confirmAndRemove(d, ui, kInvoice, gone));
        // The first instalment of the first invoice paid.
        QVariantMap paid = InstalmentRules::load(
            d,
            d.scalar("select Id from FatturaScadenze where Fattura_ID = ? and Numero = 1", {first})
                .toLongLong());
        paid["DataPagamento"] = QDate(2025, 4, 1);
        ASSERT_FALSE(InstalmentRules::save(d, paid).has_value());
        ASSERT_EQ(fixture::count(d, "select count(*) from finanzia where FatturaScadenze_Id > 0"),
                  1);

        EXPECT_TRUE(ArchiveCheck::run(d).isEmpty()) << shown(ArchiveCheck::run(d));

        const db::Row h1 = fixture::header(d, first);
        const QString firstName =
            QStringLiteral("Fattura n° %1 del 01/03/2025").arg(h1.integer("Num"));
        const QString secondName = QStringLiteral("Fattura n° %1 del 02/03/2025")
                                       .arg(fixture::header(d, second).integer("Num"));

        // A row whose header is gone.
        d.insert("fattdett", {{"NumFatt", 99001}, {"Um", 1.0}, {"ValoreUnitario", 5.0}});
        // A total changed by hand.
        d.exec("update fattura set TotFattura = TotFattura + 0.01 where Id = ?", {first});
        // An instalment changed.
        d.exec("update FatturaScadenze set Importo = Importo + 1 where Fattura_ID = ? and "
               "Numero = 2",
               {second});
        // A duplicate number: the credit note takes the invoice's number
        // (another kind: no problem), then a third invoice does.
        d.exec("update fattura set Num = ? where Id = ?", {h1.integer("Num"), note});
        const qint64 third = fixture::document(d, kInvoice, c, QDate(2025, 5, 1));
        d.exec("update fattura set Num = ? where Id = ?", {h1.integer("Num"), third});
        // Cash-book movements pointing nowhere.
        d.insert("finanzia", {{"Data", QDate(2025, 4, 1)},
                              {"Operazione", "Incasso"},
                              {"Entrata", 10.0},
                              {"Fattura_ID", 99002}});
        d.insert("finanzia", {{"Data", QDate(2025, 4, 2)},
                              {"Operazione", "Rata"},
                              {"Entrata", 10.0},
                              {"FatturaScadenze_Id", 99003}});
        // A contract row whose invoice is missing.
        d.exec("update ContrattiRighe set Fattura_ID = 99004 where IDX = ?", {crow});

        const QStringList problems = ArchiveCheck::run(d);
        EXPECT_EQ(problems.size(), 8) << shown(problems);
        EXPECT_TRUE(
            problems.contains("1 righe di Fattura senza il documento (NumFatt 99001 mancante)"))
            << shown(problems);
        const QString total = lineStarting(problems, firstName + ": totali diversi dalle righe");
        EXPECT_TRUE(total.contains("totale ")) << shown(problems);
        EXPECT_FALSE(total.contains("imponibile")) << total.toStdString();
        // The changed total no longer matches its instalments either.
        EXPECT_FALSE(lineStarting(problems, firstName + ": le rate (3) sommano ").isEmpty())
            << shown(problems);
        EXPECT_TRUE(lineStarting(problems, secondName + ": le rate (3) sommano ").size() > 0)
            << shown(problems);
        const QString dup = lineStarting(
            problems, QStringLiteral("Numero %1 usato da più documenti").arg(h1.integer("Num")));
        EXPECT_TRUE(dup.contains(firstName) && dup.contains("del 01/05/2025") &&
                    !dup.contains("Nota di credito"))
            << shown(problems);
        EXPECT_TRUE(problems.contains("Movimento di prima nota del 01/04/2025 \"Incasso\": il "
                                      "documento 99002 che indica non esiste"))
            << shown(problems);
        EXPECT_TRUE(problems.contains("Movimento di prima nota del 02/04/2025 \"Rata\": la rata "
                                      "99003 che indica non esiste"))
            << shown(problems);
        EXPECT_TRUE(problems.contains(
            "Contratto n° 3 del 01/12/2024, riga 1: la fattura 99004 che indica non esiste"))
            << shown(problems);
    }
}

TEST(ArchiveCheck, TotalsOfEveryFamilyAndImportedCreditNotes) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        const qint64 c = fixture::customer(d, "Bianchi");
        // A credit note holding the plain sum of imported rows, rounded once:
        // 0,044 + 0,0044 gives 0,05 where rounding each part gives 0,04.
        const qint64 note = fixture::document(d, kNote, c, QDate(2025, 6, 1));
        d.insert("NotaCreditoRighe", {{"NotaCredito_ID", note},
                                      {"Um", 1.0},
                                      {"ValoreUnitario", 0.044},
                                      {"AliquotaIva", 10.0}});
        EXPECT_DOUBLE_EQ(
            DocumentTotals::applyImported(d, note, {{QVariant(1.0), 0.044, 0, 10}}).total, 0.05);
        EXPECT_TRUE(ArchiveCheck::totals(d).isEmpty()) << shown(ArchiveCheck::totals(d));

        // A quote whose taxable amount was changed by hand.
        const qint64 q = d.insert("PreventiTestata", {{"Numero", 12},
                                                      {"Data", QDate(2025, 2, 1)},
                                                      {"TotImponibile", 90.0},
                                                      {"TotImposta", 22.0},
                                                      {"TotalePreventivo", 112.0},
                                                      {"ImportoMarcaBollo", 0.0}});
        d.insert("PreventiRighe",
                 {{"Prev_ID", q}, {"Um", 1.0}, {"ValoreUnitario", 100.0}, {"AliquotaIva", 22.0}});
        EXPECT_EQ(ArchiveCheck::totals(d),
                  QStringList{"Preventivo n° 12 del 01/02/2025: totali diversi dalle righe "
                              "(imponibile 90,00 invece di 100,00)"});
    }
}
