#pragma once

#include "db/DirectRows.h"

#include <QString>
#include <QtSql/qtsqlglobal.h>
#include <optional>

struct pg_conn;
using PGconn = pg_conn;

namespace db {

// Runs one read without bound values through libpq on the connection Qt's
// driver holds, giving each value exactly as the driver does for the
// column's type: bool, int2/int4 as int, int8 as qint64 when negative and
// quint64 otherwise, float and numeric as double (numeric following the
// precision policy), date, time and timestamp as QDate, QTime and QDateTime,
// bytea as QByteArray, anything else (text, citext, varchar...) as QString;
// a NULL is a null value of the column's type. The whole result arrives at
// once: no per-row round trip, no per-value metadata.
//
// nullopt when nothing was sent and the caller should take the ordinary
// way: no connection, a connection still busy with another result, or a
// statement that is not one plain SELECT. Once sent, a refusal comes back
// in DirectRows::error, never as nullopt: inside a transaction the refusal
// has already aborted it, so the statement must not simply run again.
std::optional<DirectRows> readPostgres(PGconn* connection, const QString& sql,
                                       QSql::NumericalPrecisionPolicy precision);

// One SELECT with nothing after it and no INTO: what may go the direct way.
bool isPlainSelect(const QString& sql);

} // namespace db
