#include "cemetery/DeceasedRules.h"

#include "TestArchive.h"
#include "cemetery/TableDefaults.h"

#include <gtest/gtest.h>

using cemetery::DeceasedRules;
using cemetery::DeceasedSearch;

namespace {

qint64 addTown(db::Database& db, const QString& name) {
    return db.insert(QStringLiteral("Comuni"), {{QStringLiteral("Comune"), name}});
}

qint64 addDeceased(db::Database& db, const QString& surname, const QString& name,
                   const QVariant& born, const QVariant& placeId, const QString& taxCode = {}) {
    return db.insert(QStringLiteral("Defunti"), {{QStringLiteral("Cognome"), surname},
                                                 {QStringLiteral("Nome"), name},
                                                 {QStringLiteral("DataNascita"), born},
                                                 {QStringLiteral("LuogoNascita_Id"), placeId},
                                                 {QStringLiteral("CodFiscale"), taxCode}});
}

} // namespace

TEST(DeceasedNames, DisplayNameTakesTaxCodeThenBirthDateThenNothing) {
    QVariantMap r{{"Cognome", "Rossi"}, {"Nome", "Maria"}};
    DeceasedRules::deriveNames(r);
    EXPECT_EQ(r.value("NominativoDocumenti").toString(), "Rossi Maria");
    EXPECT_EQ(r.value("NominativoVisualizzato").toString(), "Rossi Maria");

    r["DataNascita"] = QDate(1931, 3, 4);
    DeceasedRules::deriveNames(r);
    EXPECT_EQ(r.value("NominativoVisualizzato").toString(), "Rossi Maria - 04/03/1931");

    // A date still as typed on the card reads the same way.
    r["DataNascita"] = QStringLiteral("4/3/1931");
    DeceasedRules::deriveNames(r);
    EXPECT_EQ(r.value("NominativoVisualizzato").toString(), "Rossi Maria - 04/03/1931");

    r["CodFiscale"] = QStringLiteral("RSSMRA31C44H501X");
    DeceasedRules::deriveNames(r);
    EXPECT_EQ(r.value("NominativoVisualizzato").toString(), "Rossi Maria - RSSMRA31C44H501X");
}

TEST(DeceasedNames, ValidationReportsSurnameFirstThenOnlyTheMissingName) {
    auto f = DeceasedRules::validate({{"Nome", "Maria"}});
    ASSERT_TRUE(f);
    EXPECT_EQ(f->text, "Attenzione manca il cognome");
    EXPECT_EQ(f->field, "Cognome");

    f = DeceasedRules::validate({{"Cognome", "Rossi"}, {"Nome", "  "}});
    ASSERT_TRUE(f);
    EXPECT_EQ(f->text, "Attenzione manca il nome");
    EXPECT_EQ(f->title, "Messaggio di errore");

    EXPECT_FALSE(DeceasedRules::validate({{"Cognome", "Rossi"}, {"Nome", "Maria"}}));
}

TEST(DeceasedDates, TwoDigitYearsOfBirthAndDeathStayInThePast) {
    const QDate today(2026, 12, 6);
    QVariantMap r{{"DataNascita", "12/03/45"}, {"DataMorte", QDate(2026, 12, 6)}};
    EXPECT_TRUE(DeceasedRules::pastDates(r, today));
    EXPECT_EQ(r.value("DataNascita").toDate(), QDate(1945, 3, 12));
    EXPECT_EQ(r.value("DataMorte").toDate(), QDate(2026, 12, 6)); // today is not future
    r = {{"DataNascita", QDate(2020, 1, 1)}, {"DataMorte", QDate(2026, 12, 7)}};
    EXPECT_TRUE(DeceasedRules::pastDates(r, today));
    EXPECT_EQ(r.value("DataNascita").toDate(), QDate(2020, 1, 1));
    EXPECT_EQ(r.value("DataMorte").toDate(), QDate(1926, 12, 7));
    r = {{"DataNascita", QVariant()}};
    EXPECT_FALSE(DeceasedRules::pastDates(r, today));
    EXPECT_FALSE(r.value("DataNascita").isValid());
}

TEST(DeceasedColours, OwnColourThenCategoryThenWhite) {
    const qint64 white = cemetery::kWhiteColour;
    EXPECT_EQ(DeceasedRules::rowColour(255, 65280), 255);
    EXPECT_EQ(DeceasedRules::rowColour(white, 65280), 65280);
    EXPECT_EQ(DeceasedRules::rowColour(0, 65280), 65280);
    EXPECT_EQ(DeceasedRules::rowColour(QVariant(), 65280), 65280);
    EXPECT_EQ(DeceasedRules::rowColour(white, white), white);
    EXPECT_EQ(DeceasedRules::rowColour(white, QVariant()), white);
    EXPECT_EQ(DeceasedRules::rowColour(-1, 0), white);
}

TEST(DeceasedSearchCondition, PrefixMatchesJoinedInOrderWithQuotesDoubled) {
    EXPECT_EQ(DeceasedRules::searchCondition({}), QString());
    DeceasedSearch s;
    s.name = QStringLiteral("D'Amico");
    s.notes = QStringLiteral("loc");
    s.categoryId = 3;
    s.areaId = 7;
    EXPECT_EQ(DeceasedRules::searchCondition(s),
              "NominativoVisualizzato like 'D''Amico*' and Note like 'loc*' and Categoria_ID = 3 "
              "and Area_Id = 7");
}

TEST(DeceasedArchive, SearchFindsQuotedNamesAndDanglingCategoryFindsNothing) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        const qint64 cat = db.insert("CategoriaDefunti", {{"Descrizione", "Benefattori"}});
        const qint64 id = DeceasedRules::insertNew(db);
        QVariantMap r{{"Cognome", "D'Amico"}, {"Nome", "Anna"}, {"Categoria_ID", cat}};
        ASSERT_FALSE(DeceasedRules::save(db, id, r, true));
        DeceasedSearch s;
        s.name = QStringLiteral("d'ami");
        s.categoryId = cat;
        const QString where = DeceasedRules::searchCondition(s);
        EXPECT_EQ(db.query("select Id from Defunti where " + where).size(), 1u);

        db.exec("delete * from CategoriaDefunti where Id = ?", {cat});
        EXPECT_EQ(db.query("select Id from Defunti where " + where).size(), 1u)
            << "the deceased keeps its category key";
        const db::Result joined =
            db.query("select Defunti.Id, CategoriaDefunti.Descrizione as Categoria from Defunti "
                     "left join CategoriaDefunti on Defunti.Categoria_ID = CategoriaDefunti.Id");
        ASSERT_EQ(joined.size(), 1u);
        EXPECT_TRUE(joined.first().text("Categoria").isEmpty());
    }
}

TEST(DeceasedArchive, NewRowIsWhiteItalianAndTakesWorkstationDefaults) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        const qint64 area = db.insert("AreeCimitero", {{"Descrizione", "Campo A"}});
        cemetery::TableDefaults::store(db, "Defunti",
                                       {{"Area_Id", QString::number(area)},
                                        {"IdPaese_Morte", "FR"},
                                        {"DataMorte", "01/02/2026"}});
        const qint64 id = DeceasedRules::insertNew(db);
        const db::Row row = db.query("select * from Defunti where Id = ?", {id}).first();
        EXPECT_EQ(row.integer("NumeroColore"), cemetery::kWhiteColour);
        EXPECT_EQ(row.text("IdPaese_Nascita"), "IT");
        EXPECT_EQ(row.text("IdPaese_Morte"), "FR");
        EXPECT_EQ(row.integer("Area_Id"), area);
        EXPECT_EQ(row.date("DataMorte"), QDate(2026, 2, 1));
    }
}

TEST(DeceasedArchive, DuplicateWarnings) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        const qint64 rome = addTown(db, "Roma");
        const qint64 other = addTown(db, "Tivoli");
        addDeceased(db, "Rossi", "Maria", QDate(1930, 2, 1), rome, "RSSMRA30B41H501X");
        const qint64 current = addDeceased(db, "Rossi", "Maria", QVariant(), QVariant());

        // Tax code: another row with it is counted; the current row is not.
        auto w = DeceasedRules::taxCodeDuplicate(db, "RSSMRA30B41H501X", current);
        ASSERT_TRUE(w);
        EXPECT_EQ(*w, "Attenzione il codice fiscale RSSMRA30B41H501X è già presente in altri 1 "
                      "Record.");
        EXPECT_FALSE(DeceasedRules::taxCodeDuplicate(db, "", current));
        EXPECT_FALSE(DeceasedRules::taxCodeDuplicate(db, "XX'X", current));

        // Name, date and place: only for a date typed in 8 characters.
        w = DeceasedRules::nameDuplicate(db, "Rossi", "Maria", "01021930", rome, "Roma", current);
        ASSERT_TRUE(w);
        EXPECT_EQ(*w, "Attenzione il defunto Rossi Maria nato a:Roma il 01/02/1930 è già presente "
                      "in altri 1 Record.");
        // A two-digit year reads as the card stores it (up to 50 → 20yy).
        addDeceased(db, "Rossi", "Maria", QDate(2020, 2, 1), rome);
        EXPECT_TRUE(
            DeceasedRules::nameDuplicate(db, "Rossi", "Maria", "01/02/20", rome, "Roma", current));
        EXPECT_FALSE(
            DeceasedRules::nameDuplicate(db, "Rossi", "Maria", "01/02/1930", rome, "Roma", current))
            << "a 10-character date does not ask";
        EXPECT_FALSE(DeceasedRules::nameDuplicate(db, "Rossi", "Maria", "01021930", other, "Tivoli",
                                                  current));
        EXPECT_FALSE(
            DeceasedRules::nameDuplicate(db, "Rossi", "Maria", "01021930", 0, "", current));
        EXPECT_FALSE(
            DeceasedRules::nameDuplicate(db, "Rossi", "", "01021930", rome, "Roma", current));
        EXPECT_FALSE(DeceasedRules::nameDuplicate(db, "D'Rossi", "Maria", "01021930", rome, "Roma",
                                                  current));
    }
}

TEST(DeceasedArchive, SaveDerivesNamesOnlyWhenTypedAndLinksToContract) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        const qint64 id = DeceasedRules::insertNew(db);

        QVariantMap r{{"Cognome", "Bianchi"}, {"Nome", ""}};
        auto f = DeceasedRules::save(db, id, r, true);
        ASSERT_TRUE(f);
        EXPECT_EQ(f->text, "Attenzione manca il nome");
        EXPECT_TRUE(db.query("select * from Defunti where Id = ?", {id}).first().isNull("Cognome"))
            << "nothing written on a failed save";

        r = {{"Cognome", "Bianchi"}, {"Nome", "Luigi"}, {"DataNascita", "02/03/1940"}};
        ASSERT_FALSE(DeceasedRules::save(db, id, r, true));
        db::Row row = db.query("select * from Defunti where Id = ?", {id}).first();
        EXPECT_EQ(row.text("NominativoVisualizzato"), "Bianchi Luigi - 02/03/1940");
        EXPECT_EQ(row.date("DataNascita"), QDate(1940, 3, 2));

        // Notes changed only: the names stay as stored.
        r = {{"Cognome", "Bianchi"},
             {"Nome", "Luigi"},
             {"NominativoVisualizzato", "Bianchi Luigi - 02/03/1940"},
             {"CodFiscale", "BNCLGU40C02H501Z"},
             {"Note", "x"}};
        const qint64 contract = db.insert("ContrattiTestata", {{"Numero", 1}});
        ASSERT_FALSE(DeceasedRules::save(db, id, r, false, contract));
        row = db.query("select * from Defunti where Id = ?", {id}).first();
        EXPECT_EQ(row.text("NominativoVisualizzato"), "Bianchi Luigi - 02/03/1940");
        const db::Result links =
            db.query("select * from ContrattiDefunti where Testata_ID = ?", {contract});
        ASSERT_EQ(links.size(), 1u);
        EXPECT_EQ(links.first().integer("Defunto_ID"), id);
        EXPECT_EQ(links.first().text("Defunto"), "Bianchi Luigi - 02/03/1940");
    }
}
