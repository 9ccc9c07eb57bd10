#include "QtPrinters.h"
#include "Samples.h"
#include "TestArchive.h"
#include "printing/Expression.h"
#include "printing/Formats.h"
#include "printing/PrintJob.h"
#include "printing/ReportCatalog.h"
#include "printing/ReportData.h"
#include "printing/ReportPainter.h"
#include "printing/ReportRenderer.h"
#include "printing/ReportTemplate.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace printing;

namespace {

PrintJob draw(db::Database& db, int code, const QVariant& id = QVariant()) {
    ReportCall call;
    call.code = code;
    call.documentId = id;
    ReportRequests::write(db, call, QStringLiteral("/opt/ossarion/"));
    return PrintJobs::prepare(db);
}

QString allText(const RenderedReport& r, int page = -1) {
    return r.texts(page).join(u'\n');
}

// OSSARION_REPORTS_OUT names a folder that receives the reports drawn, to
// look at them.
void keep(const RenderedReport& report, const QString& name) {
    const QString out = qEnvironmentVariable("OSSARION_REPORTS_OUT");
    if (out.isEmpty())
        return;
    QString error;
    ReportPainter::writePdf(report, QStringLiteral("%1/%2.pdf").arg(out, name), &error);
}

void writeTemplate(const QTemporaryDir& dir, const QString& name, const QByteArray& json) {
    QFile f(dir.filePath(name + QStringLiteral(".json")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(json);
}

} // namespace

TEST(ReportFormats, ItalianFormsAndExpressions) {
    EXPECT_EQ(formatValue(1234.5, QStringLiteral("euro")), QStringLiteral("1.234,50 €"));
    EXPECT_EQ(formatValue(-0.004, QStringLiteral("money")), QStringLiteral("0,00"));
    EXPECT_EQ(formatValue(QStringLiteral("2026-03-02"), QStringLiteral("date")),
              QStringLiteral("02/03/2026"));
    EXPECT_EQ(formatValue(QDate(2026, 3, 2), QString()), QStringLiteral("02/03/2026"));
    EXPECT_EQ(formatValue(2.0, QStringLiteral("qty")), QStringLiteral("2"));
    EXPECT_EQ(formatValue(1234.125, QStringLiteral("qty")), QStringLiteral("1.234,125"));
    EXPECT_EQ(formatValue(22, QStringLiteral("pct")), QStringLiteral("22%"));
    EXPECT_EQ(formatValue(QVariant(), QStringLiteral("euro")), QString());

    QHash<QString, QVariant> vars{{QStringLiteral("ditta.ragsoc"), QStringLiteral("Rossi")},
                                  {QStringLiteral("n"), 3}};
    QSet<QString> unknown;
    Scope s;
    s.variables = &vars;
    s.unknown = &unknown;
    auto eval = [&](const char* e) { return Expression(QString::fromUtf8(e)).evaluate(s); };
    EXPECT_EQ(eval("iif(n > 2, 'molti', 'pochi') & ' - ' & DITTA.RagSoc").toString(),
              QStringLiteral("molti - Rossi"));
    EXPECT_DOUBLE_EQ(eval("round2(10 / 3) * 3").toDouble(), 9.99);
    EXPECT_TRUE(eval("not empty('x') and empty(0) and empty(null) and 'a' = 'A'").toBool());
    EXPECT_TRUE(eval("coalesce(null, '', 'terzo') = 'terzo'").toBool());
    // A month by its number (a salary's Mese), by a date or by a text date.
    EXPECT_EQ(eval("monthname(n) & ' ' & monthname(12)").toString(),
              QStringLiteral("Marzo Dicembre"));
    EXPECT_EQ(eval("monthname('2026-05-02')").toString(), QStringLiteral("Maggio"));
    EXPECT_TRUE(eval("isnull(monthname(13)) and isnull(monthname(null))").toBool());
    EXPECT_FALSE(Expression(QStringLiteral("1 +")).isValid());
    EXPECT_FALSE(Expression(QStringLiteral("(1")).isValid());
    EXPECT_TRUE(unknown.isEmpty());
    eval("Sconosciuto");
    EXPECT_TRUE(unknown.contains(QStringLiteral("Sconosciuto")));

    // Lines whose placeholders are all empty are recognised as such.
    bool allEmpty = false;
    EXPECT_EQ(TextTemplate(QStringLiteral("P.IVA {x}")).fill(s, &allEmpty),
              QStringLiteral("P.IVA "));
    EXPECT_TRUE(allEmpty);
    EXPECT_EQ(TextTemplate(QStringLiteral("{{n}} = {n|int}")).fill(s, &allEmpty),
              QStringLiteral("{n} = 3"));
    EXPECT_FALSE(TextTemplate(QStringLiteral("{n|valuta}")).isValid());
}

// Every template of the catalogue draws its report, in both variants of the
// options, and uses no name its data lacks.
TEST(ReportTemplates, EveryCatalogueReportDraws) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const Samples s = Samples::create(db);
    for (bool flag : {true, false}) {
        Samples::setOption(db, QStringLiteral("DocumentiRigaIvato"), flag);
        Samples::setOption(db, QStringLiteral("PrezzoPreventivo"), flag);
        Samples::setLogo(db, flag);
        for (int code : ReportCatalog::codes()) {
            const QVariant id = s.recordFor(code);
            PrintJob job;
            try {
                job = draw(db, code, id);
            } catch (const RenderError& e) {
                FAIL() << code << ": " << e.message.toStdString();
            }
            EXPECT_FALSE(job.report.pages.isEmpty()) << code;
            keep(job.report, ReportTemplates::nameOf(job.request.report) +
                                 (flag ? QString() : QStringLiteral("_2")));
            EXPECT_TRUE(job.report.unknownNames.isEmpty())
                << code << " " << job.request.report.toStdString() << ": "
                << job.report.unknownNames.join(u',').toStdString();
            // The letterhead follows the request.
            EXPECT_EQ(
                allText(job.report, 0).contains(QStringLiteral("Onoranze Funebri Rossi S.r.l.")),
                true)
                << code;
        }
    }
}

TEST(ReportTemplates, InvoiceShowsRowsVatSummaryInstalmentsAndTotals) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const Samples s = Samples::create(db);
    Samples::setOption(db, QStringLiteral("DocumentiRigaIvato"), true);
    PrintJob job = draw(db, 8, s.invoice);
    ASSERT_EQ(job.report.pages.size(), 1);
    const QStringList texts = job.report.texts();
    const QString all = texts.join(u'\n');
    for (const char* expected : {"FATTURA",
                                 "n. 12 del 02/03/2026",
                                 "Bianchi Mario",
                                 "Via Verdi 5",
                                 "20100 Milano (MI)",
                                 "Servizio funebre completo",
                                 "Preventivo n° 7",
                                 "Composizione floreale",
                                 "2.500,00",
                                 "3.050,00",
                                 "135,90",
                                 "165,80",
                                 "Bonifico 30-60 gg",
                                 "Riepilogo IVA",
                                 "4.435,90 €",
                                 "759,90 €",
                                 "2,00 €",
                                 "5.197,80 €",
                                 "TOTALE DOCUMENTO",
                                 "01/04/2026",
                                 "01/05/2026",
                                 "2.598,90 €",
                                 "IBAN IT60 X054 2811 1010 0000 0123 456",
                                 "Imposta di bollo assolta in modo virtuale",
                                 "Grazie per la fiducia accordataci.",
                                 "Pagina 1 di 1"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(expected))) << expected;
    // VAT by rate: 22% on 2.500,00 + 135,90, 10% on 1.800,00.
    EXPECT_TRUE(texts.contains(QStringLiteral("2.635,90 €")));
    EXPECT_TRUE(texts.contains(QStringLiteral("579,90 €")));
    EXPECT_TRUE(texts.contains(QStringLiteral("1.800,00 €")));
    EXPECT_TRUE(texts.contains(QStringLiteral("180,00 €")));
    EXPECT_FALSE(all.contains(QStringLiteral("Ritenuta")));

    // Without VAT per row the gross column goes; terms that hide the
    // instalments hide them; a withholding shows up in the totals.
    Samples::setOption(db, QStringLiteral("DocumentiRigaIvato"), false);
    db.exec(QStringLiteral("update ModPagamento set NonVisualizzareStampa = true where ID = ?"),
            {s.terms});
    db.exec(
        QStringLiteral(
            "update fattura set RitenutaAcconto = 887.18, RitAccontoAziende = true where ID = ?"),
        {s.invoice});
    job = draw(db, 8, s.invoice);
    EXPECT_TRUE(job.request.report.endsWith(QStringLiteral("FattureNoRigaIva.rpt")));
    const QString noVat = allText(job.report);
    EXPECT_FALSE(noVat.contains(QStringLiteral("3.050,00")));
    EXPECT_FALSE(noVat.contains(QStringLiteral("Importo ivato")));
    EXPECT_TRUE(noVat.contains(QStringLiteral("2.500,00")));
    EXPECT_FALSE(noVat.contains(QStringLiteral("01/04/2026")));
    EXPECT_FALSE(noVat.contains(QStringLiteral("Scadenze")));
    EXPECT_TRUE(noVat.contains(QStringLiteral("- 887,18 €")));
    EXPECT_TRUE(noVat.contains(QStringLiteral("NETTO A PAGARE")));
}

TEST(ReportTemplates, LongDocumentsContinueOnNewPagesWithTheirHeadings) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const Samples s = Samples::create(db);
    Samples::addInvoiceRows(db, s.invoice, 80);
    const PrintJob job = draw(db, 8, s.invoice);
    keep(job.report, QStringLiteral("FatturaLunga"));
    const int pages = int(job.report.pages.size());
    ASSERT_GE(pages, 3);
    for (int p = 0; p < pages; ++p) {
        const QStringList t = job.report.texts(p);
        EXPECT_TRUE(t.contains(QStringLiteral("Descrizione"))) << p; // table header repeated
        EXPECT_TRUE(t.contains(QStringLiteral("Pagina %1 di %2").arg(p + 1).arg(pages))) << p;
        EXPECT_EQ(t.contains(QStringLiteral("Onoranze Funebri Rossi S.r.l.")), p == 0) << p;
    }
    // Every row is printed once, the totals once, on the last page.
    const QStringList all = job.report.texts();
    EXPECT_EQ(all.count(QStringLiteral("Articolo di prova numero 80")), 1);
    EXPECT_EQ(all.count(QStringLiteral("TOTALE DOCUMENTO")), 1);
    EXPECT_TRUE(job.report.texts(pages - 1).contains(QStringLiteral("TOTALE DOCUMENTO")));

    // A list keeps counting and summing across its pages.
    for (int n = 0; n < 120; ++n)
        db.insert(QStringLiteral("Clienti"),
                  {{QStringLiteral("NominativoDocumenti"),
                    QStringLiteral("Cliente %1").arg(n, 3, 10, QChar(u'0'))},
                   {QStringLiteral("Annullato"), false}});
    const PrintJob list = draw(db, 1);
    EXPECT_GE(list.report.pages.size(), 3);
    EXPECT_TRUE(list.report.landscape);
    EXPECT_TRUE(allText(list.report).contains(QStringLiteral("Totale: 122 clienti")))
        << list.report.texts(int(list.report.pages.size()) - 1).join(u'|').toStdString();
}

TEST(ReportTemplates, MissingDocumentOrTemplateIsAnError) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    Samples::create(db);
    try {
        draw(db, 8, 99999);
        FAIL() << "a missing invoice was drawn";
    } catch (const RenderError& e) {
        EXPECT_TRUE(e.message.startsWith(QStringLiteral("Nessun dato da stampare")))
            << e.message.toStdString();
    }
    try {
        draw(db, 63); // no catalogue entry: no report named
        FAIL();
    } catch (const RenderError& e) {
        EXPECT_EQ(e.message, QStringLiteral("La richiesta di stampa non indica alcun report"));
    }
}

TEST(ReportTemplates, ExtendsOverrideAndInclude) {
    QTemporaryDir dir;
    writeTemplate(dir, QStringLiteral("_righe"),
                  R"([{"type": "text", "id": "b", "lines": ["B"]}])");
    writeTemplate(dir, QStringLiteral("Base"), R"({"title": "Base", "font": {"size": 9},
        "body": [{"type": "text", "id": "a", "lines": ["A"]}, {"include": "_righe"}]})");
    writeTemplate(dir, QStringLiteral("Figlio"),
                  R"({"extends": "Base", "font": {"families": ["DejaVu Sans"]},
        "override": {"a": {"lines": ["A2"]}, "b": null}})");
    writeTemplate(dir, QStringLiteral("Rotto"), R"({"extends": "Base", "override": {"zz": {}}})");
    writeTemplate(dir, QStringLiteral("Errato"), "{\"title\": \n\"x\",, }");
    const QStringList folders = {dir.path()};
    QString error;
    const QJsonObject t = ReportTemplates::load(QStringLiteral("Figlio"), folders, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(t.value(QStringLiteral("title")).toString(), QStringLiteral("Base"));
    EXPECT_EQ(t.value(QStringLiteral("font")).toObject().value(QStringLiteral("size")).toDouble(),
              9);
    ReportData data;
    const RenderedReport r = ReportRenderer::render(t, data);
    EXPECT_EQ(r.texts(), QStringList{QStringLiteral("A2")});

    ReportTemplates::load(QStringLiteral("Rotto"), folders, &error);
    EXPECT_TRUE(error.contains(QStringLiteral("\"zz\""))) << error.toStdString();
    ReportTemplates::load(QStringLiteral("Errato"), folders, &error);
    EXPECT_TRUE(error.contains(QStringLiteral("riga 2"))) << error.toStdString();
    ReportTemplates::forRequest(QStringLiteral("/x/Nessuno.rpt"),
                                QStringLiteral("/x/FiglioLan.rpt"), folders, &error);
    EXPECT_TRUE(error.contains(QStringLiteral("Nessuno"))) << error.toStdString();

    writeTemplate(dir, QStringLiteral("Espr"),
                  R"({"body": [{"type": "text", "lines": ["{1 +}"]}]})");
    const QJsonObject bad = ReportTemplates::load(QStringLiteral("Espr"), folders, &error);
    EXPECT_THROW(ReportRenderer::render(bad, data), RenderError);
}
