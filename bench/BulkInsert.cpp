#include "BulkInsert.h"

#include "db/Database.h"
#include "db/DbError.h"

#include <QDate>
#include <QSqlError>

namespace bench {

BulkInsert::BulkInsert(db::Database& db, QString table, QStringList columns)
    : m_db(db), m_table(std::move(table)), m_columns(std::move(columns)) {
    // Binding costs more per value as a statement grows: a few hundred
    // values a batch is the fastest on both engines.
    m_rowsPerStatement = qBound(1, 600 / int(m_columns.size()), 100);
    m_full = QSqlQuery(m_db.handle());
    if (!m_full.prepare(statement(m_rowsPerStatement)))
        throw db::DbError(m_full.lastError().text());
}

QString BulkInsert::statement(int rows) const {
    QStringList marks(m_columns.size(), QStringLiteral("?"));
    const QString one = u'(' + marks.join(u',') + u')';
    QStringList all(rows, one);
    return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
        .arg(m_table, m_columns.join(u','), all.join(u','));
}

void BulkInsert::add(const QVariantList& values) {
    Q_ASSERT(values.size() == m_columns.size());
    m_pending += values;
    if (++m_pendingRows == m_rowsPerStatement)
        flush();
}

void BulkInsert::flush() {
    if (m_pendingRows == 0)
        return;
    if (m_pendingRows < m_rowsPerStatement) {
        m_db.execNative(statement(m_pendingRows), m_pending);
    } else {
        // Values as the archive layer binds them: dates as ISO text,
        // yes/no as 1 and 0.
        for (int i = 0; i < m_pending.size(); ++i) {
            const QVariant& v = m_pending.at(i);
            if (v.typeId() == QMetaType::QDate)
                m_full.bindValue(i, v.toDate().toString(Qt::ISODate));
            else if (v.typeId() == QMetaType::Bool)
                m_full.bindValue(i, v.toBool() ? 1 : 0);
            else
                m_full.bindValue(i, v);
        }
        if (!m_full.exec())
            throw db::DbError(m_full.lastError().text());
    }
    m_pending.clear();
    m_pendingRows = 0;
}

qint64 nextKey(db::Database& db, const QString& table, const QString& key) {
    return db.scalar(QStringLiteral("select max(%1) from %2").arg(key, table)).toLongLong() + 1;
}

void followKeys(db::Database& db, const QString& table, const QString& key) {
    if (db.engine() != db::Engine::PostgreSQL)
        return; // SQLite's AUTOINCREMENT already remembers the largest key
    db.queryNative(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), (SELECT "
                                  "COALESCE(MAX(%2), 0) + 1 FROM %1), false)")
                       .arg(table.toLower(), key.toLower()));
}

SecondaryIndexes::SecondaryIndexes(db::Database& db, const QStringList& tables) : m_db(db) {
    QStringList names;
    for (const QString& table : tables) {
        const db::Result indexes =
            db.engine() == db::Engine::PostgreSQL
                ? db.queryNative(
                      QStringLiteral("SELECT indexname, indexdef FROM pg_indexes i WHERE "
                                     "schemaname = current_schema() AND tablename = ? AND NOT "
                                     "EXISTS (SELECT 1 FROM pg_constraint c WHERE c.conname = "
                                     "i.indexname)"),
                      {table.toLower()})
                : db.queryNative(QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type "
                                                "= 'index' AND sql IS NOT NULL AND tbl_name = ? "
                                                "COLLATE NOCASE"),
                                 {table});
        for (const db::Row& r : indexes) {
            names << r.value(0).toString();
            m_definitions << r.value(1).toString();
        }
    }
    for (const QString& name : names)
        db.execNative(QStringLiteral("DROP INDEX %1").arg(name));
}

void SecondaryIndexes::rebuild() {
    for (const QString& definition : m_definitions)
        m_db.execNative(definition);
    m_definitions.clear();
}

} // namespace bench
