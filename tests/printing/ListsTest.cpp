#include "Samples.h"
#include "TestArchive.h"
#include "printing/PrintJob.h"
#include "printing/ReportCatalog.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace printing;

namespace {

PrintJob draw(db::Database& db, int code) {
    ReportCall call;
    call.code = code;
    ReportRequests::write(db, call, QStringLiteral("/opt/ossarion/"));
    return PrintJobs::prepare(db);
}

} // namespace

// 200 contracts by deceased: history contracts stay out, a group that goes
// on to a new page says its heading again, a group's total never opens a
// page, and the grand total is called so.
TEST(Lists, ContractsByDeceasedOverManyPages) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        const Samples s = Samples::create(db);
        auto contract = [&](int n, bool history) {
            return db.insert(QStringLiteral("ContrattiTestata"),
                             {{QStringLiteral("Numero"), n},
                              {QStringLiteral("Data"), QDate(2024, 1, 1).addDays(n)},
                              {QStringLiteral("Cliente_ID"), s.customer},
                              {QStringLiteral("Chiuso"), false},
                              {QStringLiteral("Storico"), history}});
        };
        auto link = [&](qint64 contractId, const QString& name) {
            const qint64 d = db.insert(QStringLiteral("Defunti"),
                                       {{QStringLiteral("Cognome"), name},
                                        {QStringLiteral("NominativoVisualizzato"), name}});
            db.insert(
                QStringLiteral("ContrattiDefunti"),
                {{QStringLiteral("Testata_ID"), contractId}, {QStringLiteral("Defunto_ID"), d}});
        };
        for (int n = 1; n <= 200; ++n) {
            const qint64 c = contract(n, false);
            for (int k = 0; k < (n == 37 ? 70 : 1 + n % 2); ++k)
                link(c, QStringLiteral("Defunto %1-%2").arg(n).arg(k));
        }
        link(contract(900, true), QStringLiteral("Storico Vecchio"));

        const RenderedReport r = draw(db, 104).report;
        const QString all = r.texts().join(u'\n');
        EXPECT_FALSE(all.contains(QStringLiteral("Storico Vecchio")));
        EXPECT_FALSE(all.contains(QStringLiteral("n. 900")));
        EXPECT_TRUE(r.texts().contains(QStringLiteral("Totale generale")));
        EXPECT_TRUE(r.texts().contains(QStringLiteral("368 defunti")))
            << all.right(300).toStdString();
        ASSERT_GE(r.pages.size(), 5);
        int again = 0;
        for (int p = 1; p < r.pages.size(); ++p) {
            const QStringList t = r.texts(p);
            // After the page heading and the table heading, the first line is
            // a group heading or a row, not a group's total.
            const qsizetype head = t.indexOf(QStringLiteral("Defunto"));
            ASSERT_GE(head, 0) << p;
            const qsizetype first = head + 6; // the six column titles
            ASSERT_LT(first, t.size()) << p;
            EXPECT_FALSE(t[first].startsWith(QStringLiteral("Totale")))
                << p << " " << t[first].toStdString();
            if (t[first].contains(QStringLiteral("(segue)")))
                ++again;
        }
        EXPECT_GE(again, 1); // the 70 deceased of contract 37 span a page break
        EXPECT_TRUE(
            all.contains(QStringLiteral("Contratto n. 37 del 07/02/2024 - Bianchi Mario (segue)")));
    }
}

// A long e-mail address or code is drawn smaller; when even so it does not
// fit its column it goes on at its at sign or after a dash, never in the
// middle of a part.
TEST(Lists, LongWordsAreNeverCut) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const Samples s = Samples::create(db);
    const QString mail =
        QStringLiteral("amministrazione.contabilita@onoranzefunebririunitedellalombardia.example");
    db.insert(QStringLiteral("Clienti"),
              {{QStringLiteral("Codice"), QStringLiteral("CLI-2024-000123")},
               {QStringLiteral("NominativoDocumenti"), QStringLiteral("Comune di Lecco")},
               {QStringLiteral("EMail"), mail},
               {QStringLiteral("Annullato"), false}});
    const QStringList t = draw(db, 1).report.texts();
    const qsizetype at = t.indexOf(QStringLiteral("amministrazione.contabilita"));
    ASSERT_GE(at, 0) << t.join(u'|').toStdString();
    EXPECT_EQ(t[at + 1], QStringLiteral("@onoranzefunebririunitedellalombardia.example"));
    const qsizetype code = t.indexOf(QStringLiteral("CLI-2024-"));
    ASSERT_GE(code, 0) << t.join(u'|').toStdString();
    EXPECT_EQ(t[code + 1], QStringLiteral("000123"));

    // Seven-digit amounts fit their columns whole.
    db.exec(QStringLiteral("update fattura set TotImponibile = 1011940.89, TotImposta = "
                           "222627.00, ImportoMarcaBollo = 2, TotFattura = 1234569.89"));
    const QStringList list = draw(db, 30).report.texts();
    for (const char* amount : {"1.011.940,89", "222.627,00", "1.234.569,89"})
        EXPECT_TRUE(list.contains(QString::fromUtf8(amount))) << amount << "\n"
                                                              << list.join(u'|').toStdString();
}
