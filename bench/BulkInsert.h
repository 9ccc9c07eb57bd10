#pragma once

#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace db {
class Database;
}

namespace bench {

// Inserts rows many at a time: one statement with the values of many rows,
// prepared once and sent again with each batch; the last, shorter batch on
// its own by flush().
class BulkInsert {
public:
    BulkInsert(db::Database& db, QString table, QStringList columns);
    void add(const QVariantList& values);
    void flush();

private:
    QString statement(int rows) const;

    db::Database& m_db;
    QString m_table;
    QStringList m_columns;
    int m_rowsPerStatement;
    QSqlQuery m_full; // a full batch, prepared once
    QVariantList m_pending;
    int m_pendingRows = 0;
};

// The next free key of a table, for rows inserted with their key given.
qint64 nextKey(db::Database& db, const QString& table, const QString& key);
// After rows were inserted with their keys given, the engine's own counter
// goes on after the largest (PostgreSQL's sequences do not follow by themselves).
void followKeys(db::Database& db, const QString& table, const QString& key);

// The secondary indexes of some tables, dropped while they are filled and
// built again at the end: one sort per index instead of a million updates.
class SecondaryIndexes {
public:
    SecondaryIndexes(db::Database& db, const QStringList& tables);
    void rebuild();

private:
    db::Database& m_db;
    QStringList m_definitions;
};

} // namespace bench
