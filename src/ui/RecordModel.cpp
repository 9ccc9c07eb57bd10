#include "ui/RecordModel.h"

#include "common/TextForms.h"
#include "db/DbError.h"
#include "db/PagedQuery.h"
#include "db/SchemaCatalog.h"

#include <QCollator>
#include <algorithm>

namespace ui {

namespace {

bool isNumber(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

int compareValues(const QVariant& a, const QVariant& b, const QCollator& collator) {
    if (a.isNull() || b.isNull())
        return int(!a.isNull()) - int(!b.isNull());
    if (isNumber(a) && isNumber(b)) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    bool okA = false, okB = false;
    const double x = a.toString().toDouble(&okA), y = b.toString().toDouble(&okB);
    if (okA && okB)
        return x < y ? -1 : (x > y ? 1 : 0);
    return collator.compare(a.toString(), b.toString());
}

} // namespace

void RecordModel::setColumns(const ::ui::GridColumns& columns) {
    beginResetModel();
    m_columns = columns;
    m_shown.clear();
    m_indexedColumns.reset();
    endResetModel();
}

void RecordModel::setHighlight(const QString& field, const QColor& colour) {
    m_highlightField = field;
    m_highlightColour = colour;
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

// Rows are replaced by removing and inserting them, never by a model reset,
// so that the views keep their column widths and order.
void RecordModel::replaceRows(const std::function<void()>& fill) {
    const int before = rowCount();
    if (before > 0)
        beginRemoveRows({}, 0, before - 1);
    m_order.clear();
    m_result = db::Result{};
    m_query.reset();
    m_queryRows = 0;
    m_colourRow = -1;
    m_indexedColumns.reset();
    if (before > 0)
        endRemoveRows();
    fill();
    const int after = rowCount();
    if (after > 0) {
        beginInsertRows({}, 0, after - 1);
        endInsertRows();
    }
}

void RecordModel::setResult(db::Result result) {
    replaceRows([&] {
        m_result = std::move(result);
        applySort();
    });
}

void RecordModel::setQuery(std::shared_ptr<db::PagedQuery> query) {
    replaceRows([&] {
        m_query = std::move(query);
        applySort();
        try {
            m_queryRows = m_query->rowsKnown();
        } catch (const db::DbError&) {
            // Shown as no rows; the next action tells the user.
            m_queryRows = 0;
        }
    });
}

void RecordModel::countRows() {
    if (!m_query || m_query->counted())
        return;
    const int total = m_query->count();
    m_colourRow = -1;
    if (total > m_queryRows) {
        beginInsertRows({}, m_queryRows, total - 1);
        m_queryRows = total;
        endInsertRows();
    } else if (total < m_queryRows) {
        // Rows deleted by another workstation since the first page was read.
        beginRemoveRows({}, total, m_queryRows - 1);
        m_queryRows = total;
        endRemoveRows();
    }
}

bool RecordModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && m_query && !m_query->counted();
}

void RecordModel::fetchMore(const QModelIndex& parent) {
    if (parent.isValid())
        return;
    try {
        countRows();
    } catch (const db::DbError&) {
        // The view asks again on the next scroll; the next action tells the user.
    }
}

db::Row RecordModel::row(int r) const {
    if (m_query) {
        try {
            return m_query->row(r);
        } catch (const db::DbError&) {
            // The archive went away while painting: the cell stays empty and
            // the next action tells the user.
            return db::Row();
        }
    }
    return m_result.rows[m_order[r]];
}

std::optional<int> RecordModel::rowOf(qint64 key, const QString& keyColumn) const {
    if (key == 0)
        return std::nullopt;
    if (m_query)
        return m_query->positionOf(key);
    for (int r = 0; r < int(m_order.size()); ++r)
        if (value(r, keyColumn).toLongLong() == key)
            return r;
    return std::nullopt;
}

void RecordModel::setSort(const QString& sortText) {
    emit layoutAboutToBeChanged();
    m_sort = sortText;
    m_colourRow = -1;
    applySort();
    emit layoutChanged();
}

void RecordModel::applySort() {
    if (m_query) {
        const QString sort = m_sort.trimmed();
        const int space = sort.lastIndexOf(u' ');
        const bool descending = sort.endsWith(QLatin1String(" DESC"), Qt::CaseInsensitive);
        const bool ascending = sort.endsWith(QLatin1String(" ASC"), Qt::CaseInsensitive);
        m_query->sortBy(space > 0 && (descending || ascending) ? sort.left(space) : sort,
                        descending);
        return;
    }
    m_order.resize(m_result.rows.size());
    for (std::size_t i = 0; i < m_order.size(); ++i)
        m_order[i] = int(i);
    const QString sort = m_sort.trimmed();
    if (sort.isEmpty())
        return;
    const int space = sort.lastIndexOf(u' ');
    const QString field = space > 0 ? sort.left(space) : sort;
    const bool descending = sort.endsWith(QLatin1String(" DESC"), Qt::CaseInsensitive);
    if (!m_result.rows.empty() && !m_result.rows.front().has(field))
        return;
    QCollator collator(QLocale(QLocale::Italian, QLocale::Italy));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
        const int c =
            compareValues(m_result.rows[a].value(field), m_result.rows[b].value(field), collator);
        return descending ? c > 0 : c < 0;
    });
}

QVariant RecordModel::value(int r, const QString& field) const {
    const db::Row rw = row(r);
    return rw.has(field) ? rw.value(field) : QVariant();
}

int RecordModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return m_query ? m_queryRows : int(m_order.size());
}

int RecordModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

RecordModel::Shown RecordModel::shownAs(const QString& field) const {
    const db::SchemaCatalog& catalog = db::SchemaCatalog::instance();
    std::optional<db::ColumnType> type;
    if (!m_table.isEmpty())
        type = catalog.columnType(m_table, field);
    // A column the statement renamed ("fattura.Data as DataFattura"): every
    // column of the archive whose name starts with "Data" is a date, and a
    // value that is no date is shown as it is anyway.
    if (!type && (catalog.isDateColumn(field) || field.startsWith(u"Data", Qt::CaseInsensitive)))
        type = db::ColumnType::DateTime;
    if (!type)
        return Shown::Plain;
    switch (*type) {
    case db::ColumnType::Double:
        return Shown::Amount;
    case db::ColumnType::Integer:
        return Shown::Number;
    case db::ColumnType::DateTime:
        return Shown::Date;
    case db::ColumnType::YesNo:
        return Shown::Check;
    default:
        return Shown::Plain;
    }
}

RecordModel::Shown RecordModel::shownAt(int column) const {
    if (m_shown.size() != std::size_t(m_columns.size())) {
        m_shown.clear();
        for (const ::ui::GridColumn& c : m_columns)
            m_shown.push_back(shownAs(c.field));
    }
    return m_shown[std::size_t(column)];
}

QVariant RecordModel::cellValue(const db::Row& row, int column) const {
    const std::shared_ptr<const db::RowColumns>& names = row.columns();
    if (!names)
        return QVariant();
    if (names != m_indexedColumns) {
        m_columnIndex.clear();
        for (const ::ui::GridColumn& c : m_columns)
            m_columnIndex.push_back(names->indexOf(c.field));
        m_indexedColumns = names;
    }
    const int at = m_columnIndex[std::size_t(column)];
    return at < 0 ? QVariant() : row.value(at);
}

QColor RecordModel::rowColourAt(int r) const {
    if (r != m_colourRow) {
        m_colour = m_rowColour(row(r));
        m_colourRow = r;
    }
    return m_colour;
}

QVariant RecordModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const int column = index.column();
    const Shown shown = shownAt(column);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::CheckStateRole:
        break;
    case Qt::ForegroundRole: {
        if (!m_rowColour)
            return {};
        const QColor c = rowColourAt(index.row());
        return c.isValid() ? QVariant(c) : QVariant();
    }
    case Qt::BackgroundRole:
        if (!m_highlightField.isEmpty() &&
            m_columns[column].field.compare(m_highlightField, Qt::CaseInsensitive) == 0)
            return m_highlightColour;
        return {};
    case Qt::TextAlignmentRole:
        if (shown == Shown::Amount || shown == Shown::Number)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
    const QVariant v = cellValue(row(index.row()), column);
    if (role == Qt::CheckStateRole) {
        if (shown != Shown::Check)
            return {};
        return db::Row::toBool(v) ? Qt::Checked : Qt::Unchecked;
    }
    if (v.isNull())
        return QString();
    switch (shown) {
    case Shown::Amount:
        return common::euroText(v.toDouble());
    case Shown::Date: {
        const QDateTime dt = db::Row::toDateTime(v);
        if (!dt.isValid())
            return v.toString();
        return dt.time() == QTime(0, 0) ? common::italianDate(dt.date())
                                        : dt.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    }
    case Shown::Check:
        return QVariant();
    case Shown::Plain:
    case Shown::Number:
        break;
    }
    return v.toString();
}

QVariant RecordModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_columns[section].caption;
}

} // namespace ui
