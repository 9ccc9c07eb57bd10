#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace db {

// Column kinds of the archive, as Jet DDL names them.
enum class ColumnType { Counter, Text, Memo, Integer, Double, YesNo, DateTime, Binary };

struct ColumnInfo {
    QString name; // spelled as the schema spells it
    ColumnType type = ColumnType::Text;
};

struct TableInfo {
    QString name;
    QString key; // the auto-number column
    QList<ColumnInfo> columns;
    const ColumnInfo* column(const QString& name) const;
};

// What the program knows of the archive's tables: filled from the DDL the
// translator sees (the built-in schema and any upgrade script). PostgreSQL
// folds unquoted names to lower case; the catalog gives them back their
// spelling, and tells which columns hold dates and yes/no values.
class SchemaCatalog {
public:
    static SchemaCatalog& instance();

    void addTable(const QString& table);
    void addColumn(const QString& table, const QString& column, ColumnType type);
    void dropColumn(const QString& table, const QString& column);
    void dropTable(const QString& table);
    // A name whose spelling is known but not its table (kept by the archive).
    void addSpelling(const QString& name);

    const TableInfo* table(const QString& name) const;
    std::optional<ColumnType> columnType(const QString& table, const QString& column) const;
    // True when some table has a date column of that name.
    bool isDateColumn(const QString& column) const;
    // The spelling of a table or column name, or the name itself when unknown.
    QString spelling(const QString& name) const;
    QStringList tableNames() const;
    // Changes whenever the catalog does: what was translated under an older
    // one may read differently now.
    quint64 generation() const { return m_generation; }

private:
    quint64 m_generation = 0;
    QHash<QString, TableInfo> m_tables; // key: lower-case name
    QHash<QString, QString> m_spelling; // lower-case → spelling
    QHash<QString, int> m_dateColumns;  // lower-case column → tables having it as date
};

} // namespace db
