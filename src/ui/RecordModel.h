#pragma once

#include "db/Row.h"
#include "ui/GridLayouts.h"

#include <QAbstractTableModel>
#include <QColor>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace db {
class PagedQuery;
}

namespace ui {

// Read-only rows of a query shown through a chosen list of columns. Dates
// show as dd/MM/yyyy, amounts with a decimal comma, yes/no values as check
// marks. The rows come either from a result read whole (small lists, sorted
// here) or from a paged query (the big lists: the engine counts, sorts and
// hands back only the pages shown).
class RecordModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // The table whose schema tells the kind of each column (optional).
    void setTable(const QString& table) {
        m_table = table;
        m_shown.clear();
    }
    void setColumns(const ::ui::GridColumns& columns);
    const ::ui::GridColumns& columns() const { return m_columns; }
    void setResult(db::Result result);
    const db::Result& result() const { return m_result; }
    // The rows of a paged query, sorted as the model is sorted.
    void setQuery(std::shared_ptr<db::PagedQuery> query);
    // The position of the row whose keyColumn holds key.
    std::optional<int> rowOf(qint64 key, const QString& keyColumn) const;
    // "Field ASC" or "Field DESC"; empty keeps the query's order.
    void setSort(const QString& sortText);
    const QString& sort() const { return m_sort; }
    // Paints the cells of one column (by field name) with a background colour.
    void setHighlight(const QString& field, const QColor& colour);
    // Colours the text of whole rows: the colour of a row, or an invalid one
    // to leave it as it is.
    void setRowColour(std::function<QColor(const db::Row&)> colour) {
        m_rowColour = std::move(colour);
        m_colourRow = -1;
    }

    db::Row row(int r) const;
    QVariant value(int r, const QString& field) const;

    // A paged query shows its first page at once and is counted afterwards:
    // until then the model holds the first page's rows and can fetch more.
    // countRows() takes the count and adds the rows past the first page.
    void countRows();
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    enum class Shown { Plain, Number, Amount, Date, Check };
    Shown shownAs(const QString& field) const;
    Shown shownAt(int column) const;
    QVariant cellValue(const db::Row& row, int column) const;
    QColor rowColourAt(int row) const;
    void applySort();
    void replaceRows(const std::function<void()>& fill);

    QString m_table;
    ::ui::GridColumns m_columns;
    db::Result m_result;
    std::vector<int> m_order;
    std::shared_ptr<db::PagedQuery> m_query;
    int m_queryRows = 0; // the paged query's rows the model has shown so far
    QString m_sort;
    QString m_highlightField;
    QColor m_highlightColour;
    std::function<QColor(const db::Row&)> m_rowColour;

    // Worked out once, not at every cell the view paints: how each column
    // shows, where each column stands in the rows of the result last read,
    // and the colour of the row last painted (views paint row by row).
    mutable std::vector<Shown> m_shown;
    mutable std::shared_ptr<const db::RowColumns> m_indexedColumns; // kept, so never reused
    mutable std::vector<int> m_columnIndex;
    mutable int m_colourRow = -1;
    mutable QColor m_colour;
};

} // namespace ui
