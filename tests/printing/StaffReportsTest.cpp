#include "Samples.h"
#include "TestArchive.h"
#include "printing/PrintJob.h"
#include "printing/ReportCodes.h"
#include "printing/ReportPainter.h"
#include "printing/ReportTemplate.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace printing;

namespace {

PrintJob drawStaff(db::Database& db, int code, const QString& selection,
                   const QVariant& id = QVariant()) {
    ReportCall call;
    call.code = code;
    call.selection = selection;
    call.documentId = id;
    ReportRequests::write(db, call, QStringLiteral("/opt/ossarion/"));
    return PrintJobs::prepare(db);
}

QString text(const PrintJob& job) {
    return job.report.texts(-1).join(u'\n');
}

} // namespace

// The staff list leaves cancelled people out; the lists of the card print
// only the rows of the person the selection names.
TEST(StaffReports, ListAndPerPersonSelections) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        const Samples s = Samples::create(db);
        const qint64 other = db.insert("Personale", {{"Personale", "Gialli Ugo"},
                                                     {"IdPaese", "IT"},
                                                     {"Annullato", true},
                                                     {"PrivacyFirmata", false}});
        db.insert("PersonaleScadenze", {{"Personale_ID", other},
                                        {"Descrizione", "Visita medica"},
                                        {"DataScadenza", QDate(2026, 5, 1)},
                                        {"DataAvviso", QDate(2026, 4, 1)},
                                        {"Validato", false}});

        PrintJob job = drawStaff(db, reports::staffList, QString());
        EXPECT_TRUE(job.request.query.startsWith(
            "SELECT Personale.Personale,  CategoriePersonale.Descrizione as Categoria"));
        EXPECT_TRUE(job.request.filter);
        EXPECT_TRUE(text(job).contains("Verdi Marco"));
        EXPECT_FALSE(text(job).contains("Gialli Ugo"));

        // Cancelled people keep their deadlines on paper.
        job = drawStaff(db, reports::staffDeadlines, QString());
        EXPECT_TRUE(text(job).contains("Patente C"));
        EXPECT_TRUE(text(job).contains("Visita medica"));
        job = drawStaff(db, reports::staffDeadlines,
                        QStringLiteral("PersonaleScadenze.Personale_ID = %1").arg(s.staff));
        EXPECT_TRUE(text(job).contains("Patente C"));
        EXPECT_FALSE(text(job).contains("Visita medica"));

        job = drawStaff(db, reports::staffSalaries,
                        QStringLiteral("PersonaleStipendi.Personale_ID = %1").arg(s.staff));
        EXPECT_TRUE(text(job).contains("1.450,00"));
        job = drawStaff(db, reports::staffCosts,
                        QStringLiteral("PersonaleCosti.Personale_ID = %1").arg(other));
        EXPECT_TRUE(text(job).contains("Nessun elemento da stampare"));

        job = drawStaff(db, reports::staffPrivacy, QString(), s.staff);
        EXPECT_FALSE(job.request.filter);
        EXPECT_TRUE(text(job).contains("Verdi Marco"));
        EXPECT_TRUE(text(job).contains("VRDMRC80A01F205X"));
    }
}

namespace {

// Two people with costs of two types and none, deadlines done and not,
// salaries of two months and of the year before.
qint64 addStaffBook(db::Database& db, qint64 verdi) {
    const qint64 training = db.insert("TipologiaCostiPersonale", {{"Descrizione", "Formazione"}});
    const qint64 clothes = db.insert("TipologiaCostiPersonale", {{"Descrizione", "Vestiario"}});
    const qint64 rossi = db.insert("Personale", {{"Personale", "Rossi Anna"},
                                                 {"IdPaese", "IT"},
                                                 {"Annullato", false},
                                                 {"PrivacyFirmata", true},
                                                 {"Tel", "035 221133"},
                                                 {"Cell", "333 1112223"},
                                                 {"Email", "rossi@example.it"},
                                                 {"DataNascita", QDate(1985, 6, 4)},
                                                 {"DocTipo", "Carta d'identità"},
                                                 {"Documento", "CA12345AB"},
                                                 {"PermSogg_Scadenza", QDate(2027, 1, 31)},
                                                 {"NumeroLicenzaGuida", "MI1234567X"},
                                                 {"CQC", "CQC998877"}});
    const auto cost = [&](qint64 person, qint64 type, QDate day, double amount) {
        db.insert("PersonaleCosti", {{"Personale_ID", person},
                                     {"TipologiaCosto_id", type == 0 ? QVariant() : QVariant(type)},
                                     {"Data", day},
                                     {"Importo", amount}});
    };
    cost(rossi, training, QDate(2026, 1, 15), 120);
    cost(rossi, clothes, QDate(2026, 2, 10), 45.5);
    cost(verdi, training, QDate(2026, 3, 5), 200);
    db.insert("PersonaleScadenze", {{"Personale_ID", rossi},
                                    {"Descrizione", "Visita medica"},
                                    {"DataScadenza", QDate(2026, 2, 1)},
                                    {"DataAvviso", QDate(2026, 1, 1)},
                                    {"Validato", true}});
    db.insert("PersonaleScadenze", {{"Personale_ID", rossi},
                                    {"Descrizione", "Rinnovo CQC"},
                                    {"DataScadenza", QDate(2026, 6, 15)},
                                    {"DataAvviso", QDate(2026, 5, 15)},
                                    {"Validato", false}});
    db.insert("PersonaleStipendi", {{"Personale_ID", rossi},
                                    {"Anno", 2026},
                                    {"Mese", 3},
                                    {"DataPagamento", QDate(2026, 3, 27)},
                                    {"Base", 1300.0},
                                    {"Trasferta", 100.0},
                                    {"Addebiti", 50.0},
                                    {"Addebiti_Descrizione", "Rimborso carburante"},
                                    {"Accrediti", 30.0},
                                    {"Accrediti_Descrizione", "Anticipo del 10/03"},
                                    {"TotaleParziale", 1420.0},
                                    {"ImportoBonifico", 1420.0},
                                    {"Note", "Straordinari"}});
    db.insert("PersonaleStipendi", {{"Personale_ID", rossi},
                                    {"Anno", 2026},
                                    {"Mese", 2},
                                    {"Base", 1300.0},
                                    {"ImportoBonifico", 1300.0}});
    db.insert("PersonaleStipendi", {{"Personale_ID", verdi},
                                    {"Anno", 2025},
                                    {"Mese", 12},
                                    {"Base", 1500.0},
                                    {"ImportoBonifico", 1400.0}});
    return rossi;
}

// The report drawn, written as a PDF and read back as text, lines joined
// by single spaces.
QString pdfOf(db::Database& db, int code, const QString& selection, bool* letterhead) {
    const PrintJob job = drawStaff(db, code, selection);
    *letterhead = job.request.letterhead;
    EXPECT_TRUE(job.report.unknownNames.isEmpty())
        << code << ": " << job.report.unknownNames.join(u',').toStdString();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(ReportTemplates::nameOf(job.request.report) + ".pdf");
    QString error;
    EXPECT_TRUE(ReportPainter::writePdf(job.report, pdf, &error)) << error.toStdString();
    if (const QString out = qEnvironmentVariable("OSSARION_REPORTS_OUT"); !out.isEmpty())
        QFile::copy(pdf, out + u'/' + QFileInfo(pdf).fileName()); // to look at it
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(p.waitForFinished(30000));
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

} // namespace

// Every staff print as a PDF: its title, its rows and its totals.
TEST(StaffReports, EveryStaffPrintIsAReadablePdf) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext non installato";
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        const Samples s = Samples::create(db);
        addStaffBook(db, s.staff);
        const struct {
            int code;
            QStringList expected;
            QStringList absent;
        } prints[] = {
            {reports::staffList, {"Elenco personale", "Rossi Anna", "Verdi Marco", "2 persone"}},
            {reports::staffDocuments,
             {"Documenti del personale", "Carta d'identità", "CA12345AB", "MI1234567X", "CQC998877",
              "scade il 31/01/2027", "04/06/1985"}},
            {reports::staffContacts,
             {"Rubrica del personale", "rossi@example.it", "333 1112223", "035 221133"}},
            {reports::staffCosts, {"Costi del personale", "Totale Rossi Anna 165,50", "445,50"}},
            {reports::staffCostsByType,
             {"Costi del personale per tipologia", "Totale Formazione 320,00",
              "Totale Vestiario 45,50", "Senza tipologia", "Totale generale 445,50"}},
            {reports::staffCostSummary,
             {"Riepilogo costi del personale", "Formazione 1 15/01/2026 15/01/2026 120,00",
              "Totale Rossi Anna 2 165,50", "Totale generale 4 445,50"}},
            {reports::staffDeadlines, {"Scadenze del personale", "Visita medica", "Rinnovo CQC"}},
            {reports::staffOpenDeadlines,
             {"Scadenze del personale da effettuare", "15/06/2026", "Rinnovo CQC", "Patente C"},
             {"Visita medica"}},
            {reports::staffSalaries, {"Stipendi del personale", "1.420,00", "Totale generale"}},
            {reports::staffSalariesByMonth,
             {"Stipendi del personale per mese", "Dicembre 2025", "Febbraio 2026",
              "Totale Marzo 2026", "2.870,00", "5.570,00"}},
            {reports::staffSalaryDescriptions,
             {"Stipendi del personale con descrizioni", "Rimborso carburante", "Anticipo del 10/03",
              "Straordinari", "Totale Rossi Anna"}},
            {reports::staffSalariesByYear,
             {"Riepilogo annuale degli stipendi", "2026 2 2.600,00", "2.720,00", "2025 1",
              "1.400,00", "5.570,00"}},
        };
        for (const auto& print : prints) {
            bool letterhead = false;
            const QString text = pdfOf(db, print.code, QString(), &letterhead);
            // Only the documents' list goes on plain paper, without the letterhead.
            EXPECT_EQ(letterhead, print.code != reports::staffDocuments) << print.code;
            for (const QString& expected : print.expected)
                EXPECT_TRUE(text.contains(expected))
                    << print.code << ": " << expected.toStdString() << "\n"
                    << text.toStdString();
            for (const QString& absent : print.absent)
                EXPECT_FALSE(text.contains(absent)) << print.code << ": " << absent.toStdString();
        }

        // Not done, soonest first, those past due and those whose reminder
        // has come marked; a month's salaries alone.
        const QDate today = QDate::currentDate();
        for (const auto& [what, due, reminder] :
             {std::tuple{"Corso antincendio", today.addDays(30), today.addDays(-1)},
              std::tuple{"Visita oculistica", today.addDays(-10), today.addDays(-40)}})
            db.insert("PersonaleScadenze", {{"Personale_ID", s.staff},
                                            {"Descrizione", what},
                                            {"DataScadenza", due},
                                            {"DataAvviso", reminder},
                                            {"Validato", false}});
        bool letterhead = false;
        QString text = pdfOf(db, reports::staffOpenDeadlines, QString(), &letterhead);
        EXPECT_TRUE(text.contains("Corso antincendio In scadenza")) << text.toStdString();
        EXPECT_TRUE(text.contains("Visita oculistica Scaduta")) << text.toStdString();
        EXPECT_LT(text.indexOf("Rinnovo CQC"), text.indexOf("Patente C"));
        text = pdfOf(db, reports::staffSalariesByMonth,
                     "PersonaleStipendi.Anno = 2026 and PersonaleStipendi.Mese = 3", &letterhead);
        EXPECT_TRUE(text.contains("Marzo 2026"));
        EXPECT_FALSE(text.contains("Febbraio 2026"));
        EXPECT_FALSE(text.contains("Dicembre 2025"));
    }
}
