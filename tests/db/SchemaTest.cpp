#include "db/Schema.h"

#include "TestArchive.h"
#include "db/SchemaCatalog.h"

#include <gtest/gtest.h>

using db::Engine;

TEST(Schema, NewArchiveHasEveryTableAndTheStartingRows) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& d = a.db();
        EXPECT_EQ(db::Schema::currentVersion(d), db::Schema::latestVersion());
        for (const QString& table : db::SchemaCatalog::instance().tableNames()) {
            if (table == "Prova" || table == "Altra")
                continue; // made by other tests in this process
            EXPECT_TRUE(d.tableExists(table)) << table.toStdString();
        }
        EXPECT_EQ(d.scalar("select count(*) as N from opzioni").toInt(), 1);
        EXPECT_EQ(d.scalar("select count(*) as N from ditta").toInt(), 1);
        EXPECT_EQ(
            d.scalar("select count(*) as N from PA_RegimeFiscale where Codice = 'RF20'").toInt(),
            1);
        EXPECT_EQ(
            d.scalar("select count(*) as N from PA_TipoDocumento where Codice = 'TD29'").toInt(),
            1);
        EXPECT_EQ(d.scalar("select count(*) as N from TipologiaPrimaNota").toInt(), 3);
        EXPECT_GE(d.scalar("select count(*) as N from Nazioni").toInt(), 200);
        EXPECT_EQ(d.scalar("select count(*) as N from regioni").toInt(), 20);
        EXPECT_TRUE(d.scalar("select Descrizione from TipoEsportazioniCrystalReport where Attivo = "
                             "true")
                        .toString()
                        .startsWith("PDF"));
        // Rows seeded with their keys leave the numbering after them.
        const int maxIva = d.scalar("select max(ID) as M from Iva").toInt();
        EXPECT_GT(d.insert("Iva", {{"Descrizione", "Nuova"}, {"Iva", 7.0}}), maxIva);
        const qint64 defaultVat = d.scalar("select Iva_Id from opzioni").toLongLong();
        EXPECT_DOUBLE_EQ(d.scalar("select Iva from Iva where ID = ?", {defaultVat}).toDouble(),
                         22.0);
    }
}

TEST(Schema, OlderArchiveIsBroughtUpToDateOnce) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine, TestArchive::Content::Structure);
        db::Database& d = a.db();
        EXPECT_EQ(db::Schema::currentVersion(d), 1);
        EXPECT_EQ(d.scalar("select count(*) as N from opzioni").toInt(), 0);
        // An archive made before area positions existed lacks their table.
        d.exec("DROP TABLE PosizioniCimitero");
        // Nor did invoices keep when they were exported.
        d.exec("ALTER TABLE fattura DROP COLUMN DataEsportazioneXml");
        EXPECT_FALSE(d.columnExists("fattura", "DataEsportazioneXml"));
        QList<int> seen;
        db::Schema::upgrade(d, db::Schema::latestVersion(),
                            [&](int v, const QString&) { seen.append(v); });
        EXPECT_EQ(seen.first(), 2);
        EXPECT_EQ(db::Schema::currentVersion(d), db::Schema::latestVersion());
        const int natures = d.scalar("select count(*) as N from PA_Natura").toInt();
        EXPECT_GT(natures, 20);
        EXPECT_TRUE(d.tableExists("PosizioniCimitero"));
        EXPECT_TRUE(d.columnExists("fattura", "DataEsportazioneXml"));
        d.insert("PosizioniCimitero", {{"Area_Id", 1}, {"Fila", "1"}, {"Numero", "2"}});
        // A second workstation opening the same archive finds nothing to do.
        auto other = a.openAnother("TEST2");
        db::Schema::upgrade(*other);
        EXPECT_EQ(d.scalar("select count(*) as N from PA_Natura").toInt(), natures);
        EXPECT_EQ(d.scalar("select count(*) as N from opzioni").toInt(), 1);
    }
}

TEST(Schema, ScriptsSplitAsUpgradeScriptsDo) {
    EXPECT_EQ(db::splitScript("a;b", false), (QStringList{"a", "b"}));
    EXPECT_EQ(db::splitScript("a;;b;", false), (QStringList{"a", "", "b"}));
    EXPECT_EQ(db::splitScript("insert into t values ('x;y');c", false),
              (QStringList{"insert into t values ('x;y')", "c"}));
    EXPECT_TRUE(db::splitScript("", false).isEmpty());
}

TEST(Schema, ArticlesTakeTheRateOfTheirVatCodeOnUpgrade) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine, TestArchive::Content::Structure);
        db::Database& d = a.db();
        db::Schema::upgrade(d, 4);
        // An article saved with its code only, as the old demo archive did.
        const qint64 id = d.insert("prezziar", {{"Codice", "URNA"},
                                                {"Prezzo", 100.0},
                                                {"Sconto", 10.0},
                                                {"PrezzoCompleto", 90.0},
                                                {"Iva_Id", 1}});
        const qint64 free =
            d.insert("prezziar", {{"Codice", "LIBERO"}, {"Prezzo", 50.0}, {"AliquotaIva", 4.0}});
        d.exec("UPDATE opzioni SET Iva_Id = 2, AliquotaIva = 0");
        db::Schema::upgrade(d);
        const db::Row article = d.query("select * from prezziar where Id = ?", {id}).first();
        EXPECT_DOUBLE_EQ(article.number("AliquotaIva"), 22);
        EXPECT_DOUBLE_EQ(article.number("PrezzoCompleto"), 109.8);
        // Without a code the stored rate stays.
        EXPECT_DOUBLE_EQ(
            d.scalar("select AliquotaIva from prezziar where Id = ?", {free}).toDouble(), 4);
        EXPECT_DOUBLE_EQ(d.scalar("select AliquotaIva from opzioni").toDouble(), 10);
    }
}

// SdI codes kept in "Codice cliente" move to "Codice destinatario"; the
// firm's own codes stay.
TEST(Schema, RecipientCodesMoveToTheirOwnField) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine, TestArchive::Content::Structure);
        db::Database& d = a.db();
        db::Schema::upgrade(d, 5);
        auto add = [&](const QVariant& code, bool office = false, const QVariant& own = {}) {
            return d.insert("Clienti", {{"Cliente", "X"},
                                        {"Codice", code},
                                        {"PubblicaAmministrazione", office},
                                        {"CodiceUnivocoUfficio", own}});
        };
        const qint64 sdi = add(" m5uxcr1 ");
        const qint64 foreign = add("XXXXXXX");
        const qint64 internal = add("CLI0042");
        const qint64 number = add("0004211");
        const qint64 letters = add("ROSSIMA");
        const qint64 office = add("KRRH6B9", true);
        const qint64 both = add("SUBM70N", false, "T04ZHR3");
        const qint64 none = add(QVariant());
        db::Schema::upgrade(d);
        auto row = [&](qint64 id) {
            const db::Row r =
                d.query("select Codice, CodiceUnivocoUfficio from Clienti where ID = ?", {id})
                    .first();
            return QStringList{r.text("Codice"), r.text("CodiceUnivocoUfficio")};
        };
        EXPECT_EQ(row(sdi), QStringList({"", "M5UXCR1"}));
        EXPECT_EQ(row(foreign), QStringList({"", "XXXXXXX"}));
        EXPECT_EQ(row(internal), QStringList({"CLI0042", ""}));
        EXPECT_EQ(row(number), QStringList({"0004211", ""}));
        EXPECT_EQ(row(letters), QStringList({"ROSSIMA", ""}));
        EXPECT_EQ(row(office), QStringList({"KRRH6B9", ""}));
        EXPECT_EQ(row(both), QStringList({"SUBM70N", "T04ZHR3"}));
        EXPECT_EQ(row(none), QStringList({"", ""}));
    }
}

// The transmission counter starts after every progressive already given.
TEST(Schema, TransmissionCounterStartsAfterTheDocuments) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine, TestArchive::Content::Structure);
        db::Database& d = a.db();
        db::Schema::upgrade(d, 6);
        d.insert("fattura", {{"DatiTrasmissione_ProgressivoInvio", 120},
                             {"DatiTrasmissione_NumeroInterno", 118}});
        d.insert("fattura", {{"DatiTrasmissione_ProgressivoInvio", 7},
                             {"DatiTrasmissione_NumeroInterno", 119}});
        db::Schema::upgrade(d);
        EXPECT_EQ(d.scalar("select count(*) as N from ProgressivoTrasmissione").toInt(), 1);
        EXPECT_EQ(d.scalar("select Ultimo from ProgressivoTrasmissione").toLongLong(), 120);
    }
}

// Archives without the payment reason of the withholding tax get it, "A".
TEST(Schema, WithholdingPaymentReasonIsAdded) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine, TestArchive::Content::Structure);
        db::Database& d = a.db();
        db::Schema::upgrade(d, 7);
        d.exec("ALTER TABLE opzioni DROP COLUMN CausalePagamentoRitenuta");
        db::Schema::upgrade(d);
        EXPECT_EQ(d.scalar("select CausalePagamentoRitenuta from opzioni").toString(), "A");
    }
}
