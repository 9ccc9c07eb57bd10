#include "Samples.h"
#include "TestArchive.h"
#include "common/SqlText.h"
#include "printing/DueDateReports.h"
#include "printing/PrintJob.h"
#include "printing/ReportCatalog.h"
#include "printing/ReportCodes.h"
#include "printing/ReportData.h"
#include "printing/ReportPainter.h"
#include "printing/ReportTemplate.h"

#include <gtest/gtest.h>

using namespace printing;

namespace {

PrintJob drawList(db::Database& db, int code, const QString& selection,
                  const QString& parameter = QString(), const QVariant& id = QVariant()) {
    ReportCall call;
    call.code = code;
    call.selection = selection;
    call.parameter = parameter;
    call.documentId = id;
    ReportRequests::write(db, call, QStringLiteral("/opt/ossarion/"));
    PrintJob job = PrintJobs::prepare(db);
    // OSSARION_REPORTS_OUT names a folder that receives the reports drawn.
    const QString out = qEnvironmentVariable("OSSARION_REPORTS_OUT");
    if (!out.isEmpty()) {
        QString error;
        ReportPainter::writePdf(job.report,
                                QStringLiteral("%1/%2_%3.pdf")
                                    .arg(out, ReportTemplates::nameOf(job.request.report))
                                    .arg(code),
                                &error);
    }
    return job;
}

QString text(const PrintJob& job) {
    return job.report.texts(-1).join(u'\n');
}

qint64 customer(db::Database& db, const QString& name) {
    return db.insert(
        "Clienti",
        {{"NominativoDocumenti", name}, {"NominativoVisualizzato", name}, {"Annullato", false}});
}

void movement(db::Database& db, const QDate& day, const QString& operation, double in, double out,
              const QVariant& customerId = QVariant()) {
    db.insert("finanzia", {{"Data", day},
                           {"Operazione", operation},
                           {"Entrata", in},
                           {"Uscita", out},
                           {"Tipologia_ID", 1},
                           {"Cliente_id", customerId},
                           {"Tipo", "A"},
                           {"Storico", false}});
}

qint64 openInstalment(db::Database& db, const QString& type, const QString& operation,
                      double amount, const QDate& due, const QVariant& customerId) {
    return db.insert("FatturaScadenze", {{"Numero", 1},
                                         {"Tipo", type},
                                         {"Operazione", operation},
                                         {"Importo", amount},
                                         {"DataScadenza", due},
                                         {"Pagato", false},
                                         {"Cliente_id", customerId}});
}

} // namespace

// The cash-book prints over the list's selection: every movement from the
// configured opening balance to the closing one, the movements of customers
// or of suppliers by name, and each one's totals in and out.
TEST(CashBookPrints, MovementsByPartyAndSituations) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        Samples::create(db);
        const qint64 gallo = customer(db, "Gallo Piero");
        movement(db, QDate(2026, 3, 10), "Acconto funerale", 300, 0, gallo);
        movement(db, QDate(2026, 3, 12), "Rimborso fiori", 0, 20, gallo);
        movement(db, QDate(2026, 3, 11), "Spese postali", 0, 7.5);
        movement(db, QDate(2025, 12, 30), "Incasso dell'anno prima", 1000, 0, gallo);
        const QString thisYear = QStringLiteral("Data >= #1/1/2026#");

        PrintJob job = drawList(db, reports::cashBook, thisYear, "1000.00");
        EXPECT_TRUE(job.request.report.endsWith("/PrimaNota.rpt"));
        EXPECT_TRUE(job.request.filter);
        EXPECT_EQ(job.request.parameter, "1000.00");
        QString t = text(job);
        EXPECT_TRUE(t.contains("Saldo iniziale: 1.000,00 €"));
        EXPECT_TRUE(t.contains("Spese postali"));
        EXPECT_TRUE(t.contains("Pagamento legname"));
        EXPECT_FALSE(t.contains("Incasso dell'anno prima"));
        // 1000 + 122 + 300 − 50 − 20 − 7,50
        EXPECT_TRUE(t.contains("Saldo finale: 1.344,50 €")) << t.toStdString();

        job = drawList(db, reports::cashBookCustomers, thisYear, "0");
        EXPECT_TRUE(job.request.report.endsWith("/PrimaNotaClienti.rpt"));
        t = text(job);
        EXPECT_TRUE(t.contains("Cliente: Gallo Piero"));
        EXPECT_TRUE(t.contains("Cliente: Bianchi Mario"));
        EXPECT_TRUE(t.contains("Rimborso fiori"));
        EXPECT_FALSE(t.contains("Spese postali"));
        EXPECT_FALSE(t.contains("Pagamento legname"));
        EXPECT_LT(t.indexOf("Cliente: Bianchi Mario"), t.indexOf("Cliente: Gallo Piero"));

        job = drawList(db, reports::cashBookSuppliers, thisYear, "0");
        t = text(job);
        EXPECT_TRUE(t.contains("Fornitore: Falegnameria Verdi S.n.c."));
        EXPECT_TRUE(t.contains("Pagamento legname"));
        EXPECT_FALSE(t.contains("Acconto funerale"));

        // One line per customer: Gallo 300 in, 20 out, 280 left; the year
        // before stays out. 81–83 draw the same report.
        for (int code : {81, reports::cashBookCustomerSituation}) {
            job = drawList(db, code, thisYear);
            EXPECT_TRUE(job.request.report.endsWith("/PrimaNotaSituazioneClienti.rpt")) << code;
            EXPECT_FALSE(job.request.filter);
            EXPECT_FALSE(job.request.subQuery[0].isEmpty());
        }
        const ReportData d = ReportData::load(db, job.request);
        ASSERT_EQ(d.main.size(), 2u);
        EXPECT_EQ(d.main[1].text("Soggetto"), "Gallo Piero");
        EXPECT_DOUBLE_EQ(d.main[1].number("TotaleEntrate"), 300);
        EXPECT_DOUBLE_EQ(d.main[1].number("TotaleUscite"), 20);
        EXPECT_EQ(d.sub[0].size(), 3u);
        t = text(job);
        EXPECT_TRUE(t.contains("280,00"));
        EXPECT_TRUE(t.contains("Rimborso fiori"));
        EXPECT_FALSE(t.contains("Falegnameria"));

        job = drawList(db, reports::cashBookSupplierSituation, thisYear);
        EXPECT_TRUE(job.request.report.endsWith("/PrimaNotaSituazioneFornitori.rpt"));
        t = text(job);
        EXPECT_TRUE(t.contains("Falegnameria Verdi S.n.c."));
        EXPECT_TRUE(t.contains("-50,00"));
        EXPECT_FALSE(t.contains("Gallo Piero"));
    }
}

// The due-dates menu: overdue, within thirty days, this month, and grouped
// by customer, payment method or bank, each within the list's selection.
TEST(DueDatePrints, VariantsKeepTheirInstalmentsAndGroup) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        Samples::create(db);
        const QDate today = QDate::currentDate();
        const qint64 gallo = customer(db, "Gallo Piero");
        const qint64 conti = customer(db, "Conti Ada");
        openInstalment(db, "F", "Rata scaduta Gallo", 100, today.addDays(-1), gallo);
        openInstalment(db, "F", "Rata vicina Conti", 200, today.addDays(29), conti);
        openInstalment(db, "F", "Rata lontana Gallo", 300, today.addDays(90), gallo);
        openInstalment(db, "C", "Rata fornitore scaduta", 70, today.addDays(-3), QVariant());
        // The list's selection: only these customers' instalments.
        const QString mine =
            QStringLiteral("Cliente like 'Gallo*' or Cliente like 'Conti*' or Operazione like "
                           "'Rata fornitore*'");

        auto operations = [&](int code) {
            const PrintJob job = drawList(db, code, mine);
            QStringList ops;
            for (const db::Row& r : ReportData::load(db, job.request).main)
                ops << r.text("Operazione");
            return ops;
        };
        EXPECT_EQ(operations(reports::customerDueDates),
                  QStringList({"Rata scaduta Gallo", "Rata vicina Conti", "Rata lontana Gallo"}));
        EXPECT_EQ(operations(reports::customerDueDatesOverdue),
                  QStringList({"Rata scaduta Gallo"}));
        EXPECT_EQ(operations(reports::customerDueDatesNext30Days),
                  QStringList({"Rata vicina Conti"}));
        QStringList thisMonth;
        for (const auto& [op, due] : {std::pair{"Rata scaduta Gallo", today.addDays(-1)},
                                      std::pair{"Rata vicina Conti", today.addDays(29)}})
            if (due.month() == today.month() && due.year() == today.year())
                thisMonth << op;
        EXPECT_EQ(operations(reports::customerDueDatesThisMonth), thisMonth);
        EXPECT_EQ(operations(reports::customerDueDatesByCustomer),
                  QStringList({"Rata vicina Conti", "Rata scaduta Gallo", "Rata lontana Gallo"}));
        EXPECT_EQ(operations(reports::customerDueDatesOverdueByCustomer),
                  QStringList({"Rata scaduta Gallo"}));
        EXPECT_EQ(operations(reports::supplierDueDatesOverdue),
                  QStringList({"Rata fornitore scaduta"}));
        EXPECT_TRUE(operations(reports::supplierDueDatesNext30Days).isEmpty());

        // Drawn: the variant's title, the groups with their totals.
        PrintJob job = drawList(db, reports::customerDueDatesOverdue, mine);
        EXPECT_TRUE(job.request.report.endsWith("/Scadenziario.rpt"));
        EXPECT_FALSE(job.request.letterhead);
        QString t = text(job);
        EXPECT_TRUE(t.contains("Scadute al " + today.toString("dd/MM/yyyy")));
        EXPECT_TRUE(t.contains("Rata scaduta Gallo"));
        EXPECT_FALSE(t.contains("Rata vicina Conti"));

        job = drawList(db, reports::customerDueDatesByCustomer, mine);
        EXPECT_TRUE(job.request.letterhead);
        t = text(job);
        EXPECT_TRUE(t.contains("Totale Gallo Piero"));
        EXPECT_TRUE(t.contains("400,00"));
        EXPECT_TRUE(t.contains("Totale Conti Ada"));

        job = drawList(db, reports::customerDueDatesByBank, mine);
        EXPECT_TRUE(text(job).contains("(non indicato)"));

        job = drawList(db, reports::supplierDueDatesBySupplier, mine);
        EXPECT_TRUE(job.request.report.endsWith("/ScadenziarioFornitori.rpt"));
        EXPECT_FALSE(job.request.letterhead);
        EXPECT_TRUE(text(job).contains("Rata fornitore scaduta"));

        // Every variant of the menu has its own code and draws.
        for (bool suppliers : {false, true}) {
            const QList<DueDatePrint> prints = dueDatePrints(suppliers, today);
            EXPECT_EQ(prints.size(), suppliers ? 7 : 8);
            for (const DueDatePrint& p : prints) {
                job = drawList(db, p.code, QString());
                EXPECT_TRUE(job.report.unknownNames.isEmpty()) << p.code;
                EXPECT_FALSE(job.report.pages.isEmpty()) << p.code;
            }
        }
    }
}

// The monthly settlements of a year: one line per month with what is left
// to pay or carry, and the months added up per VAT code and kind.
TEST(MonthlyVatPrints, MonthsOfTheYearAndTotalsPerCode) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        Samples s = Samples::create(db);
        auto month = [&](int year, int m, double debit, double credit) {
            const qint64 id =
                db.insert("ContabilitaChiusuraIvaMensile", {{"Anno", year},
                                                            {"Mese", m},
                                                            {"CreditoResiduoMesePassato", 0.0},
                                                            {"TotaleIvaDebito", debit},
                                                            {"TotaleIvaCredito", credit}});
            db.insert("ContabilitaChiusuraIvaMensileRighe",
                      {{"ContabilitaChiusuraIvaMensile_ID", id},
                       {"Iva_ID", 1},
                       {"IvaDescrizione", "Iva 22%"},
                       {"Carico", false},
                       {"Corrispettivi", false},
                       {"TotaleImponibile", debit / 0.22},
                       {"TotaleIva", debit}});
            db.insert("ContabilitaChiusuraIvaMensileRighe",
                      {{"ContabilitaChiusuraIvaMensile_ID", id},
                       {"Iva_ID", 1},
                       {"IvaDescrizione", "Iva 22%"},
                       {"Carico", true},
                       {"Corrispettivi", false},
                       {"TotaleImponibile", credit / 0.22},
                       {"TotaleIva", credit}});
        };
        month(2026, 2, 11, 30.8); // credit 19,80 to carry
        month(2025, 12, 99, 0);   // another year

        PrintJob job = drawList(db, reports::monthlyVatSettlementYear, "Anno = 2026");
        EXPECT_TRUE(job.request.report.endsWith("/ChiusuraIvaMensile.rpt"));
        EXPECT_TRUE(job.request.filter);
        EXPECT_TRUE(job.request.letterhead);
        QString t = text(job);
        EXPECT_TRUE(t.contains("Gennaio 2026"));
        EXPECT_TRUE(t.contains("Febbraio 2026"));
        EXPECT_FALSE(t.contains("Dicembre"));
        EXPECT_TRUE(t.contains("7,60"));  // 22 − 4,40 − 10 to pay in January
        EXPECT_TRUE(t.contains("19,80")); // credit carried from February
        EXPECT_TRUE(t.contains("33,00")); // debit of the two months

        job = drawList(db, reports::monthlyVatSettlementYearByCode, "Anno = 2026");
        const ReportData d = ReportData::load(db, job.request);
        ASSERT_EQ(d.main.size(), 2u); // sales, then purchases
        EXPECT_FALSE(d.main[0].boolean("Carico"));
        EXPECT_DOUBLE_EQ(d.main[0].number("TotaleIva"), 33);
        EXPECT_DOUBLE_EQ(d.main[1].number("TotaleIva"), 30.8);
        t = text(job);
        EXPECT_TRUE(t.contains("Vendite"));
        EXPECT_TRUE(t.contains("Acquisti"));
        EXPECT_TRUE(t.contains("Anno 2026, mesi da 1 a 2"));
        EXPECT_TRUE(t.contains("33,00"));

        // The single month keeps its own page.
        job =
            drawList(db, reports::monthlyVatSettlement, QString(), QString(), s.monthlySettlement);
        t = text(job);
        EXPECT_TRUE(t.contains("Anno 2026 - Mese 1"));
        EXPECT_FALSE(t.contains("Totali per aliquota"));
        EXPECT_FALSE(t.contains("Chiusure mensili"));
    }
}
