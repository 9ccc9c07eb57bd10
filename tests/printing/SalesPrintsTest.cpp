#include "Samples.h"
#include "TestArchive.h"
#include "printing/PrintJob.h"
#include "printing/ReportCatalog.h"
#include "printing/ReportCodes.h"

#include <gtest/gtest.h>

using namespace printing;

namespace {

QString drawnText(db::Database& db, int code, const QVariant& id = QVariant()) {
    ReportCall call;
    call.code = code;
    call.documentId = id;
    ReportRequests::write(db, call, QStringLiteral("/opt/ossarion/"));
    const PrintJob job = PrintJobs::prepare(db);
    EXPECT_TRUE(job.report.unknownNames.isEmpty())
        << code << ": " << job.report.unknownNames.join(u',').toStdString();
    return job.report.texts().join(u' ');
}

void expectAll(const QString& text, std::initializer_list<const char*> expected) {
    for (const char* e : expected)
        EXPECT_TRUE(text.contains(QString::fromUtf8(e))) << e << "\n" << text.toStdString();
}

} // namespace

// Each document of the sales family prints its own title, number, data and
// totals; the half-page quote and the list by department too.
TEST(SalesPrints, DeliveryNoteOrderQuoteReceiptAndDepartments) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        const Samples s = Samples::create(db);

        expectAll(drawnText(db, reports::ddt, s.ddt),
                  {"DOCUMENTO DI TRASPORTO", "n. 9/B del 06/03/2026", "Cimitero di Lecco",
                   "Trasporti Neri", "Arredi funebri", "3 PZ", "Firma del conducente",
                   "Firma del destinatario", "TOTALE D.D.T.", "5.195,80 €",
                   "Servizio funebre completo"});
        // The time the transport starts, without its day again.
        const QString ddtText = drawnText(db, reports::ddt, s.ddt);
        EXPECT_TRUE(ddtText.contains("09:30"));
        EXPECT_FALSE(ddtText.contains("06/03/2026 09:30"));
        expectAll(drawnText(db, reports::customerOrder, s.order),
                  {"ORDINE CLIENTE", "n. PO-2026/15 del 07/03/2026", "Z1234567AB",
                   "J11B22000000001", "TOTALE ORDINE 5.195,80 €"});
        expectAll(drawnText(db, reports::quote, s.quote),
                  {"PREVENTIVO", "n. 7 del 20/02/2026", "5.195,80 €"});
        expectAll(drawnText(db, reports::quoteHalf, s.quote), {"n. 7 del 20/02/2026"});
        expectAll(drawnText(db, reports::receipt, s.receipt), {"RICEVUTA", "n. 41 del 05/03/2026"});

        // The invoice rows by department: one group per department, with its total.
        db.exec(QStringLiteral("update fattdett set Reparto = 'Fiori' where NumeroRiga = 1"));
        expectAll(drawnText(db, reports::invoicesByDepartment),
                  {"Fatture per reparto", "Reparto: Fiori", "Totale reparto Fiori",
                   "Reparto: non indicato", "Servizio funebre completo"});
    }
}
