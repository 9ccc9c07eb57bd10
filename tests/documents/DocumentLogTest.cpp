#include "documents/DocumentLog.h"

#include "DocumentsFixture.h"
#include "db/DbError.h"
#include "documents/DocumentDeletion.h"

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
