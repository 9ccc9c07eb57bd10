#include "db/SchemaCatalog.h"

namespace db {

const ColumnInfo* TableInfo::column(const QString& n) const {
    for (const ColumnInfo& c : columns)
        if (c.name.compare(n, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

SchemaCatalog& SchemaCatalog::instance() {
    static SchemaCatalog catalog;
    return catalog;
}

void SchemaCatalog::addTable(const QString& table) {
    const QString key = table.toLower();
    if (!m_tables.contains(key)) {
        m_tables.insert(key, TableInfo{table, QString(), {}});
        ++m_generation;
    }
    if (m_spelling.value(key) != table) {
        m_spelling.insert(key, table);
        ++m_generation;
    }
}

void SchemaCatalog::addColumn(const QString& table, const QString& column, ColumnType type) {
    addTable(table);
    TableInfo& t = m_tables[table.toLower()];
    if (t.column(column))
        return;
    ++m_generation;
    t.columns.append(ColumnInfo{column, type});
    if (type == ColumnType::Counter)
        t.key = column;
    if (type == ColumnType::DateTime)
        ++m_dateColumns[column.toLower()];
    if (!m_spelling.contains(column.toLower()))
        m_spelling.insert(column.toLower(), column);
}

void SchemaCatalog::dropColumn(const QString& table, const QString& column) {
    auto it = m_tables.find(table.toLower());
    if (it == m_tables.end())
        return;
    for (qsizetype i = 0; i < it->columns.size(); ++i) {
        if (it->columns[i].name.compare(column, Qt::CaseInsensitive) == 0) {
            if (it->columns[i].type == ColumnType::DateTime)
                --m_dateColumns[column.toLower()];
            it->columns.removeAt(i);
            ++m_generation;
            return;
        }
    }
}

void SchemaCatalog::dropTable(const QString& table) {
    auto it = m_tables.find(table.toLower());
    if (it == m_tables.end())
        return;
    for (const ColumnInfo& c : it->columns)
        if (c.type == ColumnType::DateTime)
            --m_dateColumns[c.name.toLower()];
    m_tables.erase(it);
    ++m_generation;
}

void SchemaCatalog::addSpelling(const QString& name) {
    if (!m_spelling.contains(name.toLower())) {
        m_spelling.insert(name.toLower(), name);
        ++m_generation;
    }
}

const TableInfo* SchemaCatalog::table(const QString& name) const {
    auto it = m_tables.constFind(name.toLower());
    return it == m_tables.constEnd() ? nullptr : &*it;
}

std::optional<ColumnType> SchemaCatalog::columnType(const QString& table,
                                                    const QString& column) const {
    const TableInfo* t = this->table(table);
    if (!t)
        return std::nullopt;
    const ColumnInfo* c = t->column(column);
    if (!c)
        return std::nullopt;
    return c->type;
}

bool SchemaCatalog::isDateColumn(const QString& column) const {
    return m_dateColumns.value(column.toLower()) > 0;
}

QString SchemaCatalog::spelling(const QString& name) const {
    return m_spelling.value(name.toLower(), name);
}

QStringList SchemaCatalog::tableNames() const {
    QStringList names;
    for (const TableInfo& t : m_tables)
        names.append(t.name);
    names.sort(Qt::CaseInsensitive);
    return names;
}

} // namespace db
