#include "cemetery/TableDefaults.h"

#include "common/TextForms.h"
#include "db/SchemaCatalog.h"

namespace cemetery {

namespace {

std::optional<bool> readYesNo(const QString& text) {
    const QString t = text.trimmed().toLower();
    static const QStringList yes{
        QStringLiteral("sì"), QStringLiteral("si"), QStringLiteral("vero"), QStringLiteral("true"),
        QStringLiteral("1"),  QStringLiteral("s"),  QStringLiteral("-1")};
    static const QStringList no{QStringLiteral("no"), QStringLiteral("falso"),
                                QStringLiteral("false"), QStringLiteral("0"), QStringLiteral("n")};
    if (yes.contains(t))
        return true;
    if (no.contains(t))
        return false;
    return std::nullopt;
}

} // namespace

QVariant TableDefaults::convert(const QString& table, const QString& column, const QString& text) {
    const db::TableInfo* info = db::SchemaCatalog::instance().table(table);
    const db::ColumnInfo* col = info ? info->column(column) : nullptr;
    if (!col || col->name.compare(info->key, Qt::CaseInsensitive) == 0)
        return {};
    const QString t = text.trimmed();
    switch (col->type) {
    case db::ColumnType::Text:
    case db::ColumnType::Memo:
        return text;
    case db::ColumnType::Integer:
    case db::ColumnType::Counter: {
        bool ok = false;
        const qint64 n = t.toLongLong(&ok);
        return ok ? QVariant(n) : QVariant();
    }
    case db::ColumnType::Double: {
        double d = 0;
        return common::parseItalianAmount(t, &d) ? QVariant(d) : QVariant();
    }
    case db::ColumnType::DateTime: {
        const QDate d = common::parseItalianDate(t);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case db::ColumnType::YesNo: {
        const auto b = readYesNo(t);
        return b ? QVariant(*b) : QVariant();
    }
    case db::ColumnType::Binary:
        return {};
    }
    return {};
}

QList<TableDefaults::Entry> TableDefaults::entries(db::Database& db, const QString& table) {
    QList<Entry> out;
    const db::Result r = db.query(QStringLiteral("select NomeCampo, Valore from Personalizzazioni "
                                                 "where NomeComputer = ? and NomeTabella = ? "
                                                 "order by ID"),
                                  {db.workstation(), table});
    for (const db::Row& row : r)
        out.append({row.text(QStringLiteral("NomeCampo")), row.text(QStringLiteral("Valore"))});
    return out;
}

void TableDefaults::apply(db::Database& db, const QString& table, db::Values& values) {
    const db::TableInfo* info = db::SchemaCatalog::instance().table(table);
    if (!info)
        return;
    for (const Entry& e : entries(db, table)) {
        const db::ColumnInfo* col = info->column(e.column.trimmed());
        if (!col)
            continue;
        const QVariant v = convert(table, col->name, e.value);
        if (v.isNull())
            continue;
        bool replaced = false;
        for (auto& [name, value] : values)
            if (name.compare(col->name, Qt::CaseInsensitive) == 0) {
                value = v;
                replaced = true;
            }
        if (!replaced)
            values.append({col->name, v});
    }
}

void TableDefaults::apply(db::Database& db, const QString& table, QVariantMap& values) {
    db::Values list;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        list.append({it.key(), it.value()});
    apply(db, table, list);
    for (const auto& [name, value] : list) {
        // Keep the spelling the caller used for a column it already had.
        QString key = name;
        for (auto it = values.constBegin(); it != values.constEnd(); ++it)
            if (it.key().compare(name, Qt::CaseInsensitive) == 0)
                key = it.key();
        values.insert(key, value);
    }
}

void TableDefaults::store(db::Database& db, const QString& table, const QList<Entry>& entries) {
    db::Transaction tx(db);
    db.exec(QStringLiteral(
                "delete * from Personalizzazioni where NomeComputer = ? and NomeTabella = ?"),
            {db.workstation(), table});
    for (const Entry& e : entries) {
        if (e.column.trimmed().isEmpty())
            continue;
        db.insert(QStringLiteral("Personalizzazioni"),
                  {{QStringLiteral("NomeComputer"), db.workstation()},
                   {QStringLiteral("NomeTabella"), table},
                   {QStringLiteral("NomeCampo"), e.column.trimmed()},
                   {QStringLiteral("Valore"), e.value}});
    }
    tx.commit();
}

QStringList TableDefaults::columns(const QString& table) {
    QStringList out;
    const db::TableInfo* info = db::SchemaCatalog::instance().table(table);
    if (!info)
        return out;
    for (const db::ColumnInfo& c : info->columns)
        if (c.name.compare(info->key, Qt::CaseInsensitive) != 0 && c.type != db::ColumnType::Binary)
            out.append(c.name);
    return out;
}

} // namespace cemetery
