#include "Samples.h"
#include "TestArchive.h"
#include "printing/CemeteryReports.h"
#include "printing/PrintJob.h"
#include "printing/ReportCatalog.h"
#include "printing/ReportPainter.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace printing;

namespace {

PrintJob draw(db::Database& db, const ReportCall& call) {
    ReportRequests::write(db, call, QStringLiteral("/opt/ossarion/"));
    return PrintJobs::prepare(db);
}

void keep(const RenderedReport& report, const QString& name) {
    const QString out = qEnvironmentVariable("OSSARION_REPORTS_OUT");
    QString error;
    if (!out.isEmpty())
        ReportPainter::writePdf(report, QStringLiteral("%1/%2.pdf").arg(out, name), &error);
}

} // namespace

// A contract over two years: what is paid apart from what is due, each by
// year with its subtotal; its receipt names the contract, the deceased and
// the period of each row, and leaves the contract's own note out.
TEST(ContractPrints, PaidAndDueByYearAndTheReceipt) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        const Samples s = Samples::create(db);
        const qint64 id = db.insert(
            QStringLiteral("ContrattiTestata"),
            {{QStringLiteral("Numero"), 31},
             {QStringLiteral("Data"), QDate(2025, 1, 5)},
             {QStringLiteral("Cliente_ID"), s.customer},
             {QStringLiteral("Note"), QStringLiteral("Cliente da sollecitare, uso interno")},
             {QStringLiteral("NumeroRicevuta"), 4},
             {QStringLiteral("DataRicevuta"), QDate(2026, 2, 1)},
             {QStringLiteral("Chiuso"), false},
             {QStringLiteral("Storico"), false}});
        int n = 0;
        auto row = [&](const QString& text, int year, double net, const QVariant& paid) {
            db.insert(QStringLiteral("ContrattiRighe"),
                      {{QStringLiteral("Testata_ID"), id},
                       {QStringLiteral("NumeroRiga"), ++n},
                       {QStringLiteral("Descrizione"), text},
                       {QStringLiteral("Um"), 1.0},
                       {QStringLiteral("ValoreUnitario"), net},
                       {QStringLiteral("AliquotaIva"), 22.0},
                       {QStringLiteral("Iva_ID"), 1},
                       {QStringLiteral("TotaleImponibile"), net},
                       {QStringLiteral("ValoreTotale"), net * 1.22},
                       {QStringLiteral("DataInizioPeriodo"), QDate(year, 1, 1)},
                       {QStringLiteral("DataFinePeriodo"), QDate(year, 12, 31)},
                       {QStringLiteral("DataPagamento"), paid},
                       {QStringLiteral("Chiuso"), !paid.isNull()}});
        };
        row(QStringLiteral("Luce votiva 2025"), 2025, 100, QDate(2025, 3, 1));
        row(QStringLiteral("Manutenzione 2025"), 2025, 50, QDate(2025, 3, 1));
        row(QStringLiteral("Luce votiva 2026"), 2026, 100, QVariant());
        row(QStringLiteral("Manutenzione 2026"), 2026, 50, QVariant());
        db.insert(QStringLiteral("ContrattiDefunti"),
                  {{QStringLiteral("Testata_ID"), id}, {QStringLiteral("Defunto_ID"), s.deceased}});

        const PrintJob contract = draw(db, {68, id});
        keep(contract.report, QStringLiteral("Contratto"));
        EXPECT_TRUE(contract.report.unknownNames.isEmpty())
            << contract.report.unknownNames.join(u',').toStdString();
        const QStringList t = contract.report.texts();
        const qsizetype due = t.indexOf(QStringLiteral("Da pagare"));
        const qsizetype paid = t.indexOf(QStringLiteral("Pagato"));
        ASSERT_GE(due, 0);
        ASSERT_GT(paid, due);
        const QStringList duePart = t.mid(due, paid - due), paidPart = t.mid(paid);
        EXPECT_TRUE(duePart.contains(QStringLiteral("Luce votiva 2026")));
        EXPECT_FALSE(duePart.contains(QStringLiteral("Luce votiva 2025")));
        EXPECT_TRUE(paidPart.contains(QStringLiteral("Manutenzione 2025")));
        EXPECT_FALSE(paidPart.contains(QStringLiteral("Manutenzione 2026")));
        EXPECT_TRUE(duePart.contains(QStringLiteral("Anno 2026")));
        EXPECT_TRUE(duePart.contains(QStringLiteral("Totale da pagare")));
        EXPECT_TRUE(duePart.contains(QStringLiteral("183,00"))) << duePart.join(u'|').toStdString();
        EXPECT_TRUE(paidPart.contains(QStringLiteral("Totale 2025")));
        EXPECT_TRUE(paidPart.contains(QStringLiteral("Totale pagato")));
        EXPECT_TRUE(paidPart.contains(QStringLiteral("01/03/2025")));
        EXPECT_TRUE(paidPart.contains(QStringLiteral("01/01/2025 - 31/12/2025")));
        // The contract's note is for the firm, not for the paper.
        EXPECT_FALSE(t.join(u' ').contains(QStringLiteral("uso interno")));

        ReportCall receiptCall{7, id};
        receiptCall.parameter = kContractReceipt;
        const PrintJob receipt = draw(db, receiptCall);
        keep(receipt.report, QStringLiteral("RicevutaContratto"));
        EXPECT_TRUE(receipt.report.unknownNames.isEmpty())
            << receipt.report.unknownNames.join(u',').toStdString();
        const QString text = receipt.report.texts().join(u'\n');
        for (const char* expected :
             {"RICEVUTA", "n. 4 del 01/02/2026", "Contratto n. 31 del 05/01/2025",
              "Periodo 01/01/2026 - 31/12/2026", "Neri Giuseppe", "Fila 3, posto 14"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                    << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("uso interno")));
        EXPECT_FALSE(text.contains(QStringLiteral("Luce votiva 2025")));
        // An ordinary receipt names no contract.
        EXPECT_FALSE(draw(db, {7, s.receipt})
                         .report.texts()
                         .join(u'\n')
                         .contains(QStringLiteral("Contratto n.")));
    }
}
