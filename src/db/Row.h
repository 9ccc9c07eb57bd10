#pragma once

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

namespace db {

// The column names of a result, shared by all its rows.
class RowColumns {
public:
    explicit RowColumns(QStringList names);
    // Without regard to case; -1 when absent. "table.column" finds only a
    // column spelled so, never another table's column of that name.
    int indexOf(const QString& name) const;
    const QStringList& names() const { return m_names; }

private:
    QStringList m_names;
    QHash<QString, int> m_exact; // name as spelled → first column of that name
    QHash<QString, int> m_index; // lower-case name → first column of that name
};

// One row of a result, read by column name without regard to case. The typed
// readers smooth over how each engine hands back dates and yes/no values.
// Rows keep only their values; the names live once in the shared columns, so
// a list of many thousand documents stays small.
class Row {
public:
    Row() = default;
    Row(std::shared_ptr<const RowColumns> columns, QVariantList values)
        : m_columns(std::move(columns)), m_values(std::move(values)) {}

    QVariant value(const QString& column) const;
    QVariant value(int index) const { return m_values.value(index); }
    bool has(const QString& column) const { return m_columns && m_columns->indexOf(column) >= 0; }
    bool isNull(const QString& column) const;
    QString text(const QString& column) const;
    qint64 integer(const QString& column) const;
    double number(const QString& column) const;
    bool boolean(const QString& column) const;
    QDate date(const QString& column) const;
    QDateTime dateTime(const QString& column) const;
    int columnCount() const { return int(m_values.size()); }
    // The shared names of the result the row belongs to (null for an empty
    // row): rows of one result answer alike, so a reader may keep indexes.
    const std::shared_ptr<const RowColumns>& columns() const { return m_columns; }
    // The name the engine gave the column.
    QString columnName(int index) const {
        return m_columns ? m_columns->names().value(index) : QString();
    }

    // Conversions shared with the command line and the print program.
    static QDate toDate(const QVariant& v);
    static QDateTime toDateTime(const QVariant& v);
    static bool toBool(const QVariant& v);

private:
    std::shared_ptr<const RowColumns> m_columns;
    QVariantList m_values;
};

// A whole result, read into memory.
struct Result {
    QStringList columns; // spelled as the schema or the statement spells them
    std::vector<Row> rows;

    bool empty() const { return rows.empty(); }
    std::size_t size() const { return rows.size(); }
    const Row& operator[](std::size_t i) const { return rows[i]; }
    const Row& first() const { return rows.front(); }
    auto begin() const { return rows.begin(); }
    auto end() const { return rows.end(); }
};

} // namespace db
