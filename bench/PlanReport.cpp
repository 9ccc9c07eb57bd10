#include "PlanReport.h"

#include "db/Database.h"
#include "db/DbError.h"

#include <QRegularExpression>

namespace bench {

PlanReport::PlanReport(db::Database& db) : m_db(db) {}

PlanReport::~PlanReport() {
    m_db.setStatementObserver({});
}

void PlanReport::watch(const QString& action) {
    m_action = action;
    m_db.setStatementObserver([this](const QString& sql, const QVariantList& binds) {
        const QString head = sql.trimmed().left(7).toUpper();
        if (!head.startsWith(u"SELECT") && !head.startsWith(u"UPDATE") &&
            !head.startsWith(u"DELETE") && !head.startsWith(u"INSERT") && !head.startsWith(u"WITH"))
            return;
        if (m_seen.contains(m_action + sql))
            return;
        m_seen.insert(m_action + sql);
        m_statements.append({m_action, sql, binds});
    });
}

void PlanReport::stop() {
    m_db.setStatementObserver({});
}

QStringList PlanReport::statements() const {
    QStringList out;
    for (const Statement& s : m_statements)
        out << s.action + QStringLiteral(": ") + s.sql;
    return out;
}

QStringList PlanReport::scans(qint64 largeTable) {
    stop();
    QStringList out;
    if (m_db.engine() != db::Engine::SQLite)
        return out;
    // Tables large enough for a full read to matter.
    QSet<QString> large, tables;
    for (const db::Row& t : m_db.queryNative(QStringLiteral(
             "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'"))) {
        const QString name = t.value(0).toString();
        tables.insert(name.toLower());
        if (m_db.queryNative(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(name))
                .first()
                .value(0)
                .toLongLong() >= largeTable)
            large.insert(name.toLower());
    }
    static const QRegularExpression scan(QStringLiteral("^SCAN (\\w+)(?: AS (\\w+))?(.*)$"));
    for (const Statement& s : m_statements) {
        QStringList found;
        try {
            for (const db::Row& r :
                 m_db.queryNative(QStringLiteral("EXPLAIN QUERY PLAN ") + s.sql, s.binds)) {
                const QString detail = r.text(QStringLiteral("detail"));
                const auto m = scan.match(detail);
                // An ordered walk of an index is how a page is read; a
                // plain SCAN reads every row of the table.
                const QString table = m.captured(1).toLower();
                // An alias hides the table: reported unless it names a small one.
                // The rows of a many-row VALUES list are no table at all.
                if (m.hasMatch() && !m.captured(3).contains(u"CONSTANT ROW") &&
                    (large.contains(table) || !tables.contains(table)) &&
                    !m.captured(3).contains(u"INDEX") && !m.captured(3).contains(u"PRIMARY KEY"))
                    found << QStringLiteral("    ") + detail;
            }
        } catch (const db::DbError&) {
            continue; // a statement that only makes sense inside its action
        }
        if (!found.isEmpty())
            out << s.action + QStringLiteral(": ") + s.sql.simplified().left(300) + u'\n' +
                       found.join(u'\n');
    }
    return out;
}

} // namespace bench
