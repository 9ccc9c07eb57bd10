#include "TestArchive.h"
#include "db/DbError.h"

#include <QDate>
#include <gtest/gtest.h>

// Reads without bound values go straight to SQLite; they must give the
// same columns, types and values as the ordinary way (taken here by a bound
// value), for every kind of column, empty ones included.
TEST(SqliteReader, GivesWhatTheDriverGives) {
    TestArchive a(db::Engine::SQLite, TestArchive::Content::Structure);
    db::Database& db = a.db();
    db.insert("fattura", {{"Carico", false},
                          {"Num", 7},
                          {"Data", QDateTime(QDate(2026, 3, 1), QTime(10, 5))},
                          {"Cliente", QStringLiteral("Caffè d'Angelo")},
                          {"TotFattura", 1234.56},
                          {"Storico", true}});
    db.insert("fattura", {{"Carico", true}});
    const QString select = QStringLiteral("select fattura.*, Num * 2 as Doppio, 'x' as Testo, "
                                          "TotFattura / 4 as Quarto from fattura where ID > ");
    const quint64 before = db.statementCount();
    const db::Result direct = db.query(select + "0 order by ID");
    EXPECT_EQ(db.statementCount() - before, 1u);
    const db::Result driver = db.query(select + "? order by ID", {0});
    ASSERT_EQ(direct.columns, driver.columns);
    ASSERT_EQ(direct.size(), 2u);
    ASSERT_EQ(driver.size(), 2u);
    for (std::size_t r = 0; r < 2; ++r)
        for (int c = 0; c < direct[r].columnCount(); ++c) {
            const QVariant x = direct[r].value(c);
            const QVariant y = driver[r].value(c);
            EXPECT_EQ(x.metaType(), y.metaType()) << direct.columns[c].toStdString();
            EXPECT_EQ(x.isNull(), y.isNull()) << direct.columns[c].toStdString();
            EXPECT_EQ(x, y) << direct.columns[c].toStdString();
        }
    EXPECT_EQ(direct[0].text("Cliente"), QStringLiteral("Caffè d'Angelo"));
    EXPECT_EQ(direct[0].date("Data"), QDate(2026, 3, 1));
    EXPECT_TRUE(direct[0].boolean("Storico"));
    EXPECT_TRUE(direct[1].isNull("Cliente"));
    EXPECT_EQ(direct[0].columnName(0), driver[0].columnName(0));

    // A statement the engine refuses is reported as every other one is.
    try {
        db.query("select * from TabellaCheNonEsiste");
        FAIL() << "no error";
    } catch (const db::DbError& e) {
        EXPECT_TRUE(e.details().contains("TabellaCheNonEsiste")) << e.details().toStdString();
    }
}
