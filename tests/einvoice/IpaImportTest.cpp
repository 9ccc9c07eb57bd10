#include "einvoice/IpaImport.h"

#include "TestArchive.h"
#include "db/DbError.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

QString fixture(const char* name) {
    return QDir(QStringLiteral(OSSARION_IPA_FILES)).filePath(QString::fromLatin1(name));
}

void addTowns(db::Database& db) {
    db.insert("Comuni", {{"Comune", "Roma"},
                         {"Provincia", "RM"},
                         {"COD_ISTAT", "058091"},
                         {"CODICE_F", "H501"},
                         {"Cap", "00100"}});
    db.insert("Comuni", {{"Comune", "Padova"},
                         {"Provincia", "PD"},
                         {"COD_ISTAT", "028060"},
                         {"CODICE_F", "G224"},
                         {"Cap", "35100"}});
    db.insert("Comuni", {{"Comune", "Romano di Lombardia"},
                         {"Provincia", "BG"},
                         {"COD_ISTAT", "016183"},
                         {"CODICE_F", "H509"}});
}

qint64 townId(db::Database& db, const QString& name) {
    return db.scalar("select ID from Comuni where Comune = ?", {name}).toLongLong();
}

int offices(db::Database& db) {
    return db.scalar("select count(*) as N from PA_Amministrazioni_FatturaElettronica").toInt();
}

} // namespace

// The open-data file replaces the directory: quoted fields, towns found by
// ISTAT or cadastral code, the invoicing service's tax code preferred.
TEST(IpaImport, LoadsTheOfficesOfTheOpenDataFile) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        addTowns(db);
        db.insert("PA_Amministrazioni_FatturaElettronica",
                  {{"DescrizionePA", "Vecchio ente"}, {"codice_univoco", "OLD001"}});
        QList<qint64> seen;
        const einvoice::IpaImportResult r =
            einvoice::IpaImport::run(db, fixture("uffici.csv"), [&](qint64 done, qint64 total) {
                seen.append(done);
                EXPECT_EQ(total, 5);
                return true;
            });
        EXPECT_EQ(r.offices, 4);
        EXPECT_EQ(r.skipped, 1);
        EXPECT_EQ(r.withoutTown, 1);
        EXPECT_EQ(seen.value(seen.size() - 1), 5);
        EXPECT_EQ(offices(db), 4);

        const db::Row rome = db.query("select * from PA_Amministrazioni_FatturaElettronica "
                                      "where codice_univoco = 'ABC123'")
                                 .first();
        EXPECT_EQ(rome.text("DescrizionePA"), "Roma Capitale");
        EXPECT_EQ(rome.text("DescrizioneUfficio"),
                  "Uff_eFatturaPA; Dipartimento \"Servizi\" Cimiteriali");
        EXPECT_EQ(rome.text("codice_Amministrazione"), "c_h501");
        EXPECT_EQ(rome.text("cf"), "02438750586"); // no service code: the entity's
        EXPECT_EQ(rome.text("cap"), "00186");
        EXPECT_EQ(rome.text("indirizzo"), "Via del Campidoglio 1");
        EXPECT_EQ(rome.text("tipologia_istat"), "Comuni e loro Consorzi e Associazioni");
        EXPECT_EQ(rome.integer("Comune_Id"), townId(db, "Roma"));

        const db::Row padova = db.query("select * from PA_Amministrazioni_FatturaElettronica "
                                        "where codice_univoco = 'DEF456'")
                                   .first();
        EXPECT_EQ(padova.text("cf"), "80008170280");
        EXPECT_EQ(padova.integer("Comune_Id"), townId(db, "Padova")); // "28060"
        const db::Row asl = db.query("select * from PA_Amministrazioni_FatturaElettronica "
                                     "where codice_univoco = 'GHI789'")
                                .first();
        EXPECT_EQ(asl.integer("Comune_Id"), townId(db, "Roma")); // by cadastral code
        EXPECT_TRUE(db.query("select Comune_Id from PA_Amministrazioni_FatturaElettronica where "
                             "codice_univoco = 'JKL012'")
                        .first()
                        .isNull("Comune_Id"));
    }
}

// The older layout: commas, short column names, the town by name and province.
TEST(IpaImport, ReadsTheOlderLayoutWithCommas) {
    TestArchive a(db::Engine::SQLite);
    addTowns(a.db());
    const einvoice::IpaImportResult r =
        einvoice::IpaImport::run(a.db(), fixture("uffici-virgola.csv"));
    EXPECT_EQ(r.offices, 1);
    const db::Row row = a.db().query("select * from PA_Amministrazioni_FatturaElettronica").first();
    EXPECT_EQ(row.text("DescrizioneUfficio"), "Servizi Cimiteriali, sede centrale");
    EXPECT_EQ(row.text("cod_ou"), "UO_1");
    EXPECT_EQ(row.text("codice_univoco"), "ABC123");
    EXPECT_EQ(row.integer("Comune_Id"), townId(a.db(), "Roma"));
}

// A file that cannot be read whole leaves the old directory in place.
TEST(IpaImport, BadFilesLeaveTheDirectoryAsItWas) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        db.insert("PA_Amministrazioni_FatturaElettronica",
                  {{"DescrizionePA", "Vecchio ente"}, {"codice_univoco", "OLD001"}});
        const auto message = [&db](const QString& path) {
            try {
                einvoice::IpaImport::run(db, path);
            } catch (const db::DbError& e) {
                return e.message();
            }
            return QString();
        };
        EXPECT_EQ(message(fixture("riga-incompleta.csv")),
                  "Il file riga-incompleta.csv non è un elenco valido degli uffici di "
                  "fatturazione elettronica: la riga 3 ha 3 campi invece di 4");
        EXPECT_EQ(message(fixture("senza-codice.csv")),
                  "Il file senza-codice.csv non è un elenco valido degli uffici di fatturazione "
                  "elettronica: manca la colonna codice_uni_uo");
        EXPECT_TRUE(message(fixture("manca.csv")).startsWith("Impossibile leggere il file"));
        // Stopped from the progress window.
        try {
            einvoice::IpaImport::run(db, fixture("uffici.csv"),
                                     [](qint64, qint64) { return false; });
            ADD_FAILURE() << "not stopped";
        } catch (const db::DbError& e) {
            EXPECT_TRUE(e.message().contains("interrotta"));
        }
        EXPECT_EQ(offices(db), 1);
        EXPECT_EQ(db.scalar("select codice_univoco from PA_Amministrazioni_FatturaElettronica")
                      .toString(),
                  "OLD001");
    }
}

TEST(IpaSearch, CriteriaAndTheCustomerValues) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        addTowns(db);
        einvoice::IpaImport::run(db, fixture("uffici.csv"));
        db.insert("PA_Amministrazioni_FatturaElettronica",
                  {{"DescrizionePA", "Comune di Romano di Lombardia"},
                   {"DescrizioneUfficio", "Ragioneria"},
                   {"codice_univoco", "UFROM1"},
                   {"Comune_Id", townId(db, "Romano di Lombardia")}});

        einvoice::IpaSearch none;
        none.town = QStringLiteral("*");
        db::Result found;
        const auto f = none.run(db, &found);
        ASSERT_TRUE(f.has_value());
        EXPECT_EQ(f->title, "Messaggio di avviso");
        EXPECT_EQ(f->text, "Attenzione ! E' necessario inserire i criteri di ricerca !");

        // A town containing "rom", in town then administration order.
        einvoice::IpaSearch byTown;
        byTown.town = QStringLiteral("rom");
        ASSERT_FALSE(byTown.run(db, &found));
        ASSERT_EQ(found.size(), 3u);
        EXPECT_EQ(found[0].text("DescrizionePA"), "Azienda Sanitaria Locale Roma 1");
        EXPECT_EQ(found[1].text("DescrizionePA"), "Roma Capitale");
        EXPECT_EQ(found[2].text("Comune"), "Romano di Lombardia");

        // The province is matched whole, and criteria add up.
        einvoice::IpaSearch byProvince;
        byProvince.province = QStringLiteral("rm");
        ASSERT_FALSE(byProvince.run(db, &found));
        EXPECT_EQ(found.size(), 2u);
        byProvince.province = QStringLiteral("r");
        ASSERT_FALSE(byProvince.run(db, &found));
        EXPECT_EQ(found.size(), 0u);
        byProvince.province = QStringLiteral("RM");
        byProvince.administration = QStringLiteral("capitale");
        byProvince.taxCode = QStringLiteral("0243");
        ASSERT_FALSE(byProvince.run(db, &found));
        ASSERT_EQ(found.size(), 1u);

        // Quotes typed in a box are searched for, not run.
        einvoice::IpaSearch quoted;
        quoted.office = QStringLiteral("\"Servizi\"");
        ASSERT_FALSE(quoted.run(db, &found));
        EXPECT_EQ(found.size(), 1u);
        quoted.office = QStringLiteral("l'ufficio");
        ASSERT_FALSE(quoted.run(db, &found));
        EXPECT_EQ(found.size(), 0u);

        einvoice::IpaSearch byCode;
        byCode.officeCode = QStringLiteral("ABC123");
        ASSERT_FALSE(byCode.run(db, &found));
        ASSERT_EQ(found.size(), 1u);
        const QVariantMap c = einvoice::customerValuesFromOffice(found.first());
        EXPECT_EQ(c.value("Cliente").toString(), "Roma Capitale");
        EXPECT_EQ(c.value("NominativoDocumenti").toString(), "Roma Capitale");
        EXPECT_EQ(c.value("NominativoVisualizzato").toString(), "Roma Capitale");
        EXPECT_EQ(c.value("Comune_id").toLongLong(), townId(db, "Roma"));
        EXPECT_EQ(c.value("Citta").toString(), "Roma");
        EXPECT_EQ(c.value("Cap").toString(), "00186");
        EXPECT_EQ(c.value("CodFiscale").toString(), "02438750586");
        EXPECT_EQ(c.value("CodiceUnivocoUfficio").toString(), "ABC123");
        EXPECT_TRUE(c.value("PubblicaAmministrazione").toBool());
        EXPECT_EQ(c.value("Via").toString(), "Via del Campidoglio 1");
        EXPECT_EQ(c.value("DestinazioneMerce").toString(),
                  "Uff_eFatturaPA; Dipartimento \"Servizi\" Cimiteriali");
    }
}
