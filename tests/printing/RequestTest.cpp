#include "Samples.h"
#include "TestArchive.h"
#include "db/DbError.h"
#include "printing/DocumentExport.h"
#include "printing/ReportCatalog.h"
#include "printing/ReportData.h"
#include "printing/ReportRequest.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace printing;

namespace {

const QString folder = QStringLiteral("/opt/ossarion/bin/");

RequestRow request(db::Database& db, int code, const QVariant& id = QVariant(),
                   const QString& selection = QString()) {
    ReportCall call;
    call.code = code;
    call.documentId = id;
    call.selection = selection;
    return ReportRequests::write(db, call, folder);
}

int requestCount(db::Database& db, const QString& workstation) {
    return db
        .scalar(QStringLiteral("select count(*) from TempStampa where NomeComputer = ?"),
                {workstation})
        .toInt();
}

} // namespace

TEST(ReportRequest, OneRowPerWorkstationEveryColumnWritten) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        const Samples s = Samples::create(db);
        auto other = a.openAnother(QStringLiteral("ALTRO"));
        ReportCall theirs;
        theirs.code = 1;
        ReportRequests::write(*other, theirs, folder);

        request(db, 1);
        request(db, 8, s.invoice);
        EXPECT_EQ(requestCount(db, QStringLiteral("TEST1")), 1);
        EXPECT_EQ(requestCount(db, QStringLiteral("ALTRO")), 1);

        const std::optional<RequestRow> r = ReportRequests::read(db);
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->program, QStringLiteral("Ossarion"));
        EXPECT_EQ(r->report, folder + QStringLiteral("Fatture.rpt"));
        EXPECT_EQ(r->reportLandscape, folder + QStringLiteral("FattureLan.rpt"));
        EXPECT_EQ(r->query, ReportCatalog::invoiceQuery(QString::number(s.invoice)));
        EXPECT_TRUE(r->query.endsWith(QStringLiteral(" WHERE fattura.ID = %1 order by "
                                                     "fattdett.NumeroRiga,fattdett.TipoRiga, "
                                                     "fattdett.Descrizione")
                                          .arg(s.invoice)));
        EXPECT_EQ(r->subQuery[0],
                  ReportCatalog::invoiceInstalmentsQuery(QString::number(s.invoice)));
        EXPECT_EQ(r->subQuery[1], ReportCatalog::invoiceVatQuery(QString::number(s.invoice)));
        EXPECT_TRUE(r->subQuery[2].isEmpty());
        EXPECT_FALSE(r->filter);
        EXPECT_TRUE(r->setup); // StampanteDefault is off in a new archive
        EXPECT_TRUE(r->letterhead);
        EXPECT_EQ(r->workstation, QStringLiteral("TEST1"));
        EXPECT_FALSE(r->exportMode);
        EXPECT_TRUE(r->exportFile.isEmpty());
    }
}

TEST(ReportRequest, SetupFollowsDefaultPrinterAndIsOffWhenExporting) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        const Samples s = Samples::create(db);
        Samples::setOption(db, QStringLiteral("StampanteDefault"), true);
        EXPECT_FALSE(request(db, 1).setup);
        Samples::setOption(db, QStringLiteral("StampanteDefault"), false);
        EXPECT_TRUE(request(db, 1).setup);

        Samples::setOption(db, QStringLiteral("TipoEsportazione"), 1);
        ReportCall call;
        call.code = 8;
        call.documentId = s.invoice;
        call.exportDocument = true;
        call.exportFile = QStringLiteral("/tmp/Fattura_12_2026.pdf");
        ReportRequests::write(db, call, folder);
        const RequestRow r = *ReportRequests::read(db);
        EXPECT_FALSE(r.setup);
        EXPECT_TRUE(r.exportMode);
        EXPECT_EQ(r.exportFile, call.exportFile);
        EXPECT_EQ(r.exportType, 1);
    }
}

TEST(ReportRequest, LetterheadAndCodesWithoutEntry) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    for (int code : {23, 94, 48, 13})
        EXPECT_FALSE(request(db, code).letterhead) << code;
    for (int code : {22, 95, 8, 1})
        EXPECT_TRUE(request(db, code).letterhead) << code;

    // No entry, outside the range, or a single document with no current
    // record: the row goes out without report or query.
    for (const auto& [code, id] : std::vector<std::pair<int, QVariant>>{{63, QVariant()},
                                                                        {0, QVariant()},
                                                                        {105, QVariant()},
                                                                        {8, QVariant()},
                                                                        {102, QVariant()}}) {
        request(db, code, id);
        const RequestRow r = *ReportRequests::read(db);
        EXPECT_TRUE(r.report.isEmpty()) << code;
        EXPECT_EQ(r.reportLandscape, folder) << code;
        EXPECT_TRUE(r.query.isEmpty()) << code;
        EXPECT_FALSE(r.filter) << code;
        EXPECT_EQ(
            db.scalar(QStringLiteral("select count(*) from TempStampa where NomeReport is null"))
                .toInt(),
            1);
    }
}

TEST(ReportRequest, VariantsFollowTheOptions) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const Samples s = Samples::create(db);
    struct Case {
        int code;
        bool vatPerRow;
        bool quotePrices;
        const char* report;
        const char* landscape;
    };
    const Case cases[] = {
        {8, false, true, "FattureNoRigaIva.rpt", "FattureNoRigaIvaLan.rpt"},
        {8, true, false, "Fatture.rpt", "FattureLan.rpt"},
        {4, false, true, "NoteCreditoNoRigaIva.rpt", "NoteCreditoNoRigaIvaLan.rpt"},
        {4, true, true, "NoteCredito.rpt", "NoteCreditoLan.rpt"},
        {5, true, false, "Preventivi2.rpt", "PreventiviLan2.rpt"},
        {5, false, false, "Preventivi2.rpt", "PreventiviLan2.rpt"},
        {5, false, true, "PreventiviNoRigaIva.rpt", "PreventiviNoRigaIvaLan.rpt"},
        {5, true, true, "Preventivi.rpt", "PreventiviLan.rpt"},
        {6, false, false, "PreventiviMeta.rpt", "PreventiviMetaLan.rpt"},
    };
    for (const Case& c : cases) {
        Samples::setOption(db, QStringLiteral("DocumentiRigaIvato"), c.vatPerRow);
        Samples::setOption(db, QStringLiteral("PrezzoPreventivo"), c.quotePrices);
        const qint64 id = c.code == 8 ? s.invoice : c.code == 4 ? s.creditNote : s.quote;
        const RequestRow r = request(db, c.code, id);
        EXPECT_EQ(r.report, folder + QLatin1String(c.report)) << c.code << c.vatPerRow;
        EXPECT_EQ(r.reportLandscape, folder + QLatin1String(c.landscape)) << c.code;
    }
}

TEST(ReportRequest, ListSelectionIsAddedToTheListsOwnCondition) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        Samples::create(db);
        db.insert(QStringLiteral("Clienti"),
                  {{QStringLiteral("NominativoDocumenti"), QStringLiteral("Annullato Srl")},
                   {QStringLiteral("Citta"), QStringLiteral("Milano")},
                   {QStringLiteral("Annullato"), true}});
        RequestRow r = request(db, 1, QVariant(), QStringLiteral("Clienti.Citta = 'milano'"));
        EXPECT_TRUE(r.filter);
        EXPECT_TRUE(r.query.contains(
            QStringLiteral("FROM Clienti WHERE (((Clienti.Annullato)=0)) AND (Clienti.Citta = "
                           "'milano') order by Clienti.NominativoDocumenti")));
        ReportData d = ReportData::load(db, r);
        ASSERT_EQ(d.main.size(), 1u);
        EXPECT_EQ(d.main.first().text(QStringLiteral("NominativoDocumenti")),
                  QStringLiteral("Bianchi Mario"));

        r = request(
            db, 30, QVariant(),
            QStringLiteral("fattura.Data >= #3/1/2026# and fattura.Data <= #3/31/2026 23.59.59#"));
        d = ReportData::load(db, r);
        ASSERT_EQ(d.main.size(), 1u); // the credit note of the same month is not an invoice
        EXPECT_EQ(d.main.first().integer(QStringLiteral("Num")), 12);
    }
}

// Every query the catalogue writes runs on the engine, and the document
// queries select their document.
TEST(ReportRequest, EveryCatalogueQueryRuns) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        const Samples s = Samples::create(db);
        for (int code : ReportCatalog::codes()) {
            const QVariant id = s.recordFor(code);
            // The sample documents hold three rows, a registry row is one.
            const bool document = code <= 8 || code == 88 || code == 89 || code == 105;
            const std::size_t rows = id.isNull() ? 0 : document ? 3 : 1;
            const RequestRow r = request(db, code, id);
            ASSERT_FALSE(r.query.isEmpty()) << code;
            ReportData d;
            try {
                d = ReportData::load(db, r);
            } catch (const db::DbError& e) {
                FAIL() << code << ": " << e.message().toStdString();
            }
            if (rows > 0)
                EXPECT_EQ(d.main.size(), rows) << code;
            else
                EXPECT_FALSE(d.main.empty()) << code;
        }
        // The invoice's sub-reports: its instalments and its VAT rows.
        const ReportData d = ReportData::load(db, request(db, 8, s.invoice));
        EXPECT_EQ(d.sub[0].size(), 2u);
        EXPECT_EQ(d.sub[1].size(), 3u);
        EXPECT_EQ(d.company.value(QStringLiteral("ragsoc")).toString(),
                  QStringLiteral("Onoranze Funebri Rossi S.r.l."));
    }
}

TEST(ReportRequest, NotWrittenInsideAnOpenTransaction) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    db::Transaction tx(db);
    ReportCall call;
    call.code = 1;
    EXPECT_THROW(ReportRequests::write(db, call, folder), db::DbError);
}

TEST(ReportRequest, StampaReportStartsThePrintProgramAndWaitsOnlyWhenExporting) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const Samples s = Samples::create(db);
    QString program;
    bool waited = true;
    const Launcher launcher = [&](const QString& p, bool wait, const auto&) {
        program = p;
        waited = wait;
        // The row is committed before the program starts.
        auto other = a.openAnother(QStringLiteral("TEST1"));
        EXPECT_TRUE(ReportRequests::read(*other).has_value());
        return true;
    };
    ReportCall call;
    call.code = 8;
    call.documentId = s.invoice;
    StampaReport(db, call, launcher);
    EXPECT_EQ(program, ReportRequests::programFolder() + QStringLiteral("stampa"));
    EXPECT_FALSE(waited);
    call.exportDocument = true;
    call.exportFile = QStringLiteral("/tmp/x.pdf");
    StampaReport(db, call, launcher);
    EXPECT_TRUE(waited);
}

TEST(DocumentExport, FileNameSubjectAndRecipient) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const Samples s = Samples::create(db);
    Samples::setOption(db, QStringLiteral("EstensioneEsportazione"), QStringLiteral("pdf"));

    // A configured folder that does not exist gives way to the program folder.
    Samples::setOption(db, QStringLiteral("CartellaEsportazioneDocumenti"),
                       QStringLiteral("/non/esiste"));
    std::optional<DocumentExport> e =
        DocumentExports::prepare(db, ExportKind::Invoice, s.invoice, folder);
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(e->file, folder + QStringLiteral("Fattura_12_2026.pdf"));
    EXPECT_EQ(e->subject, QStringLiteral("Fattura numero12 del : 02/03/2026"));
    EXPECT_EQ(e->recipient, QStringLiteral("mario.bianchi@example.com"));
    EXPECT_EQ(e->code, 8);

    QTemporaryDir dir;
    Samples::setOption(db, QStringLiteral("CartellaEsportazioneDocumenti"), dir.path());
    e = DocumentExports::prepare(db, ExportKind::Quote, s.quote, folder);
    EXPECT_EQ(e->file, dir.path() + QStringLiteral("/Preventivo_7_2026.pdf"));
    EXPECT_EQ(e->subject, QStringLiteral("Preventivo numero7 del : 20/02/2026"));
    e = DocumentExports::prepare(db, ExportKind::Receipt, s.receipt, folder);
    EXPECT_EQ(QFileInfo(e->file).fileName(), QStringLiteral("Buono_41_2026.pdf"));
    EXPECT_EQ(e->subject, QStringLiteral("Conto numero41 del : 05/03/2026"));
    EXPECT_EQ(e->code, 7);
    EXPECT_FALSE(DocumentExports::prepare(db, ExportKind::Invoice, 99999, folder).has_value());
}

// Without an export folder in the options the files go to the user's
// documents, never next to the program.
TEST(DocumentExport, DefaultFolderIsTheUsersDocuments) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const Samples s = Samples::create(db);
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    const std::optional<DocumentExport> e =
        DocumentExports::prepare(db, ExportKind::Invoice, s.invoice);
    qputenv("HOME", oldHome);
    ASSERT_TRUE(e.has_value());
    const QString expected = home.path() + QStringLiteral("/Documenti/Ossarion");
    EXPECT_EQ(QFileInfo(e->file).absolutePath(), expected);
    EXPECT_TRUE(QFileInfo(expected).isDir());
}
