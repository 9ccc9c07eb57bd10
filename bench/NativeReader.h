#pragma once

#include <QString>

namespace db {
class Database;
}

struct sqlite3;
struct pg_conn;

namespace bench {

// A connection of its own to the same archive through the engine's C
// library (sqlite3 or libpq): the floor a list's first screen is compared to.
class NativeReader {
public:
    explicit NativeReader(const db::Database& db);
    ~NativeReader();
    NativeReader(const NativeReader&) = delete;
    NativeReader& operator=(const NativeReader&) = delete;

    bool postgres() const { return m_pg != nullptr; }
    // Runs one statement and reads every value of every row; the rows read.
    int read(const QString& sql);

private:
    sqlite3* m_sqlite = nullptr;
    pg_conn* m_pg = nullptr;
};

} // namespace bench
