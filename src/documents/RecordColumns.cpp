#include "documents/RecordColumns.h"

#include "common/TextForms.h"
#include "db/SchemaCatalog.h"

#include <QSet>

namespace documents {

namespace {

QVariant stored(db::ColumnType type, const QVariant& v) {
    if (v.isNull() || v.typeId() != QMetaType::QString)
        return v;
    const QString text = v.toString().trimmed();
    switch (type) {
    case db::ColumnType::DateTime: {
        const QDate d = common::parseItalianDate(text);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case db::ColumnType::Integer: {
        bool ok = false;
        const qint64 n = text.toLongLong(&ok);
        return ok ? QVariant(n) : QVariant();
    }
    case db::ColumnType::Double: {
        double amount = 0;
        return common::parseItalianAmount(text, &amount) ? QVariant(amount) : QVariant();
    }
    case db::ColumnType::YesNo:
        return text == QLatin1String("1") ||
               text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    default:
        return v;
    }
}

} // namespace

db::Values columnValues(const QString& table, const QVariantMap& record) {
    const db::TableInfo* info = db::SchemaCatalog::instance().table(table);
    db::Values values;
    QSet<QString> seen;
    for (auto it = record.cbegin(); it != record.cend(); ++it) {
        const db::ColumnInfo* column = info ? info->column(it.key()) : nullptr;
        if (!column || column->type == db::ColumnType::Counter)
            continue;
        if (seen.contains(column->name.toLower()))
            continue;
        seen.insert(column->name.toLower());
        values.append({column->name, stored(column->type, it.value())});
    }
    return values;
}

} // namespace documents
