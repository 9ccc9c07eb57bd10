#include "db/SingleRow.h"

namespace db {

namespace {

db::Result readAll(db::Database& db, const QString& table) {
    return db.query(QStringLiteral("select * from %1 order by ID").arg(table));
}

} // namespace

db::Row SingleRow::load(db::Database& db, const QString& table) {
    db::Result r = readAll(db, table);
    if (r.empty()) {
        db::Transaction tx(db);
        if (db.scalar(QStringLiteral("select count(*) from %1").arg(table)).toLongLong() == 0)
            db.insert(table, {});
        tx.commit();
        r = readAll(db, table);
    }
    return r.first();
}

void SingleRow::save(db::Database& db, const QString& table, const db::Values& values) {
    db::Transaction tx(db);
    const QVariant key = db.scalar(QStringLiteral("select min(ID) from %1").arg(table));
    if (key.isNull() || !key.isValid())
        db.insert(table, values);
    else
        db.update(table, key.toLongLong(), values);
    tx.commit();
}

} // namespace db
