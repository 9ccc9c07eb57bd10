#include "Samples.h"
#include "TestArchive.h"
#include "printing/PrintJob.h"
#include "printing/ReportCatalog.h"
#include "printing/ReportData.h"
#include "printing/ReportRenderer.h"
#include "printing/ReportTemplate.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace printing;

namespace {

db::Result result(const QStringList& columns, const QList<QVariantList>& rows) {
    db::Result r;
    r.columns = columns;
    const auto shared = std::make_shared<const db::RowColumns>(columns);
    for (const QVariantList& values : rows)
        r.rows.emplace_back(shared, values);
    return r;
}

QHash<QString, QVariant> company() {
    return {{QStringLiteral("ragsoc"), QStringLiteral("Onoranze Funebri Rossi S.r.l.")},
            {QStringLiteral("via"), QStringLiteral("Via Roma")},
            {QStringLiteral("numero"), QStringLiteral("12")},
            {QStringLiteral("cap"), QStringLiteral("20121")},
            {QStringLiteral("comune"), QStringLiteral("Milano")},
            {QStringLiteral("provincia"), QStringLiteral("MI")},
            {QStringLiteral("piva"), QStringLiteral("01234567890")},
            {QStringLiteral("codfisc"), QStringLiteral("01234567890")},
            {QStringLiteral("email"), QStringLiteral("info@rossi.example")},
            {QStringLiteral("pec"), QStringLiteral("rossi@pec.example")}};
}

// The lines of the letterhead a company of company() prints.
const QString companyAddress = QStringLiteral("Via Roma 12 - 20121 Milano (MI)");
const QString companyMail = QStringLiteral("info@rossi.example · PEC rossi@pec.example");

RenderedReport renderText(const QByteArray& json, const ReportData& data) {
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("Prova.json")));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(json);
    f.close();
    QString error;
    const QJsonObject t = ReportTemplates::load(QStringLiteral("Prova"), {dir.path()}, &error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    return ReportRenderer::render(t, data);
}

QString renderError(const QByteArray& json, const ReportData& data) {
    try {
        renderText(json, data);
    } catch (const RenderError& e) {
        return e.message;
    }
    return QString();
}

} // namespace

// Rows that carry the company's column names (a bank's address, a document
// number, a customer's e-mail) never take the seller's place in the
// letterhead of any shipped template.
TEST(ReportNames, EveryTemplatePrintsTheCompanyNotTheRowInItsLetterhead) {
    const QStringList columns = {
        QStringLiteral("Via"),      QStringLiteral("Numero"),    QStringLiteral("Cap"),
        QStringLiteral("Comune"),   QStringLiteral("Provincia"), QStringLiteral("Email"),
        QStringLiteral("Pec"),      QStringLiteral("RagSoc"),    QStringLiteral("PIva"),
        QStringLiteral("Internet"), QStringLiteral("Tel")};
    const QVariantList values = {QStringLiteral("Piazza Garibaldi"),
                                 QStringLiteral("8"),
                                 QStringLiteral("35100"),
                                 QStringLiteral("Padova"),
                                 QStringLiteral("PD"),
                                 QStringLiteral("cliente@example.com"),
                                 QStringLiteral("cliente@pec.example"),
                                 QStringLiteral("Banca di Padova"),
                                 QStringLiteral("99999999999"),
                                 QStringLiteral("www.cliente.example"),
                                 QStringLiteral("049 000000")};
    ReportData data;
    data.request.letterhead = true;
    data.main = result(columns, {values, values});
    for (auto& sub : data.sub)
        sub = result(columns, {values});
    data.company = company();

    const QStringList folders = ReportTemplates::defaultFolders();
    int drawn = 0;
    for (const QString& folder : folders) {
        for (const QString& file : QDir(folder).entryList({QStringLiteral("*.json")})) {
            if (file.startsWith(u'_'))
                continue;
            const QString name = file.chopped(5);
            QString error;
            const QJsonObject t = ReportTemplates::load(name, folders, &error);
            ASSERT_TRUE(error.isEmpty()) << error.toStdString();
            RenderedReport r;
            try {
                r = ReportRenderer::render(t, data);
            } catch (const RenderError& e) {
                ADD_FAILURE() << name.toStdString() << ": " << e.message.toStdString();
                continue;
            }
            ++drawn;
            const QStringList first = r.texts(0);
            const QString all = first.join(u'\n');
            EXPECT_TRUE(first.contains(companyAddress)) << name.toStdString() << "\n"
                                                        << all.toStdString();
            EXPECT_TRUE(first.contains(companyMail)) << name.toStdString();
            EXPECT_TRUE(all.contains(QStringLiteral("P.IVA 01234567890"))) << name.toStdString();
            for (const QString& wrong :
                 {QStringLiteral("Via Roma 8"), QStringLiteral("20121 Padova"),
                  QStringLiteral("Padova (MI)"), QStringLiteral("Milano (PD)"),
                  QStringLiteral("P.IVA 99999999999"), QStringLiteral("Piazza Garibaldi 12")})
                EXPECT_FALSE(all.contains(wrong))
                    << name.toStdString() << ": " << wrong.toStdString();
        }
    }
    EXPECT_GE(drawn, 20);
}

// Through the catalogue's own queries: the bank's and the customer's
// addresses of an invoice, a quote's number, a privacy form's customer.
TEST(ReportNames, CatalogueReportsPrintTheCompanyAddress) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const Samples s = Samples::create(db);
    db.exec(QStringLiteral("update Bank set Via = 'Piazza Garibaldi', Numero = '8', Cap = '35100', "
                           "Comune = 'Padova', Provincia = 'PD'"));
    for (int code : ReportCatalog::codes()) {
        ReportCall call;
        call.code = code;
        call.documentId = s.recordFor(code);
        ReportRequests::write(db, call, QStringLiteral("/opt/ossarion/"));
        const PrintJob job = PrintJobs::prepare(db);
        if (!job.request.letterhead)
            continue;
        const QStringList first = job.report.texts(0);
        EXPECT_TRUE(first.contains(companyAddress)) << code << "\n"
                                                    << first.join(u'|').toStdString();
        EXPECT_TRUE(first.contains(companyMail)) << code;
    }
}

// A qualified name reads its own source; an unqualified one that two
// sources carry stops the print before anything is drawn.
TEST(ReportNames, QualifiedNamesAndAmbiguousNames) {
    ReportData data;
    data.request.letterhead = true;
    data.company = company();
    data.main = result({QStringLiteral("Numero"), QStringLiteral("Via"), QStringLiteral("Cliente")},
                       {{7, QStringLiteral("Via Bassa"), QStringLiteral("Bianchi")}});
    data.sub[0] =
        result({QStringLiteral("Numero"), QStringLiteral("Importo")}, {{1, 10.0}, {2, 20.0}});

    const RenderedReport r = renderText(R"J({"body": [
        {"type": "text", "lines": ["{ditta.Via} {ditta.Numero}|{Via} {main.Numero}"]},
        {"type": "table", "source": "sub1", "columns": [
            {"title": "N", "value": "{sub1.Numero}/{main.Numero}"},
            {"title": "I", "value": "{Importo|money}", "total": "{sum(Importo)|money}"}]}]})J",
                                        data);
    const QStringList texts = r.texts();
    EXPECT_TRUE(texts.contains(QStringLiteral("Via Roma 12|Via Bassa 7")))
        << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("1/7")));
    EXPECT_TRUE(texts.contains(QStringLiteral("2/7")));
    EXPECT_TRUE(texts.contains(QStringLiteral("30,00")));
    EXPECT_TRUE(r.unknownNames.isEmpty()) << r.unknownNames.join(u',').toStdString();

    // The sub-report's Numero and the main row's.
    QString e = renderError(R"J({"body": [{"type": "table", "source": "sub1",
        "columns": [{"title": "N", "value": "{Numero}"}]}]})J",
                            data);
    EXPECT_TRUE(e.contains(QStringLiteral("\"Numero\""))) << e.toStdString();
    EXPECT_TRUE(e.contains(QStringLiteral("sub1.Numero"))) << e.toStdString();
    // A column and a name of the template, in a condition.
    e = renderError(
        R"J({"let": {"Cliente": "'x'"}, "body": [{"type": "text", "if": "not empty(Cliente)",
        "lines": ["a"]}]})J",
        data);
    EXPECT_TRUE(e.contains(QStringLiteral("\"Cliente\""))) << e.toStdString();
    // A column and a variable of the print.
    data.main = result({QStringLiteral("Title")}, {{QStringLiteral("x")}});
    e = renderError(R"J({"footer": {"left": "{title}"}})J", data);
    EXPECT_TRUE(e.contains(QStringLiteral("\"title\""))) << e.toStdString();
    // A source nobody knows.
    e = renderError(R"J({"body": [{"type": "text", "lines": ["{banca.Via}"]}]})J", data);
    EXPECT_TRUE(e.contains(QStringLiteral("banca.Via"))) << e.toStdString();
}
