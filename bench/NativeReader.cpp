#include "NativeReader.h"

#include "db/Database.h"
#include "db/DbError.h"

#include <libpq-fe.h>
#include <sqlite3.h>

namespace bench {

NativeReader::NativeReader(const db::Database& db) {
    if (db.engine() == db::Engine::PostgreSQL) {
        m_pg = PQconnectdb(db.archive().toUtf8().constData());
        if (PQstatus(m_pg) != CONNECTION_OK)
            throw db::DbError(QString::fromUtf8(PQerrorMessage(m_pg)));
        return;
    }
    if (sqlite3_open_v2(db.archive().toUtf8().constData(), &m_sqlite, SQLITE_OPEN_READONLY,
                        nullptr) != SQLITE_OK)
        throw db::DbError(QString::fromUtf8(sqlite3_errmsg(m_sqlite)));
}

NativeReader::~NativeReader() {
    if (m_pg)
        PQfinish(m_pg);
    if (m_sqlite)
        sqlite3_close(m_sqlite);
}

int NativeReader::read(const QString& sql) {
    const QByteArray text = sql.toUtf8();
    std::size_t bytes = 0; // every value is looked at, as a grid would
    int rows = 0;
    if (m_pg) {
        PGresult* r = PQexec(m_pg, text.constData());
        if (PQresultStatus(r) != PGRES_TUPLES_OK) {
            const QString message = QString::fromUtf8(PQresultErrorMessage(r));
            PQclear(r);
            throw db::DbError(message + sql);
        }
        rows = PQntuples(r);
        for (int i = 0; i < rows; ++i)
            for (int c = 0; c < PQnfields(r); ++c)
                bytes += std::size_t(PQgetlength(r, i, c));
        PQclear(r);
        m_bytesRead += bytes;
        return rows;
    }
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_sqlite, text.constData(), int(text.size()), &statement, nullptr) !=
        SQLITE_OK)
        throw db::DbError(QString::fromUtf8(sqlite3_errmsg(m_sqlite)) + sql);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < sqlite3_column_count(statement); ++c)
            if (sqlite3_column_type(statement, c) == SQLITE_TEXT)
                bytes += std::size_t(sqlite3_column_bytes(statement, c));
    }
    sqlite3_finalize(statement);
    m_bytesRead += bytes;
    return rows;
}

} // namespace bench
