#include "db/PagedQuery.h"

#include "db/Database.h"
#include "db/DbError.h"

#include <QRegularExpression>

namespace db {

namespace {

// "[fattura].[Data]" or "fattura.Data" -> "Data": the name a column has in
// the output of the select, where the outer statements refer to it.
QString outputName(const QString& column) {
    QString name = column.trimmed();
    const int dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name = name.mid(dot + 1);
    name.remove(u'[');
    name.remove(u']');
    return name;
}

} // namespace

PagedQuery::PagedQuery(Database& db, QString jetSelect, QList<Order> order, QString keyColumn,
                       QVariantList binds)
    : m_db(db), m_select(std::move(jetSelect)), m_order(std::move(order)),
      m_key(std::move(keyColumn)), m_binds(std::move(binds)) {}

QList<PagedQuery::Order> PagedQuery::parseOrder(const QString& jetOrder) {
    QList<Order> out;
    for (QString term : jetOrder.split(u',', Qt::SkipEmptyParts)) {
        term = term.trimmed();
        bool descending = false;
        static const QRegularExpression direction(QStringLiteral("\\s+(ASC|DESC)$"),
                                                  QRegularExpression::CaseInsensitiveOption);
        const auto m = direction.match(term);
        if (m.hasMatch()) {
            descending = m.captured(1).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
            term = term.left(m.capturedStart()).trimmed();
        }
        if (!term.isEmpty())
            out.append({term, descending});
    }
    return out;
}

void PagedQuery::prepare() {
    if (m_prepared)
        return;
    const Translation t = m_db.translate(m_select);
    if (t.kind != Translation::Query || t.sql.isEmpty())
        throw DbError(QStringLiteral("Istruzione di elenco non valida: %1").arg(m_select));
    m_nativeSelect = t.sql;
    m_aliases = t.aliases;
    m_prepared = true;
}

QList<PagedQuery::Order> PagedQuery::effectiveOrder() const {
    QList<Order> order;
    if (m_userSort)
        order.append(*m_userSort);
    for (const Order& o : m_order)
        if (!m_userSort ||
            outputName(o.column).compare(outputName(m_userSort->column), Qt::CaseInsensitive) != 0)
            order.append(o);
    order.append({m_key, order.isEmpty() ? false : order.last().descending});
    return order;
}

// The ORDER BY terms in the engine's dialect. Empty values come first going
// up and last going down on both engines, as the old lists showed them.
QString PagedQuery::orderClause(bool outer) const {
    QStringList terms;
    for (const Order& o : effectiveOrder()) {
        QString term = m_db.translateCondition(outer ? outputName(o.column) : o.column);
        term += o.descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC");
        if (m_db.engine() == Engine::PostgreSQL)
            term += o.descending ? QStringLiteral(" NULLS LAST") : QStringLiteral(" NULLS FIRST");
        terms << term;
    }
    return terms.join(QStringLiteral(", "));
}

void PagedQuery::setCountSelect(const QString& jetSelect) {
    m_countSelect = jetSelect;
    m_count.reset();
}

int PagedQuery::rowsKnown() {
    if (m_count)
        return *m_count;
    // A first page that is not full holds every row: no count is needed.
    const std::size_t first = page(0).size();
    if (first < std::size_t(m_pageSize))
        m_count = int(first);
    return int(first);
}

int PagedQuery::count() {
    if (!m_count && rowsKnown() >= m_pageSize) {
        QString counted;
        if (m_countSelect.isEmpty()) {
            prepare();
            counted = m_nativeSelect;
        } else {
            const Translation t = m_db.translate(m_countSelect);
            if (t.kind != Translation::Query || t.sql.isEmpty())
                throw DbError(
                    QStringLiteral("Istruzione di elenco non valida: %1").arg(m_countSelect));
            counted = t.sql;
        }
        const Result r = m_db.queryNative(
            QStringLiteral("SELECT COUNT(*) FROM (%1) paged_count").arg(counted), m_binds);
        m_count = r.empty() ? 0 : int(r.first().value(0).toLongLong());
    }
    return *m_count;
}

const std::vector<Row>& PagedQuery::page(int number) {
    auto found = m_pages.find(number);
    if (found != m_pages.end()) {
        m_recent.removeOne(number);
        m_recent.append(number);
        return found.value();
    }
    Result r = m_db.queryNative(pageStatement(number), m_binds, m_aliases);
    while (m_recent.size() >= m_pagesKept)
        m_pages.remove(m_recent.takeFirst());
    m_recent.append(number);
    return m_pages.insert(number, std::move(r.rows)).value();
}

QString PagedQuery::pageStatement(int number) {
    prepare();
    return QStringLiteral("%1 ORDER BY %2 LIMIT %3 OFFSET %4")
        .arg(m_nativeSelect, orderClause(false))
        .arg(m_pageSize)
        .arg(qint64(number) * m_pageSize);
}

Row PagedQuery::row(int position) {
    // Before the count a row past the end reads an empty page.
    if (position < 0 || (m_count && position >= *m_count))
        return Row();
    const std::vector<Row>& rows = page(position / m_pageSize);
    const std::size_t at = std::size_t(position % m_pageSize);
    return at < rows.size() ? rows[at] : Row();
}

std::optional<int> PagedQuery::positionOf(qint64 key) {
    if (key == 0 || rowsKnown() == 0)
        return std::nullopt;
    // A kept page may already hold it.
    for (auto it = m_pages.cbegin(); it != m_pages.cend(); ++it)
        for (std::size_t i = 0; i < it.value().size(); ++i)
            if (it.value()[i].integer(m_key) == key)
                return it.key() * m_pageSize + int(i);
    prepare();
    const QString keyName = m_db.translateCondition(outputName(m_key));
    const QString sql =
        QStringLiteral("SELECT paged_rank FROM (SELECT paged.%1 AS paged_key, ROW_NUMBER() OVER "
                       "(ORDER BY %2) AS paged_rank FROM (%3) paged) ranked WHERE paged_key = ?")
            .arg(keyName, orderClause(true), m_nativeSelect);
    QVariantList binds = m_binds;
    binds.append(key);
    const Result r = m_db.queryNative(sql, binds);
    if (r.empty())
        return std::nullopt;
    return int(r.first().value(0).toLongLong()) - 1;
}

void PagedQuery::sortBy(const QString& column, bool descending) {
    if (column.trimmed().isEmpty())
        m_userSort.reset();
    else
        m_userSort = Order{column.trimmed(), descending};
    m_pages.clear();
    m_recent.clear();
}

void PagedQuery::reload() {
    m_count.reset();
    m_pages.clear();
    m_recent.clear();
}

} // namespace db
