#pragma once

#include "db/Row.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariantList>
#include <optional>

namespace db {

class Database;

// A list read from the archive a page at a time, for grids over tables that
// grow for twenty years. The engine counts the rows with one aggregate and
// sorts them on its indexes; only the pages the user looks at are read, and
// only a few of them are kept, so memory does not grow with the archive.
//
// The statement is a Jet select without ORDER BY; the order is a list of
// output columns ("Data, Num"), and the key column breaks ties so that the
// order is total and a page never shows a row twice.
class PagedQuery {
public:
    struct Order {
        QString column; // an output column of the select
        bool descending = false;
    };

    PagedQuery(Database& db, QString jetSelect, QList<Order> order, QString keyColumn,
               QVariantList binds = {});

    static QList<Order> parseOrder(const QString& jetOrder);

    // Rows in the list; counted once per (re)load. The first page is read
    // with it: a short one is the whole list.
    int count();
    // The rows known without counting: the count once taken, otherwise the
    // rows of the first page (read if it is not yet), which is the whole
    // list when it is short. A list shows its first screen with this and
    // counts afterwards.
    int rowsKnown();
    bool counted() const { return m_count.has_value(); }
    // The row at a position, 0-based; read with its page when not kept.
    Row row(int position);
    // Where the row of a key stands in the current order; nullopt when the
    // list does not hold it.
    std::optional<int> positionOf(qint64 key);

    // Sorts first by one column (the user's click on a title), then by the
    // list's own order. An empty column goes back to the list's order.
    void sortBy(const QString& column, bool descending);
    // Forgets the count and every page: the next read sees the archive anew.
    void reload();
    // Counts with this Jet select instead of the list's own: one that gives
    // the same rows with fewer joins, so the engine does not join every row
    // of the list only to count it.
    void setCountSelect(const QString& jetSelect);

    // The engine's statement that reads one page (for query plans).
    QString pageStatement(int number);

    void setPageSize(int rows) { m_pageSize = qMax(1, rows); }
    // Pages kept in memory at most.
    void setPagesKept(int pages) { m_pagesKept = qMax(1, pages); }

private:
    QList<Order> effectiveOrder() const;
    QString orderClause(bool outer) const;
    const std::vector<Row>& page(int number);
    void prepare();

    Database& m_db;
    QString m_select;
    QList<Order> m_order;
    std::optional<Order> m_userSort;
    QString m_key;
    QVariantList m_binds;
    int m_pageSize = 200;
    int m_pagesKept = 12;

    // Native forms, built on first use.
    bool m_prepared = false;
    QString m_nativeSelect;
    QStringList m_aliases;
    QString m_countSelect; // Jet; the list's own select when empty
    std::optional<int> m_count;
    QHash<int, std::vector<Row>> m_pages;
    QList<int> m_recent; // page numbers, most recently used last
};

} // namespace db
