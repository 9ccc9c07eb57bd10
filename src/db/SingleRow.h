#pragma once

#include "db/Database.h"

namespace db {

// Tables that hold exactly one row (opzioni, ditta).
class SingleRow {
public:
    // The row; an empty one is inserted first when the table has none.
    static db::Row load(db::Database& db, const QString& table);
    // Writes the given columns of the row, inserting it when missing.
    static void save(db::Database& db, const QString& table, const db::Values& values);
};

} // namespace db
