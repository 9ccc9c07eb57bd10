#include "TestArchive.h"
#include "registries/SimpleRegistryRules.h"

#include <gtest/gtest.h>

TEST(CategoryColour, ANewColourReachesOnlyTheRowsOfThatCategory) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        db::Database& db = a.db();
        const qint64 red = db.insert("CategoriaDefunti", {{"Descrizione", "Rossi"}});
        const qint64 blue = db.insert("CategoriaDefunti", {{"Descrizione", "Blu"}});
        const qint64 d1 = db.insert("Defunti", {{"Cognome", "Uno"}, {"Categoria_ID", red}});
        const qint64 d2 = db.insert(
            "Defunti", {{"Cognome", "Due"}, {"Categoria_ID", blue}, {"ColoreCategoria", 0xff0000}});
        const qint64 c1 = db.insert("Clienti", {{"Cliente", "Uno"}, {"Categoria_ID", red}});
        registries::copyCategoryColour(db, "Defunti", red, 255);
        const auto colour = [&db](const char* table, qint64 id) {
            return db.scalar(QStringLiteral("select ColoreCategoria from %1 where ID = ?")
                                 .arg(QLatin1String(table)),
                             {id});
        };
        EXPECT_EQ(colour("Defunti", d1).toLongLong(), 255);
        EXPECT_EQ(colour("Defunti", d2).toLongLong(), 0xff0000);
        EXPECT_TRUE(colour("Clienti", c1).isNull()); // another registry's categories

        registries::copyCategoryColour(db, "Defunti", red, QVariant());
        EXPECT_TRUE(colour("Defunti", d1).isNull());
    }
}
