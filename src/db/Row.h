#pragma once

#include <QDate>
#include <QDateTime>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace db {

// One row of a result, read by column name without regard to case. The typed
// readers smooth over how each engine hands back dates and yes/no values.
class Row {
public:
    Row() = default;
    explicit Row(QSqlRecord record) : m_record(std::move(record)) {}

    QVariant value(const QString& column) const;
    QVariant value(int index) const { return m_record.value(index); }
    bool has(const QString& column) const { return m_record.indexOf(column) >= 0; }
    bool isNull(const QString& column) const;
    QString text(const QString& column) const;
    qint64 integer(const QString& column) const;
    double number(const QString& column) const;
    bool boolean(const QString& column) const;
    QDate date(const QString& column) const;
    QDateTime dateTime(const QString& column) const;
    int columnCount() const { return m_record.count(); }
    const QSqlRecord& record() const { return m_record; }

    // Conversions shared with the command line and the print program.
    static QDate toDate(const QVariant& v);
    static QDateTime toDateTime(const QVariant& v);
    static bool toBool(const QVariant& v);

private:
    QSqlRecord m_record;
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
