#include "QtPrinters.h"
#include "Samples.h"
#include "TestArchive.h"
#include "printing/ReportRequest.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef STAMPA_PROGRAM

using namespace printing;

namespace {

// An installation folder whose percorso.txt names the test archive.
struct Installation {
    QTemporaryDir home;
    explicit Installation(const QString& archive) {
        QFile f(home.filePath(QStringLiteral("percorso.txt")));
        f.open(QIODevice::WriteOnly);
        f.write(archive.toUtf8() + "\n");
    }
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("OSSARION_HOME"), home.path());
        env.insert(QStringLiteral("OSSARION_WORKSTATION"), QStringLiteral("TEST1"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.remove(QStringLiteral("OSSARION_ARCHIVE"));
        return env;
    }
};

struct StampaRun {
    int exitCode = -1;
    QString err;
};

StampaRun runStampa(const Installation& inst) {
    QProcess p;
    p.setProcessEnvironment(inst.environment());
    p.start(QStringLiteral(STAMPA_PROGRAM), {});
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

QString pdfText(const QString& file) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

void exportInvoice(db::Database& db, qint64 id, const QString& file) {
    ReportCall call;
    call.code = 8;
    call.documentId = id;
    call.exportDocument = true;
    call.exportFile = file;
    ReportRequests::write(db, call);
}

} // namespace

TEST(Stampa, ExportsTheInvoiceToPdf) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext non installato";
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        const Samples s = Samples::create(db);
        Installation inst(a.address());
        QTemporaryDir out;
        const QString file = out.filePath(QStringLiteral("Fattura_12_2026.pdf"));
        exportInvoice(db, s.invoice, file);

        const StampaRun r = runStampa(inst);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        ASSERT_TRUE(QFileInfo::exists(file));
        const QString text = pdfText(file);
        for (const char* expected :
             {"FATTURA", "n. 12 del 02/03/2026", "Bianchi Mario", "Servizio funebre completo",
              "Cofano in legno di rovere", "Composizione floreale", "4.435,90 €", "759,90 €",
              "5.197,80 €", "Onoranze Funebri Rossi S.r.l."})
            EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                    << text.toStdString();
        if (qEnvironmentVariableIsSet("OSSARION_KEEP_PDF"))
            QFile::copy(file, qEnvironmentVariable("OSSARION_KEEP_PDF"));
    }
}

TEST(Stampa, PrintModeOpensThePreview) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const Samples s = Samples::create(db);
    Samples::addInvoiceRows(db, s.invoice, 60);
    Installation inst(a.address());
    ReportCall call;
    call.code = 8;
    call.documentId = s.invoice;
    ReportRequests::write(db, call);
    QTemporaryDir out;
    const QString png = out.filePath(QStringLiteral("anteprima.png"));
    QProcessEnvironment env = inst.environment();
    env.insert(QStringLiteral("OSSARION_PREVIEW_GRAB"), png);
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(STAMPA_PROGRAM), {});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QImage shot(png);
    EXPECT_GT(shot.width(), 500);
    EXPECT_GT(shot.height(), 500);
}

TEST(Stampa, ARequestItCannotDrawFailsWithAMessage) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    Samples::create(db);
    Installation inst(a.address());
    QTemporaryDir out;
    const QString file = out.filePath(QStringLiteral("x.pdf"));

    exportInvoice(db, 99999, file); // no such invoice
    StampaRun r = runStampa(inst);
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Nessun dato da stampare"))) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(file));

    db.exec(QStringLiteral("delete * from TempStampa"));
    r = runStampa(inst);
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(
        r.err.contains(QStringLiteral("Nessuna richiesta di stampa per la postazione TEST1")))
        << r.err.toStdString();

    QFile::remove(inst.home.filePath(QStringLiteral("percorso.txt")));
    r = runStampa(inst);
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("percorso.txt"))) << r.err.toStdString();
}

#ifdef ADMIN_PROGRAM
TEST(Stampa, AdminPrintCommandExportsAndWaits) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const Samples s = Samples::create(db);
    Installation inst(QStringLiteral("/non/esiste.db")); // the command names its own archive
    QTemporaryDir out;
    const QString file = out.filePath(QStringLiteral("Preventivo_7_2026.pdf"));
    QProcess p;
    p.setProcessEnvironment(inst.environment());
    p.start(QStringLiteral(ADMIN_PROGRAM),
            {QStringLiteral("print"), a.address(), QStringLiteral("5"), QStringLiteral("--id"),
             QString::number(s.quote), QStringLiteral("--export"), file});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    ASSERT_TRUE(QFileInfo::exists(file));
    if (!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        const QString text = pdfText(file);
        EXPECT_TRUE(text.contains(QStringLiteral("PREVENTIVO"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("5.195,80 €"))) << text.toStdString();
    }
    // The request it wrote is the program's own.
    const std::optional<RequestRow> r = ReportRequests::read(db);
    ASSERT_TRUE(r.has_value());
    EXPECT_TRUE(r->exportMode);
    EXPECT_EQ(r->exportFile, file);
    EXPECT_TRUE(r->report.endsWith(QStringLiteral("/Preventivi.rpt")));

    p.start(QStringLiteral(ADMIN_PROGRAM),
            {QStringLiteral("print"), a.address(), QStringLiteral("otto")});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 2);
}
#endif

#endif
