#include "PurchasesFixture.h"
#include "ReceivedXml.h"
#include "common/ScriptedInteraction.h"
#include "purchases/FatturaPaImport.h"
#include "purchases/InvoiceView.h"
#include "purchases/ReceivedFile.h"
#include "purchases/ReceivedStore.h"

#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <openssl/bio.h>
#include <openssl/cms.h>

using namespace purchases;
namespace fx = purchasesFixture;
namespace rx = receivedXml;
using Status = ImportOutcome::Status;

namespace {

const QString kSamples = QStringLiteral("/work/shared/fatturapa/samples");

QStringList sampleFiles() {
    QStringList files;
    QDirIterator it(kSamples, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        if (f.endsWith(QLatin1String(".xml"), Qt::CaseInsensitive) ||
            f.endsWith(QLatin1String(".p7m"), Qt::CaseInsensitive))
            files << f;
    }
    files.sort();
    return files;
}

ImportOutcome importXml(db::Database& d, const QByteArray& bytes, bool p7m = false) {
    common::ScriptedInteraction ui;
    return FatturaPaImport::importBytes(d, ui, bytes, p7m, QDate(2025, 3, 15));
}

// What the archive holds, to compare before and after a refused file.
QString snapshot(db::Database& d) {
    QStringList parts;
    for (const char* t : {"fattura", "Movimenti", "NotaCreditoCaricoRighe", "FatturaScadenze",
                          "Fornitor", "Iva", "finanzia"})
        parts << QString::number(fx::count(d, QStringLiteral("select count(*) from %1").arg(t)));
    return parts.join(u',');
}

db::Row onlyDocument(db::Database& d, const QString& number) {
    const db::Result r = d.query("select * from fattura where NumeroCarico = ?", {number});
    EXPECT_EQ(r.size(), 1u) << number.toStdString();
    return r.empty() ? db::Row() : r.first();
}

// A CMS "data" envelope around the bytes, written as BER with indefinite
// lengths as signing tools stream it.
QByteArray envelope(const QByteArray& content) {
    BIO* in = BIO_new_mem_buf(content.constData(), int(content.size()));
    CMS_ContentInfo* cms = CMS_data_create(in, CMS_BINARY | CMS_STREAM);
    BIO* out = BIO_new(BIO_s_mem());
    BIO* again = BIO_new_mem_buf(content.constData(), int(content.size()));
    i2d_CMS_bio_stream(out, cms, again, CMS_BINARY | CMS_STREAM);
    char* data = nullptr;
    const long size = BIO_get_mem_data(out, &data);
    QByteArray der(data, int(size));
    BIO_free(out);
    BIO_free(in);
    BIO_free(again);
    CMS_ContentInfo_free(cms);
    return der;
}

} // namespace

// Every sample either becomes documents with the figures of the file or is
// refused with its reason; none crashes, and a refused one writes nothing.
TEST(FatturaPaImport, EverySampleImportsOrIsRefused) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        fx::setOption(d, "AggiornaAutomaticamenteInformazioniDaXml", true);
        QSet<QString> refused;
        for (const QString& f : sampleFiles()) {
            const QString before = snapshot(d);
            common::ScriptedInteraction ui;
            const ImportOutcome o = FatturaPaImport::importFile(d, ui, f, QDate(2025, 3, 15));
            EXPECT_FALSE(o.text.isEmpty()) << f.toStdString();
            if (o.status == Status::Refused) {
                refused << QFileInfo(f).fileName();
                EXPECT_EQ(snapshot(d), before) << f.toStdString();
            }
        }
        EXPECT_EQ(refused, (QSet<QString>{"IT02182030391_31_tampered.Base64.xml.p7m",
                                          "IT02182030391_31_tampered.xml.p7m",
                                          "IT02780790107_11009.xml", "IT05979361218_fake.xml.p7m",
                                          "IT01234567890_FPA01_bad.xml", "test.txt.p7m"}));
    }
}

// The figures of single files, each in an archive of its own (several
// samples share supplier, number and date).
TEST(FatturaPaImport, SampleFiguresMatchTheFiles) {
    FOR_EACH_ENGINE(engine) {
        const auto fresh = [&](const char* file, Status expected) {
            auto a = std::make_unique<TestArchive>(engine);
            common::ScriptedInteraction ui;
            EXPECT_EQ(
                FatturaPaImport::importFile(a->db(), ui, kSamples + "/" + file, QDate(2025, 3, 15))
                    .status,
                expected)
                << file;
            return a;
        };
        {
            // The official FPR01: one row, 5,00 + 22% in one instalment.
            auto a = fresh("official-v1.2.2/IT01234567890_FPR01.xml", Status::Imported);
            const db::Row h = onlyDocument(a->db(), "123");
            EXPECT_EQ(h.text("Fornitore"), "SOCIETA' ALPHA SRL");
            EXPECT_EQ(h.date("Data"), QDate(2014, 12, 18));
            EXPECT_TRUE(h.boolean("ImportatoXml"));
            EXPECT_FALSE(h.boolean("FattNota"));
            EXPECT_DOUBLE_EQ(h.number("TotFattura"), 6.10);
            EXPECT_EQ(fx::count(a->db(), "select count(*) from Movimenti"), 1);
            const db::Result s = a->db().query("select * from FatturaScadenze");
            ASSERT_EQ(s.size(), 1u);
            EXPECT_EQ(s[0].text("Tipo"), "C");
            EXPECT_DOUBLE_EQ(s[0].number("Importo"), 6.10);
        }
        {
            // Two bodies; the second 2000 + 440.
            auto a = fresh("official-v1.2.2/IT01234567890_FPR03.xml", Status::Imported);
            EXPECT_EQ(fx::count(a->db(), "select count(*) from fattura"), 2);
            EXPECT_DOUBLE_EQ(onlyDocument(a->db(), "456").number("TotFattura"), 2440);
        }
        {
            // A credit note: 20 − 5 at 22%.
            auto a = fresh("oca-l10n-italy/fatturapa_in/IT01234567890_FPR06.xml", Status::Imported);
            const db::Row n = onlyDocument(a->db(), "123");
            EXPECT_TRUE(n.boolean("FattNota"));
            EXPECT_DOUBLE_EQ(n.number("TotImponibile"), 15);
            EXPECT_DOUBLE_EQ(n.number("TotFattura"), 18.30);
            EXPECT_EQ(fx::count(a->db(), "select count(*) from NotaCreditoCaricoRighe"), 2);
        }
        {
            // A signed envelope, DER with indefinite lengths.
            auto a = fresh("fatturaelettronica-net/IT02182030391_31.xml.p7m", Status::Imported);
            const db::Row h = onlyDocument(a->db(), "2");
            EXPECT_EQ(h.date("Data"), QDate(2018, 6, 8));
            EXPECT_EQ(h.text("Fornitore"), "Azienda di esempio");
            EXPECT_EQ(fx::count(a->db(), "select count(*) from Movimenti"), 1);
        }
        {
            // Letters beyond the Basic Multilingual Plane survive both engines.
            auto a = fresh("python-a38/unicode.xml", Status::Imported);
            EXPECT_EQ(onlyDocument(a->db(), "1").text("Fornitore"),
                      QString::fromUtf8("Astérix le Gaulois"));
            EXPECT_EQ(a->db().scalar("select Descrizione from Movimenti").toString(),
                      QString::fromUtf8("🎂🥮🍰🧁"));
        }
    }
}

TEST(FatturaPaImport, EncodingsAndEnvelopesKeepAccentedLetters) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        // windows-1252: "è" is E8, the euro sign 80, the right quote 92.
        rx::File f;
        f.encoding = QStringLiteral("windows-1252");
        f.bodies[0].number = QStringLiteral("W1");
        f.bodies[0].lines[0].description = QStringLiteral("Caffè XX YY");
        QByteArray bytes = rx::text(f).toLatin1();
        bytes.replace("XX", "\x80")
            .replace("YY", "l\x92"
                           "arco");
        ASSERT_EQ(importXml(d, bytes).status, Status::Imported);
        EXPECT_EQ(d.scalar("select Descrizione from Movimenti").toString(),
                  QString::fromUtf8("Caffè € l’arco"));

        // ISO-8859-1 with a byte-order mark and blanks before the first "<"
        // would be wrong; UTF-8 with BOM is right.
        rx::File u;
        u.bodies[0].number = QStringLiteral("U1");
        u.bodies[0].lines[0].description = QStringLiteral("Perché così");
        ASSERT_EQ(importXml(d, "\xEF\xBB\xBF  \n" + rx::utf8(u)).status, Status::Imported);
        EXPECT_EQ(fx::count(d, "select count(*) from Movimenti where Descrizione = ?",
                            {QStringLiteral("Perché così")}),
                  1);

        // In a signed envelope: DER with indefinite lengths, then base64 of
        // it wrapped at 64 with CRLF, then base64 of that base64.
        rx::File p;
        p.bodies[0].number = QStringLiteral("P1");
        p.bodies[0].lines[0].description = QStringLiteral("Lapide in granito è già pronta");
        const QByteArray der = envelope(rx::utf8(p));
        ASSERT_EQ(importXml(d, der, true).status, Status::Imported);
        EXPECT_EQ(fx::count(d, "select count(*) from Movimenti where Descrizione = ?",
                            {QStringLiteral("Lapide in granito è già pronta")}),
                  1);
        QByteArray wrapped;
        const QByteArray b64 = der.toBase64();
        for (int i = 0; i < b64.size(); i += 64)
            wrapped += b64.mid(i, 64) + "\r\n";
        EXPECT_EQ(ReceivedFile::openEnvelope(wrapped), rx::utf8(p));
        EXPECT_EQ(ReceivedFile::openEnvelope(wrapped.toBase64()), rx::utf8(p));

        // Text search, when OpenSSL cannot read the envelope: the root
        // carries the "p:" prefix and there is no declaration.
        QByteArray broken =
            "\x30\x80garbage" + rx::utf8(p).mid(rx::utf8(p).indexOf("<p:")) + "\x00\x00";
        const ReceivedFile found = ReceivedFile::fromBytes(broken, true);
        EXPECT_TRUE(found.error.isEmpty());
        EXPECT_TRUE(found.xml.startsWith("<p:FatturaElettronica"));
        EXPECT_TRUE(found.xml.endsWith("</p:FatturaElettronica>"));
    }
}

TEST(FatturaPaImport, BrokenFilesLeaveTheArchiveAsItWas) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        fx::setOption(d, "AggiornaAutomaticamenteInformazioniDaXml", true);
        rx::File f;
        f.bodies.append(rx::Body{});
        f.bodies[1].number = QStringLiteral("2");
        const QByteArray whole = rx::utf8(f);
        const QString before = snapshot(d);
        // Cut in the middle of the second body.
        const ImportOutcome cut = importXml(d, whole.left(whole.size() - 200));
        EXPECT_EQ(cut.status, Status::Refused);
        EXPECT_TRUE(cut.text.startsWith("Il file non è un XML valido")) << cut.text.toStdString();
        // An envelope whose bytes were changed.
        QByteArray tampered = envelope(whole);
        tampered[2] = '\x7f';
        tampered.truncate(tampered.size() / 2);
        EXPECT_EQ(importXml(d, tampered, true).status, Status::Refused);
        // Not an invoice at all.
        EXPECT_EQ(importXml(d, "<html><body/></html>").status, Status::Refused);
        EXPECT_EQ(snapshot(d), before);
    }
}

TEST(FatturaPaImport, ReimportSuppliersKindsAndLinks) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        auto& d = a.db();
        fx::setOption(d, "AggiornaAutomaticamenteInformazioniDaXml", true);
        // A supplier with a quote in its name, a number with a quote, three
        // discounts, two instalments.
        rx::File f;
        f.name = QStringLiteral("Marmi L'Arco Srl");
        rx::Body& b = f.bodies[0];
        b.number = QStringLiteral("7'A");
        b.lines[0].discounts = {"10.00", "5.00", "2.00"};
        b.lines[0].total = QStringLiteral("83.79");
        b.lines.append(rx::Line{QStringLiteral("Posa"), "2.00", "50.00", "100.00", "22.00"});
        b.payments = {"100.00", "104.22"};
        ASSERT_EQ(importXml(d, rx::utf8(f)).status, Status::Imported);
        const db::Row h = onlyDocument(d, "7'A");
        EXPECT_EQ(h.text("Fornitore"), "Marmi L'Arco Srl");
        EXPECT_EQ(h.integer("ProgressivoCarico"), 1);
        EXPECT_EQ(h.date("DataRegistrazione"), QDate(2025, 3, 15));
        EXPECT_DOUBLE_EQ(h.number("TotFattura"), 224.22);
        const db::Row row = d.query("select * from Movimenti where NumeroRiga = 1").first();
        EXPECT_DOUBLE_EQ(row.number("Sconto"), 10);
        EXPECT_DOUBLE_EQ(row.number("Sconto2"), 5);
        EXPECT_DOUBLE_EQ(row.number("Sconto3"), 2);
        EXPECT_EQ(row.text("TipoRiga"), "A");
        EXPECT_EQ(fx::count(d, "select count(*) from FatturaScadenze where Tipo = 'C'"), 2);

        // Again with a third row: one document, the new row only, the same
        // instalments.
        b.lines.append(rx::Line{QStringLiteral("Trasporto"), "1.00", "10.00", "10.00", "22.00"});
        const ImportOutcome again = importXml(d, rx::utf8(f));
        EXPECT_EQ(again.status, Status::Added);
        EXPECT_EQ(fx::count(d, "select count(*) from fattura"), 1);
        EXPECT_EQ(fx::count(d, "select count(*) from Movimenti"), 3);
        EXPECT_EQ(fx::count(d, "select count(*) from FatturaScadenze"), 2);
        EXPECT_EQ(importXml(d, rx::utf8(f)).status, Status::Skipped);

        // The supplier renamed in a later file: renamed on all its documents.
        rx::File renamed;
        renamed.name = QStringLiteral("Marmi Nuovi Srl");
        renamed.bodies[0].number = QStringLiteral("8");
        ASSERT_EQ(importXml(d, rx::utf8(renamed)).status, Status::Imported);
        EXPECT_EQ(fx::count(d, "select count(*) from fattura where Fornitore = 'Marmi Nuovi Srl'"),
                  2);
        EXPECT_EQ(fx::count(d, "select count(*) from Fornitor"), 1);

        // Advance invoices are left out; a credit note names an invoice not
        // registered (no reference) and one registered (referred to).
        rx::File other;
        other.bodies[0].type = QStringLiteral("TD02");
        other.bodies[0].number = QStringLiteral("A1");
        rx::Body credit;
        credit.type = QStringLiteral("TD04");
        credit.number = QStringLiteral("NC1");
        credit.linkedNumber = QStringLiteral("999");
        credit.linkedDate = QStringLiteral("2025-01-01");
        rx::Body credit2 = credit;
        credit2.number = QStringLiteral("NC2");
        credit2.linkedNumber = QStringLiteral("8");
        credit2.linkedDate = QStringLiteral("2025-03-10");
        other.bodies << credit << credit2;
        other.name = QStringLiteral("Marmi Nuovi Srl");
        ASSERT_EQ(importXml(d, rx::utf8(other)).status, Status::Imported);
        EXPECT_EQ(fx::count(d, "select count(*) from fattura where NumeroCarico = 'A1'"), 0);
        EXPECT_TRUE(onlyDocument(d, "NC1").isNull("NCFattIDRif"));
        const db::Row nc2 = onlyDocument(d, "NC2");
        EXPECT_EQ(nc2.integer("NCFattIDRif"), onlyDocument(d, "8").integer("Id"));
        EXPECT_EQ(nc2.text("NCFattNumRifCarico"), "8");
        EXPECT_TRUE(nc2.boolean("FattNota"));

        // A professional named by surname and name.
        rx::File person;
        person.name.clear();
        person.firstName = QStringLiteral("Mario");
        person.lastName = QStringLiteral("Rossi");
        person.vat = QStringLiteral("99999999999");
        person.bodies[0].number = QStringLiteral("P1");
        ASSERT_EQ(importXml(d, rx::utf8(person)).status, Status::Imported);
        EXPECT_EQ(onlyDocument(d, "P1").text("Fornitore"), "Rossi Mario");
        EXPECT_EQ(d.scalar("select Fornitore from Fornitor where Iva = '99999999999'").toString(),
                  "Rossi Mario");
    }
}

TEST(FatturaPaImport, AFileForAnotherCompanyAsksFirst) {
    TestArchive a(db::Engine::SQLite);
    auto& d = a.db();
    d.exec("UPDATE ditta SET CodFisc = 'XXXYYY00A01H501U', CodiceSdi = 'ABC1234', Pec = ''");
    const QString before = snapshot(d);
    common::ScriptedInteraction no;
    no.answers.enqueue(false);
    const ImportOutcome o = FatturaPaImport::importBytes(d, no, rx::utf8(rx::File{}), false);
    EXPECT_EQ(o.status, Status::Skipped);
    ASSERT_EQ(no.messages.size(), 1);
    EXPECT_EQ(no.messages[0].text, FatturaPaImport::notOursQuestion());
    EXPECT_EQ(snapshot(d), before);
    // Addressed to the company by its tax code: no question.
    d.exec("UPDATE ditta SET CodFisc = 'rssmra80a01h501u'");
    common::ScriptedInteraction quiet;
    EXPECT_EQ(FatturaPaImport::importBytes(d, quiet, rx::utf8(rx::File{}), false).status,
              Status::Imported);
    EXPECT_TRUE(quiet.messages.isEmpty());
}

// The received file and the files embedded in it stay with the document;
// "Visualizza" renders the file with the official stylesheet.
TEST(FatturaPaImport, KeepsTheFileItsAttachmentsAndShowsIt) {
    TestArchive a(db::Engine::SQLite);
    auto& d = a.db();
    QTemporaryDir folder;
    common::ScriptedInteraction ui;
    const ImportOutcome o = FatturaPaImport::importFile(
        d, ui, kSamples + "/oca-l10n-italy/fatturapa_out/IT06363391001_00003.xml",
        QDate(2025, 3, 15), folder.path());
    ASSERT_EQ(o.status, Status::Imported);
    const qint64 id = d.scalar("select Id from fattura").toLongLong();
    const QString xml = ReceivedStore::xmlPath(d, id);
    ASSERT_TRUE(QFile::exists(xml));
    const db::Result files =
        d.query("select * from Fattura_Allegati where Fattura_Id = ? order by id", {id});
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[1].text("NomeAttachment"), "test1.pdf");
    QFile pdf(files[1].text("PercorsoCompleto"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));

    const QString html = folder.filePath("vista.html");
    EXPECT_FALSE(InvoiceView::render(xml, InvoiceView::stylesheetFor(xml), html));
    QFile out(html);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_TRUE(out.readAll().contains("INV/2016/0015"));
    EXPECT_TRUE(InvoiceView::render(QString(), InvoiceView::stylesheetFor(xml), html).has_value());
}
