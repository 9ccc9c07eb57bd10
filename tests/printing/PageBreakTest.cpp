#include "Samples.h"
#include "TestArchive.h"
#include "printing/PrintJob.h"
#include "printing/ReportCatalog.h"
#include "printing/ReportPainter.h"

#include <gtest/gtest.h>

using namespace printing;

namespace {

// OSSARION_REPORTS_OUT names a folder that receives the reports drawn.
void keep(const RenderedReport& report, const QString& name) {
    const QString out = qEnvironmentVariable("OSSARION_REPORTS_OUT");
    QString error;
    if (!out.isEmpty())
        ReportPainter::writePdf(report, QStringLiteral("%1/%2.pdf").arg(out, name), &error);
}

PrintJob draw(db::Database& db, int code, const QVariant& id) {
    ReportCall call;
    call.code = code;
    call.documentId = id;
    ReportRequests::write(db, call, QStringLiteral("/opt/ossarion/"));
    return PrintJobs::prepare(db);
}

QString note(int paragraphs) {
    QStringList p;
    for (int n = 1; n <= paragraphs; ++n)
        p << QStringLiteral("Paragrafo %1 di %2: condizioni di servizio concordate con la famiglia "
                            "e descritte per esteso.")
                 .arg(n)
                 .arg(paragraphs);
    return p.join(u'\n');
}

// Nothing but the footer is drawn below the content's foot (the document
// templates keep a 9 mm margin and a 6 mm footer).
void expectInsidePages(const RenderedReport& r) {
    const double mm = 72.0 / 25.4;
    const double footerTop = r.pageSize.height() - 9 * mm - 6 * mm;
    for (int p = 0; p < r.pages.size(); ++p)
        for (const DrawItem& d : r.pages[p].items)
            if (d.kind == DrawItem::Text && d.rect.top() < footerTop - 0.5)
                EXPECT_LE(d.rect.bottom(), footerTop - 2 * mm + 0.5)
                    << p << ": " << d.text.toStdString();
}

} // namespace

// A note longer than a page goes on over the following pages, every
// paragraph printed once; the totals close the last page, after the end of
// the note.
TEST(PageBreaks, LongNotesContinueAndShortOnesDoNotPushTheTotals) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const Samples s = Samples::create(db);
    db.exec(QStringLiteral("update fattura set Note = ? where ID = ?"), {note(99), s.invoice});
    PrintJob job = draw(db, 8, s.invoice);
    const RenderedReport& r = job.report;
    keep(r, QStringLiteral("NotaLunga"));
    ASSERT_GE(r.pages.size(), 3);
    const QStringList all = r.texts();
    for (int n = 1; n <= 99; ++n)
        EXPECT_EQ(all.filter(QStringLiteral("Paragrafo %1 di 99:").arg(n)).size(), 1) << n;
    expectInsidePages(r);
    const int last = int(r.pages.size()) - 1;
    const QStringList lastPage = r.texts(last);
    EXPECT_TRUE(lastPage.contains(QStringLiteral("TOTALE DOCUMENTO")));
    EXPECT_FALSE(lastPage.filter(QStringLiteral("Paragrafo 99 di 99")).isEmpty())
        << lastPage.join(u'|').toStdString();

    // A note somewhat longer than the first page's room: two pages, not three.
    db.exec(QStringLiteral("update fattura set Note = ? where ID = ?"), {note(40), s.invoice});
    job = draw(db, 8, s.invoice);
    keep(job.report, QStringLiteral("NotaMedia"));
    EXPECT_EQ(job.report.pages.size(), 2);
    EXPECT_FALSE(job.report.texts(0).filter(QStringLiteral("Paragrafo 1 di 40")).isEmpty());
    EXPECT_EQ(job.report.texts().filter(QStringLiteral("di 40:")).size(), 40);
    EXPECT_TRUE(job.report.texts(1).contains(QStringLiteral("TOTALE DOCUMENTO")));
    expectInsidePages(job.report);
}

// A multi-page invoice carries its running total from page to page, and its
// totals share their page with the last rows.
TEST(PageBreaks, MultiPageInvoicesCarryTheirRunningTotal) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const Samples s = Samples::create(db);
    Samples::addInvoiceRows(db, s.invoice, 25);
    db.exec(QStringLiteral("update fattura set Note = null where ID = ?"), {s.invoice});
    const PrintJob job = draw(db, 8, s.invoice);
    const RenderedReport& r = job.report;
    keep(r, QStringLiteral("Fattura25Righe"));
    ASSERT_EQ(r.pages.size(), 2);
    // Rows 1–3 of the samples make 4.435,90 and each added row 10,00.
    const QStringList first = r.texts(0);
    const QStringList out = first.filter(QStringLiteral("a riportare"));
    ASSERT_EQ(out.size(), 1) << first.join(u'|').toStdString();
    int rowsOnFirst = 3;
    for (int n = 4; n <= 25; ++n)
        if (first.contains(QStringLiteral("Articolo di prova numero %1").arg(n)))
            rowsOnFirst = n;
    const QString carried = QStringLiteral("%1 €").arg(
        QLocale(QLocale::Italian).toString(4435.90 + 10.0 * (rowsOnFirst - 3), 'f', 2));
    EXPECT_TRUE(out.first().endsWith(carried))
        << out.first().toStdString() << " " << carried.toStdString();
    const QStringList second = r.texts(1);
    EXPECT_TRUE(second.contains(QStringLiteral("Riporto imponibile  ") + carried))
        << second.join(u'|').toStdString();
    EXPECT_TRUE(second.contains(QStringLiteral("Articolo di prova numero 25")));
    EXPECT_TRUE(second.contains(QStringLiteral("TOTALE DOCUMENTO")));
    EXPECT_TRUE(r.texts().filter(QStringLiteral("Riporto")).size() == 1);

    // However many rows, the totals page holds at least the last row.
    for (int count : {26, 27, 28, 29, 30, 31, 32, 33, 34}) {
        Samples::addInvoiceRows(db, s.invoice, count);
        const PrintJob j = draw(db, 8, s.invoice);
        const QStringList lastPage = j.report.texts(int(j.report.pages.size()) - 1);
        EXPECT_TRUE(lastPage.contains(QStringLiteral("Articolo di prova numero %1").arg(count)))
            << count;
        EXPECT_TRUE(lastPage.contains(QStringLiteral("TOTALE DOCUMENTO"))) << count;
    }
}

// The half-page quote keeps everything on its half sheet; when its rows do
// not fit, the page says the amount carried and the totals follow the last
// rows on the next half sheet.
TEST(PageBreaks, HalfPageQuoteSaysWhereItGoesOn) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const Samples s = Samples::create(db);
    const PrintJob small = draw(db, 6, s.quote);
    ASSERT_EQ(small.report.pages.size(), 1);
    EXPECT_TRUE(small.report.texts(0).contains(QStringLiteral("TOTALE PREVENTIVO")));
    for (int n = 4; n <= 14; ++n)
        db.insert(QStringLiteral("PreventiRighe"),
                  {{QStringLiteral("Prev_ID"), s.quote},
                   {QStringLiteral("NumeroRiga"), n},
                   {QStringLiteral("Descrizione"), QStringLiteral("Voce aggiuntiva %1").arg(n)},
                   {QStringLiteral("Um"), 1.0},
                   {QStringLiteral("ValoreUnitario"), 10.0},
                   {QStringLiteral("AliquotaIva"), 22.0},
                   {QStringLiteral("Iva_ID"), 1},
                   {QStringLiteral("TotaleImponibile"), 10.0},
                   {QStringLiteral("ValoreTotale"), 12.2}});
    const RenderedReport r = draw(db, 6, s.quote).report;
    keep(r, QStringLiteral("PreventivoMetaLungo"));
    ASSERT_GE(r.pages.size(), 2);
    for (const RenderedPage& page : r.pages)
        for (const DrawItem& d : page.items)
            if (d.kind == DrawItem::Text)
                EXPECT_LE(d.rect.bottom(), r.pageSize.height() / 2) << d.text.toStdString();
    EXPECT_EQ(r.texts(0).filter(QStringLiteral("a riportare")).size(), 1)
        << r.texts(0).join(u'|').toStdString();
    const QStringList last = r.texts(int(r.pages.size()) - 1);
    EXPECT_TRUE(last.contains(QStringLiteral("TOTALE PREVENTIVO")));
    EXPECT_TRUE(last.contains(QStringLiteral("Voce aggiuntiva 14")));
}
