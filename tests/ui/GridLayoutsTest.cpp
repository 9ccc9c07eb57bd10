#include "ui/GridLayouts.h"

#include "TestArchive.h"

#include <gtest/gtest.h>

using ::ui::GridColumn;
using ::ui::GridColumns;

namespace {

const QString kGrid = QStringLiteral("frmGrigliaBanche_Griglia");

GridColumns builtIn() {
    return {{QStringLiteral("Banca"), 200, QStringLiteral("Banca")},
            {QStringLiteral("Iban"), 150, QStringLiteral("IBAN")},
            {QStringLiteral("Comune"), 120, QStringLiteral("Comune")}};
}

db::Row storedRow(db::Database& db, const QString& workstation) {
    const db::Result r =
        db.query(QStringLiteral("select * from Griglie where NomeComputer = ? and NomeGriglia = ?"),
                 {workstation, kGrid});
    EXPECT_EQ(r.size(), 1u);
    return r.empty() ? db::Row() : r.first();
}

} // namespace

TEST(GridLayouts, FirstSaveStoresUserAndDefaultLaterSavesOnlyUser) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        ::ui::saveLayout(a.db(), kGrid, builtIn(), false, QStringLiteral("PC1"));
        db::Row row = storedRow(a.db(), QStringLiteral("PC1"));
        EXPECT_EQ(row.text(QStringLiteral("CampiUtente")), QStringLiteral("Banca|Iban|Comune|"));
        EXPECT_EQ(row.text(QStringLiteral("WidthUtente")), QStringLiteral("200|150|120|"));
        EXPECT_EQ(row.text(QStringLiteral("CaptionUtente")), QStringLiteral("Banca|IBAN|Comune|"));
        EXPECT_EQ(row.text(QStringLiteral("CampiPredefiniti")),
                  QStringLiteral("Banca|Iban|Comune|"));
        EXPECT_EQ(row.text(QStringLiteral("WidthPredefiniti")), QStringLiteral("200|150|120|"));
        EXPECT_EQ(row.text(QStringLiteral("CaptionPredefiniti")),
                  QStringLiteral("Banca|IBAN|Comune|"));
        EXPECT_EQ(row.integer(QStringLiteral("TotaleCampiPredefiniti")), 3);

        GridColumns changed{{QStringLiteral("Iban"), 90, QStringLiteral("Conto")},
                            {QStringLiteral("Banca"), 250, QStringLiteral("Banca")}};
        ::ui::saveLayout(a.db(), kGrid, changed, false, QStringLiteral("PC1"));
        row = storedRow(a.db(), QStringLiteral("PC1"));
        EXPECT_EQ(row.text(QStringLiteral("CampiUtente")), QStringLiteral("Iban|Banca|"));
        EXPECT_EQ(row.text(QStringLiteral("WidthUtente")), QStringLiteral("90|250|"));
        EXPECT_EQ(row.text(QStringLiteral("CaptionUtente")), QStringLiteral("Conto|Banca|"));
        EXPECT_EQ(row.text(QStringLiteral("CampiPredefiniti")),
                  QStringLiteral("Banca|Iban|Comune|"));
        EXPECT_EQ(row.integer(QStringLiteral("TotaleCampiPredefiniti")), 3);

        // Overwriting the defaults replaces them too.
        ::ui::saveLayout(a.db(), kGrid, changed, true, QStringLiteral("PC1"));
        row = storedRow(a.db(), QStringLiteral("PC1"));
        EXPECT_EQ(row.text(QStringLiteral("CampiPredefiniti")), QStringLiteral("Iban|Banca|"));
        EXPECT_EQ(row.integer(QStringLiteral("TotaleCampiPredefiniti")), 2);
    }
}

TEST(GridLayouts, WorkstationsKeepIndependentRows) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        ::ui::saveLayout(a.db(), kGrid, builtIn(), false, QStringLiteral("PC1"));
        GridColumns narrow{{QStringLiteral("Banca"), 80, QStringLiteral("Nome")}};
        ::ui::saveLayout(a.db(), kGrid, narrow, false, QStringLiteral("PC2"));
        EXPECT_EQ(a.db().scalar(QStringLiteral("select count(*) from Griglie")).toInt(), 2);

        GridColumns one = builtIn(), two = builtIn();
        ASSERT_TRUE(::ui::loadLayout(a.db(), kGrid, one, false, QStringLiteral("PC1")));
        ASSERT_TRUE(::ui::loadLayout(a.db(), kGrid, two, false, QStringLiteral("PC2")));
        EXPECT_EQ(one, builtIn());
        EXPECT_EQ(two, narrow);

        GridColumns none = builtIn();
        EXPECT_FALSE(::ui::loadLayout(a.db(), kGrid, none, false, QStringLiteral("PC3")));
        EXPECT_EQ(none, builtIn());
    }
}

TEST(GridLayouts, ResetBringsBackTheDefaultArrangement) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    ::ui::saveLayout(db, kGrid, builtIn(), false, QStringLiteral("PC1"));
    GridColumns shown{{QStringLiteral("Comune"), 33, QStringLiteral("Città")}};
    ::ui::saveLayout(db, kGrid, shown, false, QStringLiteral("PC1"));

    // "Reset Griglia": load the defaults, then store them as the user's lists.
    ASSERT_TRUE(::ui::loadLayout(db, kGrid, shown, true, QStringLiteral("PC1")));
    EXPECT_EQ(shown, builtIn());
    ::ui::saveLayout(db, kGrid, shown, false, QStringLiteral("PC1"));
    GridColumns loaded;
    ASSERT_TRUE(::ui::loadLayout(db, kGrid, loaded, false, QStringLiteral("PC1")));
    EXPECT_EQ(loaded, builtIn());
}

TEST(GridLayouts, LoadLeavesTheGridAloneWhenThereIsNothingToApply) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    // Only defaults stored, as many as the grid has: nothing to do.
    db.insert(QStringLiteral("Griglie"),
              {{QStringLiteral("NomeComputer"), QStringLiteral("PC1")},
               {QStringLiteral("NomeGriglia"), kGrid},
               {QStringLiteral("CampiPredefiniti"), QStringLiteral("Banca|")},
               {QStringLiteral("WidthPredefiniti"), QStringLiteral("10|")},
               {QStringLiteral("CaptionPredefiniti"), QStringLiteral("B|")},
               {QStringLiteral("TotaleCampiPredefiniti"), 3}});
    GridColumns columns = builtIn();
    EXPECT_FALSE(::ui::loadLayout(db, kGrid, columns, false, QStringLiteral("PC1")));
    EXPECT_EQ(columns, builtIn());
    // A grid whose column count differs gets the defaults on a reset.
    GridColumns two = builtIn().mid(0, 2);
    EXPECT_FALSE(::ui::loadLayout(db, kGrid, two, false, QStringLiteral("PC1")));
    ASSERT_TRUE(::ui::loadLayout(db, kGrid, two, true, QStringLiteral("PC1")));
    EXPECT_EQ(two, (GridColumns{{QStringLiteral("Banca"), 10, QStringLiteral("B")}}));
}

TEST(GridLayouts, DamagedWidthKeepsTheColumnsReadSoFar) {
    TestArchive a(db::Engine::SQLite);
    a.db().insert(QStringLiteral("Griglie"),
                  {{QStringLiteral("NomeComputer"), QStringLiteral("PC1")},
                   {QStringLiteral("NomeGriglia"), kGrid},
                   {QStringLiteral("CampiUtente"), QStringLiteral("Banca|Iban|Comune|")},
                   {QStringLiteral("WidthUtente"), QStringLiteral("100|x|30|")},
                   {QStringLiteral("CaptionUtente"), QStringLiteral("Banca|IBAN|Comune|")}});
    GridColumns columns = builtIn();
    ::ui::loadLayout(a.db(), kGrid, columns, false, QStringLiteral("PC1"));
    EXPECT_EQ(columns, (GridColumns{{QStringLiteral("Banca"), 100, QStringLiteral("Banca")}}));
}

TEST(GridLayouts, TitleClicksAlternateAscendingAndDescending) {
    QString sort;
    sort = ::ui::sortAfterTitleClick(sort, QStringLiteral("Banca"));
    EXPECT_EQ(sort, QStringLiteral("Banca ASC"));
    sort = ::ui::sortAfterTitleClick(sort, QStringLiteral("Banca"));
    EXPECT_EQ(sort, QStringLiteral("Banca DESC"));
    sort = ::ui::sortAfterTitleClick(sort, QStringLiteral("Banca"));
    EXPECT_EQ(sort, QStringLiteral("Banca ASC"));
    // Another column after an ascending sort starts descending, as the old grids did.
    EXPECT_EQ(::ui::sortAfterTitleClick(sort, QStringLiteral("Iban")), QStringLiteral("Iban DESC"));
}

// A list opened again does not read its layout again; a save of this
// workstation is what the next opening shows, and another archive keeps its own.
TEST(GridLayouts, ReadOnceASessionAndAgainAfterASave) {
    FOR_EACH_ENGINE(engine) {
        TestArchive a(engine);
        const auto load = [&](db::Database& db, quint64* statements) {
            GridColumns columns = builtIn();
            const quint64 before = db.statementCount();
            ::ui::loadLayout(db, kGrid, columns, false, QStringLiteral("PC1"));
            *statements = db.statementCount() - before;
            return columns;
        };
        quint64 statements = 0;
        EXPECT_EQ(load(a.db(), &statements), builtIn());
        EXPECT_EQ(statements, 1u);
        EXPECT_EQ(load(a.db(), &statements), builtIn());
        EXPECT_EQ(statements, 0u);

        const GridColumns changed{{QStringLiteral("Iban"), 90, QStringLiteral("Conto")}};
        ::ui::saveLayout(a.db(), kGrid, changed, false, QStringLiteral("PC1"));
        EXPECT_EQ(load(a.db(), &statements), changed);
        EXPECT_EQ(statements, 1u);
        EXPECT_EQ(load(a.db(), &statements), changed);
        EXPECT_EQ(statements, 0u);

        TestArchive other(engine);
        EXPECT_EQ(load(other.db(), &statements), builtIn());
    }
}
