#include "db/RegistryRecord.h"

#include "common/TextForms.h"
#include "db/SchemaCatalog.h"

namespace db {

namespace {

QVariant typed(const QVariant& raw, std::optional<db::ColumnType> type) {
    if (raw.isNull() || !type)
        return raw;
    switch (*type) {
    case db::ColumnType::DateTime: {
        const QDateTime dt = db::Row::toDateTime(raw);
        if (!dt.isValid())
            return QVariant();
        if (dt.time() == QTime(0, 0))
            return dt.date();
        return dt;
    }
    case db::ColumnType::YesNo:
        return db::Row::toBool(raw);
    case db::ColumnType::Double:
        return raw.toDouble();
    case db::ColumnType::Integer:
    case db::ColumnType::Counter:
        return raw.toLongLong();
    case db::ColumnType::Text:
    case db::ColumnType::Memo:
        return raw.toString();
    case db::ColumnType::Binary:
        return raw;
    }
    return raw;
}

} // namespace

RegistryRecord readRecord(db::Database& db, const QString& table, qint64 key) {
    const db::TableInfo* info = db::SchemaCatalog::instance().table(table);
    const QString keyColumn = info && !info->key.isEmpty() ? info->key : QStringLiteral("ID");
    const db::Result result =
        db.query(QStringLiteral("select * from %1 where %2 = ?").arg(table, keyColumn), {key});
    RegistryRecord record;
    if (result.empty())
        return record;
    const db::Row& row = result.first();
    const db::SchemaCatalog& catalog = db::SchemaCatalog::instance();
    for (int i = 0; i < row.columnCount(); ++i) {
        // The table's own spelling: the same name may be spelled otherwise
        // elsewhere (Clienti.Via, Fornitor.VIA).
        const QString name = result.columns.value(i);
        const db::ColumnInfo* known = info ? info->column(name) : nullptr;
        const QString column = known ? known->name : catalog.spelling(name);
        record.insert(column, typed(row.value(i), catalog.columnType(table, column)));
    }
    return record;
}

db::Values recordValues(const RegistryRecord& record, const QString& keyColumn) {
    db::Values values;
    for (auto it = record.cbegin(); it != record.cend(); ++it)
        if (it.key().compare(keyColumn, Qt::CaseInsensitive) != 0)
            values.append({it.key(), it.value()});
    return values;
}

QVariant recordValue(const RegistryRecord& record, const QString& column) {
    const auto it = record.constFind(column);
    if (it != record.cend())
        return it.value();
    for (auto i = record.cbegin(); i != record.cend(); ++i)
        if (i.key().compare(column, Qt::CaseInsensitive) == 0)
            return i.value();
    return QVariant();
}

QString recordText(const RegistryRecord& record, const QString& column) {
    const QVariant v = recordValue(record, column);
    if (v.isNull())
        return QString();
    return v.toString().trimmed();
}

qint64 RecordKey(const RegistryRecord& record, const QString& column) {
    const QVariant v = recordValue(record, column);
    return v.isNull() ? 0 : v.toLongLong();
}

QDate recordDate(const RegistryRecord& record, const QString& column) {
    const QVariant v = recordValue(record, column);
    if (v.isNull())
        return QDate();
    if (v.typeId() == QMetaType::QString)
        return common::parseItalianDate(v.toString().trimmed());
    return db::Row::toDate(v);
}

bool isReferenced(db::Database& db, const QStringList& tables, const QString& column, qint64 key) {
    for (const QString& table : tables) {
        const QString sql =
            QStringLiteral("select count(*) as N from %1 where %2 = ?").arg(table, column);
        if (db.scalar(sql, {key}).toLongLong() > 0)
            return true;
    }
    return false;
}

} // namespace db
