#include "Samples.h"
#include "TestArchive.h"
#include "printing/PrintJob.h"
#include "printing/ReportCodes.h"

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
