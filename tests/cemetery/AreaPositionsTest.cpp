#include "TestArchive.h"
#include "cemetery/Positions.h"

#include <gtest/gtest.h>

using cemetery::Position;
using cemetery::Positions;

TEST(AreaPositions, LabelsAndMatching) {
    EXPECT_EQ(Positions::label("3", "12"), "Fila 3 n. 12");
    EXPECT_EQ(Positions::label(" ", "12"), "n. 12");
    EXPECT_EQ(Positions::label("B", ""), "Fila B");
    const Position p{1, 1, "3", "12", "Loculo", {}};
    EXPECT_TRUE(Positions::matches(p, "fila 3  N. 12"));
    EXPECT_TRUE(Positions::matches(p, "Loculo Fila 3 n. 12"));
    EXPECT_FALSE(Positions::matches(p, "Fila 3 n. 1"));
    EXPECT_FALSE(Positions::matches(p, ""));
    EXPECT_FALSE(Positions::matches(Position{}, ""));
}

TEST(AreaPositions, OccupancyShowsWhoLiesWhereAndWhatIsFree) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        ASSERT_TRUE(Positions::available(db));
        const qint64 area = db.insert("AreeCimitero", {{"Descrizione", "Ala nord"}});
        const qint64 other = db.insert("AreeCimitero", {{"Descrizione", "Campo sud"}});
        for (const char* n : {"10", "2", "1"})
            db.insert("PosizioniCimitero",
                      {{"Area_Id", area}, {"Fila", "1"}, {"Numero", n}, {"Tipo", "Loculo"}});
        db.insert("PosizioniCimitero", {{"Area_Id", other}, {"Fila", "1"}, {"Numero", "2"}});
        const auto bury = [&db](const QString& name, qint64 areaId, const QString& where) {
            return db.insert(
                "Defunti",
                {{"NominativoVisualizzato", name}, {"Area_Id", areaId}, {"Posizione", where}});
        };
        const qint64 rossi = bury("Rossi Maria", area, "fila 1 n. 2");
        bury("Rossi Pietro", area, "Loculo Fila 1 n. 2");
        bury("Verdi Anna", other, "Fila 1 n. 10"); // another area
        const qint64 loose = bury("Neri Carlo", area, "vicino al cancello");

        const auto occ = Positions::occupancy(db, area);
        ASSERT_EQ(occ.size(), 3);
        EXPECT_EQ(occ[0].label, "Fila 1 n. 1");
        EXPECT_TRUE(occ[0].isFree());
        EXPECT_EQ(occ[1].label, "Fila 1 n. 2");
        EXPECT_EQ(occ[1].occupants, QStringList({"Rossi Maria", "Rossi Pietro"}));
        EXPECT_EQ(occ[1].deceasedIds.first(), rossi);
        EXPECT_EQ(occ[2].label, "Fila 1 n. 10");
        EXPECT_TRUE(occ[2].isFree()) << "Verdi lies in another area";

        const auto unlisted = Positions::unlisted(db, area);
        ASSERT_EQ(unlisted.size(), 1);
        EXPECT_EQ(unlisted.first().deceasedId, loose);
        EXPECT_EQ(unlisted.first().position, "vicino al cancello");

        // An area without listed positions keeps its free-text burials.
        const qint64 bare = db.insert("AreeCimitero", {{"Descrizione", "Cappella"}});
        bury("Gialli Ugo", bare, "Cappella di famiglia");
        EXPECT_TRUE(Positions::occupancy(db, bare).isEmpty());
        EXPECT_EQ(Positions::unlisted(db, bare).size(), 1);

        // Deleting an area takes its positions; the deceased keep Area_Id.
        db.exec("delete * from AreeCimitero where Id = ?", {area});
        Positions::removeOfArea(db, area);
        EXPECT_TRUE(Positions::ofArea(db, area).isEmpty());
        EXPECT_EQ(db.scalar("select Area_Id from Defunti where Id = ?", {rossi}).toLongLong(),
                  area);
    }
}

TEST(AreaPositions, APositionNeedsARowOrANumber) {
    EXPECT_TRUE(Positions::validate({{"Tipo", "Tomba"}}));
    EXPECT_FALSE(Positions::validate({{"Numero", "4"}}));
    EXPECT_FALSE(Positions::validate({{"Fila", "B"}}));
}
