#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace db {
class Database;
}

namespace bench {

// The statements each benchmarked action sends, and on SQLite how the
// engine runs them: any plan that reads a large table from end to end,
// instead of searching it through an index, is reported.
class PlanReport {
public:
    explicit PlanReport(db::Database& db);
    ~PlanReport();

    // Statements sent from now on belong to this action, until stop().
    void watch(const QString& action);
    void stop();

    // "action: statement" followed by the plan lines that scan, one entry a
    // statement; empty when every statement searches.
    QStringList scans(qint64 largeTable = 10000);
    // Every statement seen, "action: statement".
    QStringList statements() const;

private:
    struct Statement {
        QString action;
        QString sql;
        QVariantList binds;
    };
    db::Database& m_db;
    QString m_action;
    QList<Statement> m_statements;
    QSet<QString> m_seen;
};

} // namespace bench
