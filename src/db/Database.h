#pragma once

#include "db/DbError.h"
#include "db/Engine.h"
#include "db/JetTranslator.h"
#include "db/Row.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <utility>

namespace db {

using Values = QList<std::pair<QString, QVariant>>;

// The connection to one company archive: an SQLite file or a PostgreSQL
// database given as a postgresql:// URI. Every statement goes through the
// Jet translator; values are bound, never pasted into the text.
class Database {
public:
    enum class OpenMode { Existing, CreateIfMissing };

    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    static bool isPostgresAddress(const QString& archive);

    void open(const QString& archive, OpenMode mode = OpenMode::Existing);
    void close();
    bool isOpen() const;
    Engine engine() const { return m_engine; }
    const QString& archive() const { return m_archive; }
    // A user-readable form of the archive (the password of a URI hidden).
    QString displayName() const;
    // An archive's address as shown to the user: the password hidden.
    static QString displayNameOf(const QString& archive);

    const QString& workstation() const { return m_workstation; }
    void setWorkstation(const QString& name) { m_workstation = name; }

    Translation translate(const QString& jet) const;
    QString translateCondition(const QString& jetCondition) const;

    // Runs one Jet statement; the result, if any, is dropped.
    void exec(const QString& jet, const QVariantList& binds = {});
    Result query(const QString& jet, const QVariantList& binds = {});
    // First column of the first row, or a null value.
    QVariant scalar(const QString& jet, const QVariantList& binds = {});
    // Runs a statement already in the engine's dialect (schema upkeep).
    void execNative(const QString& sql, const QVariantList& binds = {});
    Result queryNative(const QString& sql, const QVariantList& binds = {},
                       const QStringList& aliases = {});

    // Inserts a row and gives back the key the archive assigned to it.
    qint64 insert(const QString& table, const Values& values);
    // Several rows with the same columns in as few statements as the
    // engines' limit on bound values allows; the keys are not returned.
    void insertMany(const QString& table, const QList<Values>& rows);
    void update(const QString& table, qint64 key, const Values& values);
    // The key given to the last row inserted on this connection.
    qint64 lastIdentity();

    // Write transactions nest: only the outermost one talks to the engine.
    void beginWrite();
    void commit();
    void rollback();
    bool inTransaction() const { return m_depth > 0; }
    // Serialises "max + 1" numbering inside a write transaction.
    void lockScope(const QString& scope);
    // Holds one row (by its key) until the transaction ends, so that two
    // workstations never write a document and its parts at once; false when
    // the row is not there (another workstation deleted it).
    bool lockRow(const QString& table, qint64 key);
    static void pauseBeforeRetry(int attempt);

    bool tableExists(const QString& table);
    bool columnExists(const QString& table, const QString& column);
    // Tables of any kind in the archive (the program's or anyone else's).
    int tableCount();

    // How many statements this connection has sent to the engine: the
    // benchmark and the tests count what one action costs.
    quint64 statementCount() const { return m_statements; }
    // Time spent waiting on the engine and reading its rows, in nanoseconds.
    quint64 busyNanoseconds() const { return m_busyNs; }
    // Sees every statement sent, in the engine's dialect, with its values
    // (the benchmark asks the engine how it runs them); none by default.
    using StatementObserver = std::function<void(const QString& sql, const QVariantList& binds)>;
    void setStatementObserver(StatementObserver observer) { m_observer = std::move(observer); }
    // How many times a dropped connection to the server was opened again.
    int reconnections() const { return m_reconnections; }
    QSqlDatabase& handle() { return m_db; }

private:
    void installTextRules();
    void loadSpellings();
    static Result collect(QSqlQuery& q, const QStringList& aliases);
    // A read without bound values straight through the engine's C interface,
    // skipping Qt's conversions; nullopt when it does not apply (or SQLite
    // refuses it), so the ordinary way runs it and reports any error.
    std::optional<Result> readDirect(const QString& sql, const QVariantList& binds,
                                     const QStringList& aliases, const QString& shownText);
    QSqlQuery run(const QString& sql, const QVariantList& binds, const QString& shownText);
    // What follows a statement the engine refused: a read the lost server
    // dropped is sent again on a new connection, anything else is thrown as
    // the user reads it.
    QSqlQuery recover(const QString& sql, const QVariantList& binds, const QString& shownText,
                      QSqlError error);
    QSqlQuery send(const QString& sql, const QVariantList& binds, QSqlError& error);
    void reconnect();
    QString keyColumn(const QString& table) const;

    QSqlDatabase m_db;
    // Statements translated on this connection, for the lists and actions
    // that send the same ones again; forgotten when the catalog changes.
    mutable QHash<QString, Translation> m_translations;
    mutable quint64 m_translatedUnder = 0;
    QString m_connectionName;
    QString m_archive;
    QString m_workstation;
    Engine m_engine = Engine::SQLite;
    int m_depth = 0;
    bool m_rollbackOnly = false;
    // The server dropped the connection: the next action opens a new one.
    bool m_lost = false;
    quint64 m_statements = 0;
    StatementObserver m_observer;
    quint64 m_busyNs = 0;
    int m_reconnections = 0;
};

// Runs one whole action (its own transactions included). When the engine
// gave it up to let another workstation through, it runs again from the
// start after a short pause, a few times; then the Italian "archive busy"
// message goes to the user. Only an outermost action is run again.
template <class Action> auto withRetry(Database& db, Action&& action) -> decltype(action()) {
    for (int attempt = 1;; ++attempt) {
        try {
            return action();
        } catch (const DbError& e) {
            if (!e.retryable() || db.inTransaction() || attempt >= 6)
                throw;
            Database::pauseBeforeRetry(attempt);
        }
    }
}

// Rolls back unless committed: one user action, one transaction.
class Transaction {
public:
    explicit Transaction(Database& db) : m_db(db) { m_db.beginWrite(); }
    ~Transaction() {
        if (!m_done) {
            try {
                m_db.rollback();
            } catch (...) {
            }
        }
    }
    void commit() {
        m_done = true;
        m_db.commit();
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Database& m_db;
    bool m_done = false;
};

} // namespace db
