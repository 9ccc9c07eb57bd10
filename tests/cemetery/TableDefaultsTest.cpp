#include "cemetery/TableDefaults.h"

#include "TestArchive.h"

#include <gtest/gtest.h>

using cemetery::TableDefaults;

TEST(TableDefaults, TextIsReadAsTheColumnType) {
    TestArchive a(db::Engine::SQLite, TestArchive::Content::Structure);
    EXPECT_EQ(TableDefaults::convert("Calendario", "Conclusa", "Sì"), QVariant(true));
    EXPECT_EQ(TableDefaults::convert("Calendario", "Conclusa", "falso"), QVariant(false));
    EXPECT_TRUE(TableDefaults::convert("Calendario", "Conclusa", "forse").isNull());
    EXPECT_EQ(TableDefaults::convert("Calendario", "Data", "05/06/2026"),
              QVariant(QDate(2026, 6, 5)));
    EXPECT_TRUE(TableDefaults::convert("Calendario", "Data", "31/02/2026").isNull());
    EXPECT_EQ(TableDefaults::convert("ContrattiRighe", "Sconto", "12,5"), QVariant(12.5));
    EXPECT_EQ(TableDefaults::convert("Defunti", "Area_Id", "4"), QVariant(qint64(4)));
    EXPECT_TRUE(TableDefaults::convert("Defunti", "Area_Id", "quattro").isNull());
    EXPECT_EQ(TableDefaults::convert("Defunti", "Posizione", " Fila 2 "), QVariant(" Fila 2 "));
    // The key and unknown columns never take a default.
    EXPECT_TRUE(TableDefaults::convert("Defunti", "Id", "9").isNull());
    EXPECT_TRUE(TableDefaults::convert("Defunti", "Colore", "9").isNull());
    EXPECT_FALSE(TableDefaults::columns("Defunti").contains("Id"));
    EXPECT_TRUE(TableDefaults::columns("Defunti").contains("Posizione"));
}

TEST(TableDefaults, AppliedPerWorkstationAndTable) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        TableDefaults::store(db, "ContrattiTestata",
                             {{"note", "Rinnovo annuale"},
                              {"Chiuso", "Sì"},
                              {"", "ignored"},
                              {"Inesistente", "x"},
                              {"Data", "non è una data"}});
        EXPECT_EQ(TableDefaults::entries(db, "ContrattiTestata").size(), 4);

        auto other = a.openAnother("ALTRO-PC");
        TableDefaults::store(*other, "ContrattiTestata", {{"Note", "dell'altro"}});
        TableDefaults::store(db, "Calendario", {{"Note", "del calendario"}});

        // A default replaces the value given (matched without regard to
        // case); what cannot be read keeps the value given.
        const QDate today(2026, 12, 6);
        db::Values values{{"NOTE", "x"}, {"Data", today}, {"Chiuso", false}};
        TableDefaults::apply(db, "ContrattiTestata", values);
        ASSERT_EQ(values.size(), 3);
        EXPECT_EQ(values[0].second, QVariant("Rinnovo annuale"));
        EXPECT_EQ(values[1].second, QVariant(today));
        EXPECT_EQ(values[2].second, QVariant(true));

        QVariantMap map;
        TableDefaults::apply(*other, "ContrattiTestata", map);
        EXPECT_EQ(map, (QVariantMap{{"Note", "dell'altro"}}));

        // Storing again replaces this workstation's list only.
        TableDefaults::store(db, "ContrattiTestata", {});
        EXPECT_TRUE(TableDefaults::entries(db, "ContrattiTestata").isEmpty());
        EXPECT_EQ(TableDefaults::entries(*other, "ContrattiTestata").size(), 1);
        EXPECT_EQ(TableDefaults::entries(db, "Calendario").size(), 1);
    }
}
