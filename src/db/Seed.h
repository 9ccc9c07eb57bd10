#pragma once

#include <QString>

namespace db {

class Database;

// Loads the rows a new archive starts with, one TSV file per table: header of
// column names, one row per line, an empty cell for NULL.
class Seed {
public:
    static void loadAll(Database& db);
    static int loadTable(Database& db, const QString& table, const QString& tsvText);
};

} // namespace db
