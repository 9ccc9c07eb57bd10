#pragma once

#include <QString>
#include <cstddef>

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
    // Bytes of text read so far: the values are looked at, as a grid would.
    std::size_t bytesRead() const { return m_bytesRead; }

private:
    sqlite3* m_sqlite = nullptr;
    pg_conn* m_pg = nullptr;
    std::size_t m_bytesRead = 0;
};

} // namespace bench
