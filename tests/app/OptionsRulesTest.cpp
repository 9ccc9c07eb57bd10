#include "app/OptionsRules.h"

#include "TestArchive.h"
#include "common/ScriptedInteraction.h"
#include "db/SingleRow.h"
#include "registries/CompanyRules.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using app::OptionsRules;
using registries::CompanyRules;

namespace {

qint64 addArticle(db::Database& db, const QString& name, double price, double discount,
                  double supplierPrice, double s1, double s2, bool cancelled = false) {
    return db.insert("prezziar", {{"Descrizione", name},
                                  {"Prezzo", price},
                                  {"Sconto", discount},
                                  {"PrezzoCompleto", 1.0},
                                  {"AliquotaIva", 4.0},
                                  {"Fornitore_ValoreUnitario", supplierPrice},
                                  {"Fornitore_Sconto1", s1},
                                  {"Fornitore_Sconto2", s2},
                                  {"Annullato", cancelled}});
}

QByteArray picture(const char* format) {
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace

TEST(OptionsRules, ApplyVatRewritesEveryArticleInOneGo) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        const qint64 vat10 = db.insert("Iva", {{"Descrizione", "Iva 10%"}, {"Iva", 10.0}});
        const qint64 plain = addArticle(db, "Lapide", 100, 0, 50, 0, 0);
        // 80 less 10% = 72, +10% VAT = 79.20; supplier 40 less 10% and 10% = 32.40 → 35.64.
        const qint64 discounted = addArticle(db, "Fiori", 80, 10, 40, 10, 10);
        const qint64 cancelled = addArticle(db, "Vecchio", 10, 0, 5, 0, 0, true);

        EXPECT_EQ(OptionsRules::applyVatToArticles(db, vat10, 10), 2);

        const db::Row p = db.query("select * from prezziar where ID = ?", {plain}).first();
        EXPECT_DOUBLE_EQ(p.number("PrezzoCompleto"), 110.0);
        EXPECT_DOUBLE_EQ(p.number("PrezzoFornitore"), 55.0);
        EXPECT_DOUBLE_EQ(p.number("AliquotaIva"), 10.0);
        EXPECT_EQ(p.integer("Iva_Id"), vat10);
        EXPECT_DOUBLE_EQ(p.number("Fornitore_AliquotaIva"), 10.0);
        EXPECT_EQ(p.integer("Fornitore_Iva_id"), vat10);
        const db::Row d = db.query("select * from prezziar where ID = ?", {discounted}).first();
        EXPECT_DOUBLE_EQ(d.number("PrezzoCompleto"), 79.2);
        EXPECT_DOUBLE_EQ(d.number("PrezzoFornitore"), 35.64);
        const db::Row c = db.query("select * from prezziar where ID = ?", {cancelled}).first();
        EXPECT_DOUBLE_EQ(c.number("AliquotaIva"), 4.0);
        EXPECT_FALSE(db.inTransaction());
    }
}

TEST(OptionsRules, ApplyDefaultVatAsksFirstAndReports) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    const qint64 vat = db.insert("Iva", {{"Descrizione", "Iva 22%"}, {"Iva", 22.0}});
    const qint64 article = addArticle(db, "Lapide", 100, 0, 0, 0, 0);

    common::ScriptedInteraction no;
    no.answers.enqueue(false);
    EXPECT_FALSE(OptionsRules::applyDefaultVatToArticles(db, no, vat, 22));
    EXPECT_EQ(no.texts_of("question").size(), 1);
    EXPECT_DOUBLE_EQ(
        db.scalar("select PrezzoCompleto from prezziar where ID = ?", {article}).toDouble(), 1.0);

    common::ScriptedInteraction yes;
    EXPECT_TRUE(OptionsRules::applyDefaultVatToArticles(db, yes, vat, 22));
    ASSERT_EQ(yes.texts_of("information"), QStringList{"Articoli cambiati con successo !"});
    EXPECT_EQ(yes.messages.last().title, "Messaggio di avviso");
    EXPECT_DOUBLE_EQ(
        db.scalar("select PrezzoCompleto from prezziar where ID = ?", {article}).toDouble(), 122.0);

    common::ScriptedInteraction none;
    EXPECT_FALSE(OptionsRules::applyDefaultVatToArticles(db, none, 0, 0));
    EXPECT_TRUE(none.texts_of("question").isEmpty());
    EXPECT_EQ(none.texts_of("error").size(), 1);
}

TEST(OptionsRules, ExportFormatsAreTheActiveOnesWithTheirExtension) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        db.insert("TipoEsportazioniCrystalReport", {{"Numero", 7},
                                                    {"Descrizione", "Foglio di calcolo"},
                                                    {"Estensione", "xls"},
                                                    {"Attivo", true}});
        const auto formats = OptionsRules::exportFormats(db);
        QStringList names;
        for (const auto& f : formats)
            names.append(f.description);
        EXPECT_EQ(names, QStringList({"Foglio di calcolo", "PDF (Adobe Acrobat)"}));
        EXPECT_EQ(OptionsRules::exportExtension(db, 7), "xls");
        EXPECT_EQ(OptionsRules::exportExtension(db, 2), "odt"); // inactive but known
        EXPECT_TRUE(OptionsRules::exportExtension(db, 99).isEmpty());
    }
}

TEST(OptionsRules, FolderChecks) {
    auto f = OptionsRules::checkFolder("  ", false);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->title, "Messaggio di errore");
    EXPECT_EQ(f->text, "Attenzione manca la Cartella di Lavoro");
    f = OptionsRules::checkFolder("", true);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->text, "Attenzione manca la Cartella dele immagini");
    f = OptionsRules::checkFolder("/percorso/che/non/esiste", false);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->text,
              "la Cartella: /percorso/che/non/esiste non esiste più o non è raggiungibile!!!");
    QTemporaryDir dir;
    EXPECT_FALSE(OptionsRules::checkFolder(dir.path(), true));
}

TEST(SingleRow, CreatesTheRowWhenMissingAndKeepsOne) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        db.exec("delete * from opzioni");
        const db::Row row = OptionsRules::load(db);
        EXPECT_TRUE(row.has("TabIniziale"));
        OptionsRules::save(db, {{"TabIniziale", 3}, {"SmtpHost", "smtp.esempio.it"}});
        OptionsRules::save(db, {{"PromemoriaScadenze", true}});
        EXPECT_EQ(db.scalar("select count(*) from opzioni").toInt(), 1);
        // The invoicing-series switch is held by both rows.
        OptionsRules::save(db, {{"FatturazioneMultipla", true}});
        EXPECT_TRUE(CompanyRules::load(db).boolean("FatturazioneMultipla"));
        CompanyRules::save(db, {{"FatturazioneMultipla", false}});
        EXPECT_FALSE(OptionsRules::load(db).boolean("FatturazioneMultipla"));
        const db::Row saved = OptionsRules::load(db);
        EXPECT_EQ(saved.integer("TabIniziale"), 3);
        EXPECT_EQ(saved.text("SmtpHost"), "smtp.esempio.it");
        EXPECT_TRUE(saved.boolean("PromemoriaScadenze"));
    }
}

TEST(CompanyRules, SaveKeepsBothEoriColumnsAndTheLogo) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        const QByteArray png = picture("PNG");
        CompanyRules::save(db, {{"RagSoc", "Onoranze Rossi"}, {"CodOERI", "IT123"}, {"Logo", png}});
        const db::Row row = CompanyRules::load(db);
        EXPECT_EQ(row.text("CodOERI"), "IT123");
        EXPECT_EQ(row.text("CodEori"), "IT123");
        EXPECT_EQ(CompanyRules::name(db), "Onoranze Rossi");
        EXPECT_EQ(row.value("Logo").toByteArray(), png);
        EXPECT_FALSE(CompanyRules::logoImage(row.value("Logo").toByteArray()).isNull());

        CompanyRules::saveLogo(db, {});
        EXPECT_TRUE(CompanyRules::load(db).isNull("Logo"));
    }
}

TEST(CompanyRules, LogoMustBeAPngOrJpegPicture) {
    QTemporaryDir dir;
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    };
    QByteArray bytes;
    EXPECT_FALSE(CompanyRules::readLogo(write("logo.png", picture("PNG")), &bytes));
    EXPECT_EQ(bytes, picture("PNG"));
    EXPECT_FALSE(CompanyRules::readLogo(write("logo.jpg", picture("JPEG")), &bytes));

    QByteArray untouched = "prima";
    auto f = CompanyRules::readLogo(write("logo.bmp", picture("BMP")), &untouched);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->title, "Messaggio di errore");
    EXPECT_EQ(untouched, "prima");
    EXPECT_TRUE(CompanyRules::readLogo(write("finto.png", "non sono un'immagine"), &untouched));
    // A PNG cut short cannot be shown.
    EXPECT_TRUE(CompanyRules::readLogo(write("rotto.png", picture("PNG").left(60)), &untouched));
    EXPECT_TRUE(CompanyRules::readLogo(dir.filePath("manca.png"), &untouched));
    EXPECT_EQ(untouched, "prima");
}
