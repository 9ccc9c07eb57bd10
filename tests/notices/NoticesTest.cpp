#include "notices/Notices.h"

#include "NoticeSamples.h"
#include "TestArchive.h"
#include "common/ScriptedInteraction.h"
#include "notices/NoticeMail.h"
#include "printing/PrintJob.h"
#include "printing/ReportCodes.h"
#include "printing/ReportPainter.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace notices;

namespace {

QStringList names(const QList<Customer>& customers) {
    QStringList out;
    for (const Customer& c : customers)
        out.append(c.name);
    return out;
}

} // namespace

TEST(NoticeCatalogue, ChecksDescriptionThenTextAndDeletesOnlyWhenConfirmed) {
    const auto noDescription = checkNotice({{"Descrizione", " "}, {"Testo", ""}});
    ASSERT_TRUE(noDescription);
    EXPECT_EQ(noDescription->title, "Messaggio di Errore");
    EXPECT_EQ(noDescription->text, "Attenzione manca la Descrizione");
    EXPECT_EQ(noDescription->field, "Descrizione");
    EXPECT_EQ(checkNotice({{"Descrizione", "Canone annuo"}, {"Testo", "\n"}})->text,
              "Attenzione manca il testo");
    EXPECT_FALSE(checkNotice({{"Descrizione", "Canone annuo"}, {"Testo", "Gentile cliente"}}));

    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const qint64 id = insertNotice(db);
    EXPECT_EQ(db.scalar("select Descrizione from Avvisi where Id = ?", {id}).toString(), "");
    common::ScriptedInteraction ui;
    ui.answers << false << true;
    EXPECT_FALSE(deleteNotice(db, ui, id));
    EXPECT_EQ(db.scalar("select count(*) from Avvisi").toInt(), 1);
    EXPECT_TRUE(deleteNotice(db, ui, id));
    EXPECT_EQ(db.scalar("select count(*) from Avvisi").toInt(), 0);
    EXPECT_EQ(ui.messages[0].text, "Sei sicuro di voler eliminare il tipo di avviso ?");
}

TEST(NoticeText, EachWorkstationKeepsItsOwnTextAndImportsFromTheCatalogue) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        db.setWorkstation("PC-UFFICIO");
        EXPECT_EQ(saveWorkText(db, "  ")->text, "Attenzione manca il testo");
        ASSERT_FALSE(saveWorkText(db, "Testo dell'ufficio"));
        db.setWorkstation("PC-CASSA");
        EXPECT_EQ(workText(db), "");
        const qint64 notice =
            db.insert("Avvisi", {{"Descrizione", "Canone"}, {"Testo", "Canone {Cliente}"}});
        common::ScriptedInteraction ui;
        ui.answers << false << true;
        EXPECT_FALSE(importNotice(db, ui, notice));
        EXPECT_EQ(workText(db), "");
        EXPECT_TRUE(importNotice(db, ui, notice));
        EXPECT_EQ(workText(db), "Canone {Cliente}");
        EXPECT_EQ(ui.messages[0].text, "Sei sicuro di voler importare il tipo di avviso ?");
        db.setWorkstation("PC-UFFICIO");
        EXPECT_EQ(workText(db), "Testo dell'ufficio");
        EXPECT_EQ(db.scalar("select count(*) from TempAvvisi").toInt(), 2);
    }
}

TEST(NoticeCustomers, QueryFollowsTheFiltersInTheirOrder) {
    Filters f;
    EXPECT_EQ(customerQuery(f), "SELECT distinct Clienti.NominativoVisualizzato, "
                                "Clienti.CodFiscale,Clienti.Iva,Clienti.Id FROM Clienti WHERE "
                                "Clienti.Annullato=False");
    f.paymentId = 3;
    f.categoryId = 4;
    f.comuneId = 5;
    f.province = "TO";
    f.publicAdministration = true;
    f.notes = "l'ala";
    f.dueFrom = QDate(2026, 3, 1);
    f.dueTo = QDate(2026, 3, 31);
    EXPECT_EQ(customerQuery(f),
              "SELECT distinct Clienti.NominativoVisualizzato, Clienti.CodFiscale,Clienti.Iva,"
              "Clienti.Id FROM Clienti INNER JOIN FatturaScadenze ON FatturaScadenze.Cliente_id = "
              "Clienti.Id WHERE Clienti.Annullato=False and Clienti.Pagamento_ID=3 and "
              "Clienti.Categoria_ID=4 and Clienti.Comune_id=5 and Clienti.Provincia ='TO' and "
              "Clienti.PubblicaAmministrazione=true and Clienti.Note like 'l''ala*' and "
              "(FatturaScadenze.DataPagamento is null or "
              "FatturaScadenze.DataPagamento<#01/01/1900#) and FatturaScadenze.DataScadenza "
              ">=#3/1/2026# and FatturaScadenze.DataScadenza <=#3/31/2026 23.59.59#");
}

TEST(NoticeCustomers, NoFilterPaidAndDueRangeChooseTheRightCustomersOnce) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        const NoticeSamples s = NoticeSamples::create(db);

        // Every customer not cancelled, once, though some have several
        // instalments.
        EXPECT_EQ(names(chooseCustomers(db, {})),
                  QStringList({"Bianchi Anna", "D'Angelo Pietro", "Rossi Mario", "Verdi Luigi"}));

        Filters march;
        march.dueFrom = QDate(2026, 3, 1);
        march.dueTo = QDate(2026, 3, 31); // the 31st's instalment is in
        EXPECT_EQ(names(chooseCustomers(db, march)),
                  QStringList({"D'Angelo Pietro", "Rossi Mario"}));
        march.paid = true;
        EXPECT_EQ(names(chooseCustomers(db, march)), QStringList({"Rossi Mario"}));

        // Paid with no dates: anyone who ever paid an instalment.
        Filters paid;
        paid.paid = true;
        EXPECT_EQ(names(chooseCustomers(db, paid)), QStringList({"Rossi Mario"}));

        Filters april;
        april.dueFrom = QDate(2026, 4, 1);
        EXPECT_EQ(names(chooseCustomers(db, april)), QStringList({"Bianchi Anna"}));

        Filters others;
        others.publicAdministration = true;
        EXPECT_EQ(names(chooseCustomers(db, others)), QStringList({"Bianchi Anna"}));
        others = {};
        others.notes = "loculo";
        EXPECT_EQ(names(chooseCustomers(db, others)), QStringList({"Rossi Mario"}));
        others.notes = "14";
        EXPECT_TRUE(chooseCustomers(db, others).isEmpty());
        others = {};
        others.province = "TO";
        EXPECT_EQ(chooseCustomers(db, others).size(), 2);
    }
}

TEST(NoticeFields, UnknownFieldsAreRefusedKnownOnesFilledPerCustomer) {
    const auto unknown = checkFields("Gentile {Cliente}, dovete {Importo}.");
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->title, "Messaggio di Errore");
    EXPECT_TRUE(unknown->text.contains("{Importo}")) << unknown->text.toStdString();
    EXPECT_FALSE(checkFields("{Cliente} {Indirizzo} {Comune} {CodiceFiscale} {ImportoDovuto} "
                             "{Scadenze} { non un campo } {}"));

    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        const NoticeSamples s = NoticeSamples::create(db);
        const QString text = "{Cliente}\n{Indirizzo}\n{Comune}\n{CodiceFiscale}\nTotale "
                             "{ImportoDovuto}\n{Scadenze}";
        EXPECT_EQ(fillFields(db, text, s.rossi, QDate(2026, 3, 1), QDate(2026, 3, 31)),
                  "Rossi Mario\nVia Roma 12\n10121 Torino (TO)\nRSSMRA60A01L219X\nTotale "
                  "1.334,50 €\n10/03/2026  1.234,50 €\n31/03/2026  100,00 €");
        // The range limits the instalments; a customer owing nothing owes 0.
        EXPECT_EQ(fillFields(db, "{ImportoDovuto}|{Scadenze}", s.rossi, QDate(2026, 3, 11), {}),
                  "100,00 €|31/03/2026  100,00 €");
        EXPECT_EQ(fillFields(db, "{ImportoDovuto}|{Scadenze}|{Comune}", s.verdi, {}, {}),
                  "0,00 €||Asti");
        EXPECT_EQ(fillFields(db, "{importodovuto}", s.fornitore, {}, {}), "0,00 €");
        // A value holding braces is not read again as a field.
        db.exec("update Clienti set NominativoDocumenti = '{Comune}' where Id = ?", {s.verdi});
        EXPECT_EQ(fillFields(db, "{Cliente} {Comune}", s.verdi, {}, {}), "{Comune} Asti");
    }
}

TEST(NoticeLetters, OneLetterPerTickedCustomerWithItsAddressAndFilledText) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    db.setWorkstation("PC-UFFICIO");
    const NoticeSamples s = NoticeSamples::create(db);
    db.exec("update ditta set RagSoc = 'Onoranze Funebri Rossi S.r.l.'");

    ASSERT_FALSE(saveWorkText(db, "Gentile {Cliente}, Vi ricordiamo il canone di {Cittta}."));
    EXPECT_TRUE(prepareLetters(db, {s.rossi}, {}, {}));
    EXPECT_EQ(db.scalar("select count(*) from TempAvvisiClienti").toInt(), 0);

    ASSERT_FALSE(saveWorkText(db, "Gentile {Cliente}, Vi ricordiamo il canone di "
                                  "{ImportoDovuto} per le scadenze:\n{Scadenze}\nCordiali saluti"));
    // Another workstation's ticked customers stay as they are.
    db.insert("TempAvvisiClienti", {{"NomeComputer", "PC-CASSA"}, {"Cliente_ID", s.verdi}});
    ASSERT_FALSE(prepareLetters(db, {s.bianchi, s.rossi}, QDate(2026, 3, 1), QDate(2026, 4, 30)));

    printing::ReportCall call;
    call.code = printing::reports::notices;
    call.selection = letterSelection(db.workstation());
    printing::ReportRequests::write(db, call, QStringLiteral("/opt/ossarion/"));
    const printing::PrintJob job = printing::PrintJobs::prepare(db);
    EXPECT_TRUE(job.report.unknownNames.isEmpty())
        << job.report.unknownNames.join(u',').toStdString();
    ASSERT_EQ(job.report.pages.size(), 2);

    QTemporaryDir dir;
    const QString pdf = dir.filePath("avvisi.pdf");
    QString error;
    ASSERT_TRUE(printing::ReportPainter::writePdf(job.report, pdf, &error)) << error.toStdString();
    if (const QString out = qEnvironmentVariable("OSSARION_REPORTS_OUT"); !out.isEmpty())
        QFile::copy(pdf, out + "/Avvisi.pdf"); // to look at it
    QProcess p;
    p.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(30000));
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
    for (QString& page : pages)
        page = page.simplified();
    ASSERT_GE(pages.size(), 2);
    // In the ticked order: Bianchi first.
    EXPECT_TRUE(pages[0].contains("Bianchi Anna"));
    EXPECT_TRUE(pages[0].contains("Corso Francia"));
    EXPECT_TRUE(pages[0].contains("10138 Torino (TO)"));
    EXPECT_TRUE(pages[0].contains("Gentile Bianchi Anna, Vi ricordiamo il canone di 75,00 €"));
    EXPECT_TRUE(pages[0].contains("30/04/2026 25,00 €"));
    EXPECT_FALSE(pages[0].contains("Rossi Mario"));
    EXPECT_TRUE(pages[0].contains("Onoranze Funebri Rossi S.r.l."));
    EXPECT_TRUE(pages[1].contains("Via Roma 12"));
    EXPECT_TRUE(pages[1].contains("Gentile Rossi Mario, Vi ricordiamo il canone di 1.334,50 €"));
    EXPECT_TRUE(pages[1].contains("10/03/2026 1.234,50 €"));
    EXPECT_FALSE(pages[1].contains("Verdi"));

    // No ticked customer: the request goes out with no letter in it.
    ASSERT_FALSE(prepareLetters(db, {}, {}, {}));
    EXPECT_EQ(db.scalar("select count(*) from TempAvvisiClienti where NomeComputer = "
                        "'PC-UFFICIO'")
                  .toInt(),
              0);
    printing::ReportRequests::write(db, call, QStringLiteral("/opt/ossarion/"));
    const printing::PrintJob empty = printing::PrintJobs::prepare(db);
    EXPECT_FALSE(empty.report.texts().join(u' ').contains("Gentile"));
}
