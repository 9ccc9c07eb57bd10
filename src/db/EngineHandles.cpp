#include "db/EngineHandles.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>

namespace db {

namespace {

// The driver's handle when Qt names its type as one of these.
void* handleNamed(const QSqlDatabase& db, std::initializer_list<const char*> typeNames) {
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    if (!v.isValid())
        return nullptr;
    for (const char* name : typeNames)
        if (qstrcmp(v.typeName(), name) == 0)
            return *static_cast<void* const*>(v.constData());
    return nullptr;
}

} // namespace

sqlite3* sqliteConnection(const QSqlDatabase& db) {
    return static_cast<sqlite3*>(handleNamed(db, {"sqlite3*"}));
}

pg_conn* postgresConnection(const QSqlDatabase& db) {
    // Qt names the type by the structure PGconn stands for.
    return static_cast<pg_conn*>(handleNamed(db, {"pg_conn*", "PGconn*"}));
}

} // namespace db
