#include "db/PostgresReader.h"

#include "TestArchive.h"
#include "db/DbError.h"
#include "db/EngineErrors.h"

#include <QDate>
#include <QSqlQuery>
#include <cmath>
#include <gtest/gtest.h>

namespace {

#define NEED_POSTGRES()                                                                            \
    if (!TestArchive::postgresAvailable())                                                         \
    GTEST_SKIP() << "PostgreSQL di prova non disponibile"

// Same columns, and value by value the same type, nullness, value and (for
// instants) the same kind of time.
void expectSame(const db::Result& direct, const db::Result& driver) {
    ASSERT_EQ(direct.columns, driver.columns);
    ASSERT_EQ(direct.size(), driver.size());
    for (std::size_t r = 0; r < direct.size(); ++r) {
        ASSERT_EQ(direct[r].columnCount(), driver[r].columnCount());
        for (int c = 0; c < direct[r].columnCount(); ++c) {
            const QVariant x = direct[r].value(c);
            const QVariant y = driver[r].value(c);
            const std::string where = direct.columns[c].toStdString() + " row " + std::to_string(r);
            EXPECT_EQ(direct[r].columnName(c), driver[r].columnName(c));
            EXPECT_EQ(x.metaType(), y.metaType())
                << where << " " << x.typeName() << " vs " << y.typeName();
            EXPECT_EQ(x.isNull(), y.isNull()) << where;
            if (x.typeId() == QMetaType::QString && y.typeId() == QMetaType::QString) {
                EXPECT_EQ(x.toString().isNull(), y.toString().isNull()) << where;
            }
            const bool bothNaN = x.typeId() == QMetaType::Double && std::isnan(x.toDouble()) &&
                                 y.typeId() == QMetaType::Double && std::isnan(y.toDouble());
            if (!bothNaN) {
                EXPECT_EQ(x, y) << where << " " << x.toString().toStdString() << " vs "
                                << y.toString().toStdString();
            }
            if (x.typeId() == QMetaType::QDateTime && y.typeId() == QMetaType::QDateTime) {
                EXPECT_EQ(x.toDateTime().timeSpec(), y.toDateTime().timeSpec()) << where;
            }
        }
    }
}

db::DbError errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const db::DbError& e) {
        return e;
    }
    ADD_FAILURE() << "no error";
    return db::DbError(QString());
}

} // namespace

// Reads without bound values go straight through libpq; a bound value takes
// the driver's way. Both must give the same thing for every kind of column
// the archive has and for the expressions the engine types on its own.
TEST(PostgresReader, GivesWhatTheDriverGives) {
    NEED_POSTGRES();
    TestArchive a(db::Engine::PostgreSQL, TestArchive::Content::Structure);
    db::Database& db = a.db();
    db.insert("fattura", {{"Carico", false},
                          {"Num", 7},
                          {"Data", QDateTime(QDate(2026, 3, 1), QTime(10, 5, 9))},
                          {"Cliente", QStringLiteral("Caffè d'Angelo «più» €")},
                          {"TotFattura", 1234.56},
                          {"Storico", true}});
    db.insert("fattura", {{"Carico", true}, {"Num", -3}, {"Data", QDate(1999, 12, 31)}});
    db.insert("fattura", {{"Carico", true}});
    const QString select = QStringLiteral(
        "SELECT f.*, f.Num > 3 AS Vero, CAST(f.Num AS bigint) AS Grande, "
        "CAST(f.Num AS smallint) AS Piccolo, CAST(f.TotFattura AS numeric(12,2)) AS Decimale, "
        "CAST(f.TotFattura AS real) AS Reale, CAST(f.Data AS date) AS Giorno, "
        "CAST(f.Data AS time) AS Ora, CAST(f.Data AS timestamptz) AS Istante, "
        "CAST(f.Cliente AS varchar(40)) AS Breve, CAST('ab' AS char(4)) AS Fisso, "
        "CAST(f.Cliente AS text) AS Testo, '' AS Vuota, CAST(NULL AS bytea) AS Vuoto, "
        "CAST(E'\\\\000\\\\377\\\\\\\\''x' AS bytea) AS Byte, "
        "CAST('2026-03-01 10:05:09.25' AS timestamp) AS Frazione, "
        "CAST('infinity' AS timestamp) AS Infinito, "
        "(SELECT count(*) FROM fattura) AS Quante "
        "FROM fattura f WHERE f.ID > ");
    const quint64 before = db.statementCount();
    const db::Result direct = db.queryNative(select + "0 ORDER BY f.ID");
    EXPECT_EQ(db.statementCount() - before, 1u);
    const db::Result driver = db.queryNative(select + "? ORDER BY f.ID", {0});
    ASSERT_EQ(direct.size(), 3u);
    expectSame(direct, driver);

    // And what the values are, so that both ways cannot agree on a wrong one.
    const db::Row& first = direct[0];
    EXPECT_EQ(first.text("Cliente"), QStringLiteral("Caffè d'Angelo «più» €"));
    EXPECT_EQ(first.value("Data").toDateTime(), QDateTime(QDate(2026, 3, 1), QTime(10, 5, 9)));
    EXPECT_EQ(first.value("Giorno").toDate(), QDate(2026, 3, 1));
    EXPECT_EQ(first.value("Ora").toTime(), QTime(10, 5, 9));
    EXPECT_EQ(first.value("Grande").typeId(), QMetaType::ULongLong);
    EXPECT_EQ(direct[1].value("Grande").toLongLong(), -3);
    EXPECT_EQ(first.value("Decimale").toDouble(), 1234.56);
    EXPECT_TRUE(first.boolean("Storico"));
    EXPECT_TRUE(first.value("Vero").toBool());
    EXPECT_EQ(first.value("Byte").toByteArray(), QByteArray("\0\xff\\'x", 5));
    EXPECT_EQ(direct[1].date("Data"), QDate(1999, 12, 31));
    EXPECT_TRUE(direct[2].isNull("Cliente"));
    EXPECT_TRUE(direct[2].value("Data").isNull());

    // A row of the registries with a picture, the schema's one binary column.
    const QByteArray logo("\x89PNG\r\n\x1a\n\0\0\\", 11);
    db.insert("ditta", {{"Logo", logo}});
    const db::Result pictures = db.query("select Logo from ditta");
    expectSame(pictures, db.query("select Logo from ditta where 1 = ?", {1}));
    EXPECT_EQ(pictures[0].value("Logo").toByteArray(), logo);
}

// Numeric columns follow the precision the connection asks for, as the
// driver's do.
TEST(PostgresReader, NumericFollowsThePrecisionPolicy) {
    NEED_POSTGRES();
    TestArchive a(db::Engine::PostgreSQL, TestArchive::Content::Empty);
    db::Database& db = a.db();
    const QString select = QStringLiteral(
        "SELECT CAST(12345678901234.5678 AS numeric) AS Lungo, CAST(-2.5 AS numeric) AS Negativo, "
        "CAST('NaN' AS numeric) AS Nessuno, CAST(0.1 AS float8) AS Reale WHERE 1 = ");
    for (QSql::NumericalPrecisionPolicy policy :
         {QSql::HighPrecision, QSql::LowPrecisionInt64, QSql::LowPrecisionInt32,
          QSql::LowPrecisionDouble}) {
        db.handle().setNumericalPrecisionPolicy(policy);
        const db::Result direct = db.queryNative(select + "1");
        const db::Result driver = db.queryNative(select + "?", {1});
        expectSame(direct, driver);
        if (policy == QSql::HighPrecision) {
            EXPECT_EQ(direct[0].value("Lungo").toString(), QStringLiteral("12345678901234.5678"));
        }
    }
}

// Once sent, a statement the server refuses is reported word for word as
// the ordinary way reports it, and inside a transaction it is not run again.
TEST(PostgresReader, ARefusalIsReportedAsEveryOther) {
    NEED_POSTGRES();
    TestArchive a(db::Engine::PostgreSQL, TestArchive::Content::Structure);
    db::Database& db = a.db();
    const QString wrong = QStringLiteral("select * from TabellaCheNonEsiste");
    const db::DbError ordinary = errorOf([&] { db.exec(wrong); });
    const quint64 before = db.statementCount();
    const db::DbError direct = errorOf([&] { db.query(wrong); });
    EXPECT_EQ(db.statementCount() - before, 1u);
    EXPECT_EQ(direct.message(), ordinary.message());
    EXPECT_EQ(direct.details(), ordinary.details());
    EXPECT_TRUE(direct.details().contains("42P01")) << direct.details().toStdString();

    {
        db::Transaction tx(db);
        db.insert("Reparti", {{"Descrizione", "Prima"}});
        const quint64 inside = db.statementCount();
        const db::DbError refused = errorOf([&] { db.query(wrong); });
        EXPECT_EQ(db.statementCount() - inside, 1u);
        EXPECT_EQ(refused.message(), ordinary.message());
        EXPECT_EQ(refused.details(), ordinary.details());
    }
    EXPECT_EQ(db.scalar("select count(*) from Reparti where Descrizione = 'Prima'").toInt(), 0);

    // The server drops the connection in the middle of an action: the read
    // says so as every statement does, and the next action reconnects.
    auto admin = a.openAnother("ADMIN");
    try {
        db::Transaction tx(db);
        const QVariant pid = db.scalar("select pg_backend_pid() as P");
        admin->queryNative(QStringLiteral("SELECT pg_terminate_backend(?)"), {pid});
        db.query("select count(*) from Reparti");
        FAIL() << "no error";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.message(), db::EngineErrors::sentence(db::EngineErrors::Kind::Unreachable));
    }
    EXPECT_EQ(db.scalar("select count(*) as N from Reparti").toInt(), 0);
    EXPECT_EQ(db.reconnections(), 1);
}

// A result Qt is still reading keeps the connection: the read goes the
// ordinary way instead of failing on a busy connection.
TEST(PostgresReader, LeavesAResultQtIsReadingAlone) {
    NEED_POSTGRES();
    TestArchive a(db::Engine::PostgreSQL, TestArchive::Content::Structure);
    db::Database& db = a.db();
    for (const char* name : {"Uno", "Due", "Tre"})
        db.insert("Reparti", {{"Descrizione", QString::fromLatin1(name)}});
    QSqlQuery pending(db.handle());
    pending.setForwardOnly(true);
    ASSERT_TRUE(pending.exec(QStringLiteral("SELECT Descrizione FROM Reparti")));
    ASSERT_TRUE(pending.next());
    const db::Result r = db.query("select Descrizione from Reparti order by Descrizione");
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].text("Descrizione"), QStringLiteral("Due"));
}

TEST(PostgresReader, TakesOnlyOnePlainSelect) {
    for (const char* sql :
         {"SELECT a FROM t", "  select a, 'into; --' AS \"x;y\" from t where b = 'it''s';  ",
          "SELECT intorno, into_x FROM t", "select(1)"})
        EXPECT_TRUE(db::isPlainSelect(QString::fromUtf8(sql))) << sql;
    for (const char* sql :
         {"INSERT INTO t VALUES (1)", "select 1; select 2", "SELECT a INTO b FROM t",
          "WITH x AS (DELETE FROM t RETURNING *) SELECT * FROM x", "selection", "select $1",
          "select 1 -- note", "select /* x */ 1", "select 'open", ""})
        EXPECT_FALSE(db::isPlainSelect(QString::fromUtf8(sql))) << sql;
}
