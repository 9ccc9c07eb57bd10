#include "db/Database.h"

#include "db/DbError.h"
#include "db/EngineErrors.h"
#include "db/EngineHandles.h"
#include "db/PostgresReader.h"
#include "db/SchemaCatalog.h"
#include "db/SqliteFunctions.h"
#include "db/SqliteReader.h"
#include "db/Workstation.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>
#include <QUrl>
#include <QUrlQuery>
#include <atomic>
#include <optional>
#include <sqlite3.h>

namespace db {

namespace {

std::atomic<int> g_connectionCounter{0};

QVariant toEngineValue(const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return QVariant();
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::Bool:
        return v.toBool() ? 1 : 0;
    default:
        return v;
    }
}

// The column names a result shows: as the schema spells them, or as the
// statement's AS gave them.
QStringList shownNames(const QStringList& names, const QStringList& aliases) {
    const SchemaCatalog& catalog = SchemaCatalog::instance();
    QStringList shown;
    shown.reserve(names.size());
    for (const QString& name : names) {
        QString spelled = catalog.spelling(name);
        for (const QString& a : aliases)
            if (a.compare(name, Qt::CaseInsensitive) == 0)
                spelled = a;
        shown.append(spelled);
    }
    return shown;
}

Result resultOf(DirectRows&& read, const QStringList& aliases) {
    Result result;
    result.columns = shownNames(read.names, aliases);
    const auto columns = std::make_shared<const RowColumns>(read.names);
    result.rows.reserve(read.rows.size());
    for (QVariantList& values : read.rows)
        result.rows.emplace_back(columns, std::move(values));
    return result;
}

bool safeName(const QString& s) {
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (!(c.isLetterOrNumber() || c == u'_'))
            return false;
    return true;
}

} // namespace

Database::Database()
    : m_connectionName(QStringLiteral("ossarion-%1").arg(++g_connectionCounter)),
      m_workstation(workstationName()) {}

Database::~Database() {
    close();
}

bool Database::isPostgresAddress(const QString& archive) {
    const QString a = archive.trimmed();
    return a.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           a.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

void Database::open(const QString& archiveText, OpenMode mode) {
    close();
    m_translations.clear();
    const QString archive = archiveText.trimmed();
    if (archive.isEmpty())
        throw DbError(QStringLiteral("Nessun archivio indicato"));
    m_archive = archive;
    if (isPostgresAddress(archive)) {
        m_engine = Engine::PostgreSQL;
        const QUrl url(archive);
        if (!url.isValid() || url.path().size() < 2)
            throw DbError(QStringLiteral("Indirizzo PostgreSQL non valido: %1").arg(displayName()));
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connectionName);
        m_db.setHostName(url.host().isEmpty() ? QStringLiteral("localhost") : url.host());
        m_db.setPort(url.port(5432));
        m_db.setDatabaseName(url.path().mid(1));
        if (!url.userName().isEmpty())
            m_db.setUserName(url.userName());
        if (!url.password().isEmpty())
            m_db.setPassword(url.password());
        QStringList options{QStringLiteral("connect_timeout=10")};
        for (const auto& [k, v] : QUrlQuery(url).queryItems(QUrl::FullyDecoded))
            options.append(k + u'=' + v);
        m_db.setConnectOptions(options.join(u';'));
    } else {
        m_engine = Engine::SQLite;
        if (mode == OpenMode::Existing && !QFileInfo::exists(archive))
            throw DbError(QStringLiteral("Archivio non trovato: %1").arg(archive));
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        m_db.setDatabaseName(archive);
        m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=30000"));
    }
    if (!m_db.open()) {
        const QSqlError e = m_db.lastError();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        throw DbError(
            QStringLiteral("Impossibile aprire l'archivio %1.\n%2")
                .arg(displayName(), EngineErrors::sentence(EngineErrors::kindOf(e, m_engine))),
            EngineErrors::details(e));
    }
    if (m_engine == Engine::SQLite) {
        installTextRules();
        execNative(QStringLiteral("PRAGMA foreign_keys = OFF"));
    } else {
        execNative(QStringLiteral("SET client_min_messages TO warning"));
        execNative(QStringLiteral("SET client_encoding TO 'UTF8'"));
        loadSpellings();
    }
}

void Database::installTextRules() {
    sqlite3* handle = sqliteConnection(m_db);
    if (!handle)
        throw DbError(QStringLiteral("Il driver SQLite non espone la connessione"));
    installSqliteTextRules(handle);
}

void Database::close() {
    if (!m_db.isValid())
        return;
    if (m_depth > 0) {
        try {
            execNative(QStringLiteral("ROLLBACK"));
        } catch (...) {
        }
        m_depth = 0;
    }
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool Database::isOpen() const {
    return m_db.isValid() && m_db.isOpen();
}

QString Database::displayName() const {
    return displayNameOf(m_archive);
}

QString Database::displayNameOf(const QString& archive) {
    if (!isPostgresAddress(archive))
        return archive;
    QUrl url(archive.trimmed());
    if (!url.password().isEmpty())
        url.setPassword(QStringLiteral("***"));
    return url.toString();
}

Translation Database::translate(const QString& jet) const {
    SchemaCatalog& catalog = SchemaCatalog::instance();
    if (m_translatedUnder != catalog.generation()) {
        m_translations.clear();
        m_translatedUnder = catalog.generation();
    }
    const auto found = m_translations.constFind(jet);
    if (found != m_translations.constEnd())
        return found.value();
    Translation t = JetTranslator(m_engine, &catalog).translate(jet);
    // Definitions change the catalog and run once; statements that paste
    // values are many, so the cache is bounded.
    if (t.kind == Translation::Query || t.kind == Translation::Command) {
        if (m_translations.size() >= 2000)
            m_translations.clear();
        m_translations.insert(jet, t);
    }
    return t;
}

QString Database::translateCondition(const QString& jetCondition) const {
    return JetTranslator(m_engine, &SchemaCatalog::instance()).translateCondition(jetCondition);
}

QSqlQuery Database::send(const QString& sql, const QVariantList& binds, QSqlError& error) {
    ++m_statements;
    if (m_observer)
        m_observer(sql, binds);
    QElapsedTimer clock;
    clock.start();
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    bool ok;
    if (binds.isEmpty()) {
        ok = q.exec(sql);
    } else {
        ok = q.prepare(sql);
        if (ok) {
            for (const QVariant& b : binds)
                q.addBindValue(toEngineValue(b));
            ok = q.exec();
        }
    }
    error = ok ? QSqlError() : q.lastError();
    m_busyNs += quint64(clock.nsecsElapsed());
    return q;
}

QSqlQuery Database::run(const QString& sql, const QVariantList& binds, const QString& shownText) {
    if (m_lost && m_depth == 0)
        reconnect();
    if (!isOpen())
        throw DbError(QStringLiteral("Archivio non aperto"));
    QSqlError error;
    QSqlQuery q = send(sql, binds, error);
    if (!error.isValid())
        return q;
    return recover(sql, binds, shownText, error);
}

QSqlQuery Database::recover(const QString& sql, const QVariantList& binds, const QString& shownText,
                            QSqlError error) {
    EngineErrors::Kind kind = EngineErrors::kindOf(error, m_engine);
    if (kind == EngineErrors::Kind::Unreachable && m_engine == Engine::PostgreSQL) {
        // The server went away or was restarted. Outside a transaction a
        // read (or the BEGIN that starts an action) is simply sent again on
        // a new connection; inside one the action fails and the next action
        // starts on a new connection.
        m_lost = true;
        const bool beginning = m_depth == 1 && sql == u"BEGIN";
        const bool reading =
            m_depth == 0 && sql.trimmed().startsWith(u"SELECT", Qt::CaseInsensitive);
        if (beginning || reading) {
            const int depth = m_depth;
            reconnect();
            m_depth = depth;
            QSqlQuery q = send(sql, binds, error);
            if (!error.isValid())
                return q;
            kind = EngineErrors::kindOf(error, m_engine);
        }
    }
    if (m_engine == Engine::SQLite && !QFileInfo::exists(m_archive)) {
        // The folder holding the file went away (a shared folder whose server
        // restarted, a drive unplugged): SQLite reports it as a read-only or
        // unopenable file. The next action opens the file again once it is back.
        kind = EngineErrors::Kind::Unreachable;
        m_lost = true;
    }
    const QString code = error.nativeErrorCode();
    throw DbError(EngineErrors::sentence(kind),
                  EngineErrors::details(error) + QStringLiteral("\nIstruzione: ") + shownText)
        .setRetryable(m_engine == Engine::PostgreSQL && (code == u"40P01" || code == u"40001"));
}

void Database::reconnect() {
    const QString archive = m_archive;
    m_depth = 0;
    m_rollbackOnly = false;
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
    m_lost = false;
    try {
        if (!isPostgresAddress(archive) && !QFileInfo::exists(archive))
            throw DbError(EngineErrors::sentence(EngineErrors::Kind::Unreachable),
                          QStringLiteral("Archivio non trovato: %1").arg(archive));
        open(archive, OpenMode::Existing);
    } catch (...) {
        m_lost = true;
        throw;
    }
    ++m_reconnections;
}

void Database::exec(const QString& jet, const QVariantList& binds) {
    const Translation t = translate(jet);
    if (t.sql.isEmpty())
        return;
    run(t.sql, binds, jet);
    // PostgreSQL folds names to lower case: keep their spelling in the archive
    // so that later sessions show them as they were written.
    if (m_engine == Engine::PostgreSQL && !t.defined.isEmpty() &&
        tableExists(QStringLiteral("SchemaNomi"))) {
        for (const QString& name : t.defined)
            run(QStringLiteral("INSERT INTO SchemaNomi (Nome) SELECT ? WHERE NOT EXISTS (SELECT 1 "
                               "FROM SchemaNomi WHERE Nome = ?)"),
                {name, name}, jet);
    }
}

void Database::loadSpellings() {
    if (m_engine != Engine::PostgreSQL || !tableExists(QStringLiteral("SchemaNomi")))
        return;
    SchemaCatalog& catalog = SchemaCatalog::instance();
    for (const Row& r : queryNative(QStringLiteral("SELECT Nome FROM SchemaNomi")))
        catalog.addSpelling(r.text(QStringLiteral("Nome")));
}

void Database::execNative(const QString& sql, const QVariantList& binds) {
    run(sql, binds, sql);
}

Result Database::collect(QSqlQuery& q, const QStringList& aliases) {
    Result result;
    const QSqlRecord rec = q.record();
    QStringList names;
    for (int i = 0; i < rec.count(); ++i)
        names.append(rec.fieldName(i));
    result.columns = shownNames(names, aliases);
    const auto columns = std::make_shared<const RowColumns>(names);
    const int count = rec.count();
    while (q.next()) {
        QVariantList values;
        values.reserve(count);
        for (int i = 0; i < count; ++i)
            values.append(q.value(i));
        result.rows.emplace_back(columns, std::move(values));
    }
    return result;
}

// Reads without bound values (the lists' pages and counts) skip Qt's
// conversions. SQLite refusals go the ordinary way and are reported there;
// on PostgreSQL a refusal may have aborted the transaction, so it is
// reported at once, as the ordinary way reports it.
std::optional<Result> Database::readDirect(const QString& sql, const QVariantList& binds,
                                           const QStringList& aliases, const QString& shownText) {
    if (!binds.isEmpty() || m_lost || !isOpen())
        return std::nullopt;
    QElapsedTimer clock;
    clock.start();
    std::optional<DirectRows> read =
        m_engine == Engine::SQLite
            ? readSqlite(sqliteConnection(m_db), sql)
            : readPostgres(postgresConnection(m_db), sql, m_db.numericalPrecisionPolicy());
    if (!read)
        return std::nullopt;
    ++m_statements;
    if (read->error.isValid()) {
        m_busyNs += quint64(clock.nsecsElapsed());
        if (m_observer)
            m_observer(sql, binds);
        // Throws, unless the server was lost and the read went through on a
        // new connection.
        QSqlQuery q = recover(sql, binds, shownText, read->error);
        clock.restart();
        Result r = collect(q, aliases);
        m_busyNs += quint64(clock.nsecsElapsed());
        return r;
    }
    Result r = resultOf(std::move(*read), aliases);
    m_busyNs += quint64(clock.nsecsElapsed());
    if (m_observer)
        m_observer(sql, binds);
    return r;
}

Result Database::queryNative(const QString& sql, const QVariantList& binds,
                             const QStringList& aliases) {
    if (std::optional<Result> read = readDirect(sql, binds, aliases, sql))
        return std::move(*read);
    QSqlQuery q = run(sql, binds, sql);
    QElapsedTimer clock;
    clock.start();
    Result r = collect(q, aliases);
    m_busyNs += quint64(clock.nsecsElapsed());
    return r;
}

Result Database::query(const QString& jet, const QVariantList& binds) {
    const Translation t = translate(jet);
    if (t.sql.isEmpty())
        return Result{};
    if (t.kind == Translation::Query)
        if (std::optional<Result> read = readDirect(t.sql, binds, t.aliases, jet))
            return std::move(*read);
    QSqlQuery q = run(t.sql, binds, jet);
    QElapsedTimer clock;
    clock.start();
    Result r = collect(q, t.aliases);
    m_busyNs += quint64(clock.nsecsElapsed());
    return r;
}

QVariant Database::scalar(const QString& jet, const QVariantList& binds) {
    const Result r = query(jet, binds);
    if (r.empty() || r.first().columnCount() == 0)
        return QVariant();
    return r.first().value(0);
}

QString Database::keyColumn(const QString& table) const {
    const TableInfo* t = SchemaCatalog::instance().table(table);
    return t && !t->key.isEmpty() ? t->key : QStringLiteral("ID");
}

qint64 Database::insert(const QString& table, const Values& values) {
    if (!safeName(table))
        throw DbError(QStringLiteral("Nome di tabella non valido: %1").arg(table));
    QStringList columns, marks;
    QVariantList binds;
    for (const auto& [column, value] : values) {
        if (!safeName(column))
            throw DbError(QStringLiteral("Nome di colonna non valido: %1").arg(column));
        columns.append(column);
        marks.append(QStringLiteral("?"));
        binds.append(value);
    }
    QString sql = columns.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                                    : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                          .arg(table, columns.join(u','), marks.join(u','));
    if (m_engine == Engine::PostgreSQL) {
        sql += QStringLiteral(" RETURNING ") + keyColumn(table);
        QSqlQuery q = run(sql, binds, sql);
        return q.next() ? q.value(0).toLongLong() : 0;
    }
    QSqlQuery q = run(sql, binds, sql);
    const QVariant id = q.lastInsertId();
    return id.isValid() ? id.toLongLong() : lastIdentity();
}

void Database::insertMany(const QString& table, const QList<Values>& rows) {
    if (rows.isEmpty())
        return;
    if (!safeName(table))
        throw DbError(QStringLiteral("Nome di tabella non valido: %1").arg(table));
    QStringList columns;
    for (const auto& [column, value] : rows.first()) {
        if (!safeName(column))
            throw DbError(QStringLiteral("Nome di colonna non valido: %1").arg(column));
        columns.append(column);
    }
    if (columns.isEmpty()) {
        for (const Values& r : rows)
            insert(table, r);
        return;
    }
    // Well under the smallest limit on bound values of the engines in use.
    constexpr int kMaxBinds = 999;
    const int perStatement = qMax(1, kMaxBinds / int(columns.size()));
    const QString head =
        QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(table, columns.join(u','));
    const QString one = u'(' + QStringList(columns.size(), QStringLiteral("?")).join(u',') + u')';
    for (qsizetype start = 0; start < rows.size(); start += perStatement) {
        const qsizetype end = qMin(rows.size(), start + perStatement);
        QStringList groups;
        QVariantList binds;
        for (qsizetype i = start; i < end; ++i) {
            const Values& r = rows.at(i);
            if (r.size() != columns.size())
                throw DbError(QStringLiteral("Righe con colonne diverse per %1").arg(table));
            for (qsizetype c = 0; c < r.size(); ++c) {
                if (r.at(c).first != columns.at(c))
                    throw DbError(QStringLiteral("Righe con colonne diverse per %1").arg(table));
                binds.append(r.at(c).second);
            }
            groups.append(one);
        }
        const QString sql = head + groups.join(u',');
        run(sql, binds, sql);
    }
}

void Database::update(const QString& table, qint64 key, const Values& values) {
    if (values.isEmpty())
        return;
    if (!safeName(table))
        throw DbError(QStringLiteral("Nome di tabella non valido: %1").arg(table));
    QStringList sets;
    QVariantList binds;
    for (const auto& [column, value] : values) {
        if (!safeName(column))
            throw DbError(QStringLiteral("Nome di colonna non valido: %1").arg(column));
        sets.append(column + QStringLiteral(" = ?"));
        binds.append(value);
    }
    binds.append(key);
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                            .arg(table, sets.join(QStringLiteral(", ")), keyColumn(table));
    run(sql, binds, sql);
}

qint64 Database::lastIdentity() {
    return scalar(QStringLiteral("SELECT @@IDENTITY as ID;")).toLongLong();
}

void Database::beginWrite() {
    if (m_depth > 0) {
        ++m_depth;
        return;
    }
    if (m_lost)
        reconnect();
    ++m_depth;
    m_rollbackOnly = false;
    try {
        execNative(m_engine == Engine::SQLite ? QStringLiteral("BEGIN IMMEDIATE")
                                              : QStringLiteral("BEGIN"));
    } catch (...) {
        m_depth = 0;
        throw;
    }
}

void Database::commit() {
    if (m_depth == 0)
        throw DbError(QStringLiteral("Nessuna transazione aperta"));
    if (--m_depth > 0)
        return;
    if (m_rollbackOnly) {
        execNative(QStringLiteral("ROLLBACK"));
        throw DbError(QStringLiteral("Operazione annullata: una sua parte non è riuscita"));
    }
    try {
        execNative(QStringLiteral("COMMIT"));
    } catch (...) {
        try {
            execNative(QStringLiteral("ROLLBACK"));
        } catch (...) {
        }
        throw;
    }
}

void Database::rollback() {
    if (m_depth == 0)
        return;
    m_rollbackOnly = true;
    if (--m_depth > 0)
        return;
    // A dropped connection took its transaction with it.
    if (m_lost)
        return;
    execNative(QStringLiteral("ROLLBACK"));
}

void Database::lockScope(const QString& scope) {
    if (m_depth == 0)
        throw DbError(QStringLiteral("La numerazione richiede una transazione"));
    if (m_engine == Engine::PostgreSQL)
        execNative(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext(?))"), {scope});
    // SQLite: BEGIN IMMEDIATE already holds the archive's write lock.
}

bool Database::lockRow(const QString& table, qint64 key) {
    if (m_depth == 0)
        throw DbError(QStringLiteral("Il blocco di un record richiede una transazione"));
    if (!safeName(table))
        throw DbError(QStringLiteral("Nome di tabella non valido: %1").arg(table));
    const QString column = keyColumn(table);
    // SQLite: BEGIN IMMEDIATE already holds the archive's write lock.
    const QString sql = m_engine == Engine::PostgreSQL
                            ? QStringLiteral("SELECT %1 FROM %2 WHERE %1 = ? FOR UPDATE")
                            : QStringLiteral("SELECT %1 FROM %2 WHERE %1 = ?");
    QSqlQuery q = run(sql.arg(column, table), {key}, sql.arg(column, table));
    return q.next();
}

void Database::pauseBeforeRetry(int attempt) {
    // A little longer each time, and not the same for every workstation.
    QThread::msleep(20 * attempt + QRandomGenerator::global()->bounded(50));
}

bool Database::tableExists(const QString& table) {
    if (m_engine == Engine::SQLite)
        return !queryNative(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                           "AND lower(name) = lower(?)"),
                            {table})
                    .empty();
    return !queryNative(QStringLiteral("SELECT table_name FROM information_schema.tables WHERE "
                                       "table_schema = current_schema() AND table_name = lower(?)"),
                        {table})
                .empty();
}

int Database::tableCount() {
    if (m_engine == Engine::SQLite)
        return int(
            queryNative(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))
                .size());
    return int(queryNative(QStringLiteral("SELECT table_name FROM information_schema.tables WHERE "
                                          "table_schema = current_schema()"))
                   .size());
}

bool Database::columnExists(const QString& table, const QString& column) {
    if (m_engine == Engine::SQLite)
        return !queryNative(
                    QStringLiteral("SELECT name FROM pragma_table_info(?) WHERE lower(name) "
                                   "= lower(?)"),
                    {table, column})
                    .empty();
    return !queryNative(QStringLiteral("SELECT column_name FROM information_schema.columns WHERE "
                                       "table_schema = current_schema() AND table_name = lower(?) "
                                       "AND column_name = lower(?)"),
                        {table, column})
                .empty();
}

} // namespace db
