#pragma once

class QSqlDatabase;
struct sqlite3;
struct pg_conn;

namespace db {

// The engine's own connection under Qt's driver, for what only the C
// interface offers (text rules, online backup, direct reads); null when the
// connection is of the other engine or not open.
sqlite3* sqliteConnection(const QSqlDatabase& db);
pg_conn* postgresConnection(const QSqlDatabase& db);

} // namespace db
