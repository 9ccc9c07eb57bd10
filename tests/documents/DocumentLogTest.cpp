#include "documents/DocumentLog.h"

#include "DocumentsFixture.h"
#include "common/ScriptedInteraction.h"
#include "db/DbError.h"
#include "documents/DocumentDeletion.h"
#include "documents/DocumentRows.h"
#include "documents/SalesDocuments.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace documents;

namespace {

db::Result entries(db::Database& d) {
    return d.query("select * from RegistroDocumenti order by ID");
}

} // namespace

// A deleted invoice leaves its entry, written with the deletion and rolled
// back with it; a total changed after the export is recorded, one changed
// before is not.
TEST(DocumentLog, DeletionsAndLateTotalChangesAreRecorded) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        const qint64 customer = fixture::customer(d, "Rossi Mario");
        const qint64 f =
            fixture::document(d, DocumentKind::CustomerInvoice, customer, QDate(2026, 3, 2));
        fixture::row(d, DocumentKind::CustomerInvoice, f, 2, 50);
        EXPECT_TRUE(entries(d).empty()) << "not exported yet: nothing to record";

        d.exec("UPDATE fattura SET DataEsportazioneXml = ? where Id = ?",
               {QDateTime(QDate(2026, 3, 3), QTime(9, 0)), f});
        fixture::row(d, DocumentKind::CustomerInvoice, f, 1, 10);
        db::Result log = entries(d);
        ASSERT_EQ(log.size(), 1u);
        EXPECT_EQ(log[0].text("Evento"), "Totale modificato");
        EXPECT_EQ(log[0].text("Dettagli"), "Totale da 122,00 a 134,20");
        EXPECT_EQ(log[0].text("TipoDocumento"), "Fattura");
        EXPECT_EQ(log[0].text("Intestatario"), fixture::header(d, f).text("Cliente"));
        EXPECT_EQ(log[0].text("NomeComputer"), d.workstation());

        // Deleted inside an action that fails: neither goes.
        {
            db::Transaction outer(d);
            DocumentDeletion::remove(d, DocumentKind::CustomerInvoice, f);
        }
        EXPECT_EQ(fixture::count(d, "select count(*) from fattura where Id = ?", {f}), 1);
        EXPECT_EQ(entries(d).size(), 1u);

        DocumentDeletion::remove(d, DocumentKind::CustomerInvoice, f);
        log = entries(d);
        ASSERT_EQ(log.size(), 2u);
        EXPECT_EQ(log[1].text("Evento"), "Eliminato");
        EXPECT_EQ(log[1].text("Numero"), "1");
        EXPECT_EQ(log[1].value("DataDocumento").toDate(), QDate(2026, 3, 2));
        EXPECT_DOUBLE_EQ(log[1].number("Totale"), 134.2);
    }
}

// The list's filter and the purge of the years long past.
TEST(DocumentLog, FilterAndPurge) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        const DocumentLog::Document doc{"Fattura", 1, "7", QDate(2019, 5, 1), "Bianchi", 10};
        DocumentLog::record(d, DocumentLog::Event::Exported, doc);
        DocumentLog::record(d, DocumentLog::Event::Deleted, doc);
        d.exec("UPDATE RegistroDocumenti SET DataOra = ? where Evento = ?",
               {QDateTime(QDate(2019, 5, 2), QTime(23, 30)), "Esportato in XML"});
        const auto count = [&](const QString& condition) {
            return fixture::count(d, "select count(*) from RegistroDocumenti where " + condition);
        };
        EXPECT_EQ(count(DocumentLog::condition(QDate(2019, 5, 2), QDate(2019, 5, 2), {})), 1);
        EXPECT_EQ(count(DocumentLog::condition(QDate(2019, 5, 3), QDate(), {})), 1);
        EXPECT_EQ(count(DocumentLog::condition(QDate(), QDate(), "Eliminato")), 1);
        EXPECT_EQ(count(DocumentLog::condition(QDate(), QDate(2019, 5, 1), {})), 0);

        EXPECT_THROW(DocumentLog::purge(d, 0), db::DbError);
        EXPECT_EQ(DocumentLog::purge(d, 8, QDate(2026, 12, 7)), 0); // 2019 is kept
        EXPECT_EQ(DocumentLog::purge(d, 7, QDate(2026, 12, 7)), 1);
        EXPECT_EQ(fixture::count(d, "select count(*) from RegistroDocumenti"), 1);
    }
}

namespace {

// A document of the kind for the customer, dated 1 June 2025, with one row
// of 2 x 50 at 22%.
qint64 salesDocument(db::Database& d, DocumentKind kind, qint64 customer) {
    SalesDocuments::NewDocument request;
    request.today = QDate(2025, 6, 1);
    const qint64 id = SalesDocuments::create(d, kind, request);
    QVariantMap header = SalesDocuments::load(d, kind, id);
    EXPECT_TRUE(SalesDocuments::applyCustomer(d, kind, header, customer));
    if (kind == DocumentKind::Ddt) {
        header["Natura"] = "Cassa";
        header["Quantita"] = "1";
    }
    EXPECT_FALSE(SalesDocuments::save(d, kind, header).has_value());
    QVariantMap row{{"Descrizione", "riga"}, {"Um", 2},           {"ValoreUnitario", 50},
                    {"Sconto", 0},           {"AliquotaIva", 22}, {"TipoRiga", "A"}};
    EXPECT_FALSE(DocumentRows::save(d, kind, id, row).has_value());
    return id;
}

} // namespace

// Deleting a delivery note, a quote, a customer order or a receipt leaves
// one entry with its kind, number, date, customer and total; a deletion
// that fails or is undone leaves none.
TEST(DocumentLog, SalesDocumentDeletionsAreRecorded) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        const qint64 customer = fixture::customer(d, "Rossi Mario");
        const struct {
            DocumentKind kind;
            const char* name;
            const char* header;
        } kinds[] = {{DocumentKind::Ddt, "DDT", "Ddt"},
                     {DocumentKind::Quote, "Preventivo", "PreventiTestata"},
                     {DocumentKind::CustomerOrder, "Ordine cliente", "OrdiniClientiTestata"},
                     {DocumentKind::Receipt, "Ricevuta", "TotaliCo"}};
        std::size_t expected = 0;
        for (const auto& k : kinds) {
            SCOPED_TRACE(k.name);
            const qint64 id = salesDocument(d, k.kind, customer);
            const QString headers = QStringLiteral("select count(*) from ") + k.header;
            // Undone with the action around it: neither goes.
            {
                db::Transaction outer(d);
                SalesDocuments::remove(d, k.kind, id);
            }
            EXPECT_EQ(fixture::count(d, headers), 1);
            EXPECT_EQ(entries(d).size(), expected);

            common::ScriptedInteraction yes;
            ASSERT_TRUE(SalesDocuments::confirmAndRemove(d, yes, k.kind, id));
            EXPECT_EQ(fixture::count(d, headers), 0);
            const db::Result log = entries(d);
            ASSERT_EQ(log.size(), ++expected);
            const db::Row& e = log[expected - 1];
            EXPECT_EQ(e.text("Evento"), "Eliminato");
            EXPECT_EQ(e.text("TipoDocumento"), k.name);
            EXPECT_EQ(e.integer("Documento_ID"), id);
            EXPECT_EQ(e.text("Numero"), "1");
            EXPECT_EQ(db::Row::toDate(e.value("DataDocumento")), QDate(2025, 6, 1));
            EXPECT_EQ(e.text("Intestatario"), "Rossi Mario");
            EXPECT_DOUBLE_EQ(e.number("Totale"), 122);

            // A document already gone: nothing to record.
            SalesDocuments::remove(d, k.kind, id);
            EXPECT_EQ(entries(d).size(), expected);
        }
        EXPECT_EQ(fixture::count(d, "select count(*) from RegistroDocumenti where " +
                                        DocumentLog::condition({}, {}, {}, "Preventivo")),
                  1);

        // A deletion the archive refuses half-way writes nothing either.
        const qint64 quote = salesDocument(d, DocumentKind::Quote, customer);
        d.exec("drop table PreventiRighe");
        EXPECT_ANY_THROW(SalesDocuments::remove(d, DocumentKind::Quote, quote));
        EXPECT_EQ(fixture::count(d, "select count(*) from PreventiTestata"), 1);
        EXPECT_EQ(entries(d).size(), expected);
    }
}
