#pragma once

#include "db/DirectRows.h"

#include <QString>
#include <optional>

struct sqlite3;

namespace db {

// Reads a statement without bound values, giving each value as Qt's driver
// does (whole numbers as qint64, reals as double, texts as QString, blobs as
// QByteArray, NULL as a null text) without the column metadata and the
// second text conversion the driver spends on every read: a list's page
// costs little more than the engine's own work. nullopt when SQLite refuses
// or interrupts the statement: nothing was returned, and the caller runs it
// the ordinary way, which reports the error as every statement does.
std::optional<DirectRows> readSqlite(sqlite3* handle, const QString& sql);

} // namespace db
