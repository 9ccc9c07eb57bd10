#pragma once

#include "QtPrinters.h"
#include "db/Database.h"

#include <QTemporaryDir>
#include <memory>

// A fresh archive per test: an SQLite file in a temporary folder, or a new
// PostgreSQL schema on the server named by OSSARION_TEST_PG (a postgresql://
// URI), dropped at the end.
class TestArchive {
public:
    enum class Content { Empty, Structure, Full };

    explicit TestArchive(db::Engine engine, Content content = Content::Full);
    ~TestArchive();

    static bool postgresAvailable();
    static QString postgresAddress();

    db::Database& db() { return *m_db; }
    // The address another connection (another workstation) would open.
    const QString& address() const { return m_address; }
    std::unique_ptr<db::Database> openAnother(const QString& workstation);

private:
    QTemporaryDir m_dir;
    QString m_address;
    QString m_schema;
    std::unique_ptr<db::Database> m_db;
};

// Runs a test body on SQLite, and on PostgreSQL when the test server is up.
#define FOR_EACH_ENGINE(engineVar)                                                                 \
    for (db::Engine engineVar : {db::Engine::SQLite, db::Engine::PostgreSQL})                      \
        if (engineVar == db::Engine::PostgreSQL && !TestArchive::postgresAvailable()) {            \
        } else
