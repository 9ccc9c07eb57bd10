#include "db/PostgresReader.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QTime>
#include <charconv>
#include <cmath>
#include <cstring>
#include <libpq-fe.h>
#include <limits>
#include <memory>

namespace db {

namespace {

// The type OIDs Qt's driver tells apart (its own table, kept as it is: 2278
// is what it takes for "oid").
enum TypeOid : unsigned {
    BoolOid = 16,
    ByteaOid = 17,
    Int8Oid = 20,
    Int2Oid = 21,
    RegprocOid = 24,
    Int4Oid = 23,
    XidOid = 28,
    CidOid = 29,
    Float4Oid = 700,
    Float8Oid = 701,
    AbstimeOid = 702,
    ReltimeOid = 703,
    DateOid = 1082,
    TimeOid = 1083,
    TimestampOid = 1114,
    TimestamptzOid = 1184,
    TimetzOid = 1266,
    NumericOid = 1700,
    DriverOidOid = 2278,
};

enum class Kind { Bool, Int, LongLong, Double, Numeric, Date, Time, DateTime, Bytes, Text };

Kind kindOf(unsigned oid) {
    switch (oid) {
    case BoolOid:
        return Kind::Bool;
    case Int8Oid:
        return Kind::LongLong;
    case Int2Oid:
    case Int4Oid:
    case DriverOidOid:
    case RegprocOid:
    case XidOid:
    case CidOid:
        return Kind::Int;
    case NumericOid:
        return Kind::Numeric;
    case Float4Oid:
    case Float8Oid:
        return Kind::Double;
    case AbstimeOid:
    case ReltimeOid:
    case DateOid:
        return Kind::Date;
    case TimeOid:
    case TimetzOid:
        return Kind::Time;
    case TimestampOid:
    case TimestamptzOid:
        return Kind::DateTime;
    case ByteaOid:
        return Kind::Bytes;
    default:
        return Kind::Text;
    }
}

QMetaType metaTypeOf(Kind kind) {
    switch (kind) {
    case Kind::Bool:
        return QMetaType::fromType<bool>();
    case Kind::Int:
        return QMetaType::fromType<int>();
    case Kind::LongLong:
        return QMetaType::fromType<qlonglong>();
    case Kind::Double:
    case Kind::Numeric:
        return QMetaType::fromType<double>();
    case Kind::Date:
        return QMetaType::fromType<QDate>();
    case Kind::Time:
        return QMetaType::fromType<QTime>();
    case Kind::DateTime:
        return QMetaType::fromType<QDateTime>();
    case Kind::Bytes:
        return QMetaType::fromType<QByteArray>();
    case Kind::Text:
        break;
    }
    return QMetaType::fromType<QString>();
}

// A run of exactly `count` digits as a number; -1 when not all are digits.
int digits(const char* p, int count) {
    int n = 0;
    for (int i = 0; i < count; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return -1;
        n = n * 10 + (p[i] - '0');
    }
    return n;
}

// The engine's ISO "yyyy-mm-dd" and "hh:mm:ss", read without going through
// a QString; anything else (BC dates, fractions, offsets, 24:00) is left to
// Qt's own parser, which the driver uses.
QDate plainDate(const char* p, int length) {
    if (length != 10 || p[4] != '-' || p[7] != '-')
        return QDate();
    const int y = digits(p, 4), m = digits(p + 5, 2), d = digits(p + 8, 2);
    return y > 0 && m > 0 && d > 0 ? QDate(y, m, d) : QDate();
}

QTime plainTime(const char* p, int length) {
    if (length != 8 || p[2] != ':' || p[5] != ':')
        return QTime();
    const int h = digits(p, 2), m = digits(p + 3, 2), s = digits(p + 6, 2);
    return h >= 0 && h < 24 && m >= 0 && s >= 0 ? QTime(h, m, s) : QTime();
}

QVariant dateValue(const char* val, int length) {
    const QDate d = plainDate(val, length);
    if (d.isValid())
        return d;
    return QDate::fromString(QString::fromLatin1(val, length), Qt::ISODate);
}

QVariant timeValue(const char* val, int length) {
    const QTime t = plainTime(val, length);
    if (t.isValid())
        return t;
    return QTime::fromString(QString::fromLatin1(val, length), Qt::ISODate);
}

QVariant dateTimeValue(const char* val, int length) {
    if (length == 19 && val[10] == ' ') {
        const QDate d = plainDate(val, 10);
        const QTime t = plainTime(val + 11, 8);
        if (d.isValid() && t.isValid())
            return QDateTime(d, t).toLocalTime();
    }
    return QDateTime::fromString(QString::fromLatin1(val, length), Qt::ISODate).toLocalTime();
}

QVariant doubleValue(const char* val, int length, Kind kind,
                     QSql::NumericalPrecisionPolicy precision) {
    if (kind == Kind::Numeric && precision == QSql::HighPrecision)
        return QString::fromLatin1(val, length);
    double dbl = 0;
    const auto [end, ec] = std::from_chars(val, val + length, dbl);
    if (ec != std::errc() || end == val) {
        if (qstricmp(val, "NaN") == 0)
            dbl = std::numeric_limits<double>::quiet_NaN();
        else if (qstricmp(val, "Infinity") == 0)
            dbl = std::numeric_limits<double>::infinity();
        else if (qstricmp(val, "-Infinity") == 0)
            dbl = -std::numeric_limits<double>::infinity();
        else
            return QVariant();
    }
    if (kind == Kind::Numeric) {
        if (precision == QSql::LowPrecisionInt64)
            return QVariant(qlonglong(dbl));
        if (precision == QSql::LowPrecisionInt32)
            return QVariant(int(dbl));
    }
    return dbl;
}

QVariant value(const char* val, int length, Kind kind, QSql::NumericalPrecisionPolicy precision) {
    switch (kind) {
    case Kind::Bool:
        return val[0] == 't';
    case Kind::Int: {
        // What atoi gives for the engine's digits.
        int n = 0;
        std::from_chars(val, val + length, n);
        return n;
    }
    case Kind::LongLong:
        // As the driver does: a non-negative int8 comes as an unsigned number.
        if (val[0] == '-') {
            qlonglong n = 0;
            std::from_chars(val, val + length, n);
            return n;
        } else {
            qulonglong n = 0;
            std::from_chars(val, val + length, n);
            return n;
        }
    case Kind::Double:
    case Kind::Numeric:
        return doubleValue(val, length, kind, precision);
    case Kind::Date:
        return dateValue(val, length);
    case Kind::Time:
        return timeValue(val, length);
    case Kind::DateTime:
        return dateTimeValue(val, length);
    case Kind::Bytes: {
        size_t size = 0;
        unsigned char* raw = PQunescapeBytea(reinterpret_cast<const unsigned char*>(val), &size);
        QByteArray bytes(reinterpret_cast<const char*>(raw), qsizetype(size));
        PQfreemem(raw);
        return bytes;
    }
    case Kind::Text:
        break;
    }
    return QString::fromUtf8(val, length);
}

// A refusal worded as Qt's driver words it.
QSqlError refusal(PGconn* connection, const char* what, const PGresult* result) {
    QString text = QString::fromUtf8(PQerrorMessage(connection));
    QString code;
    if (result) {
        code = QString::fromLatin1(PQresultErrorField(result, PG_DIAG_SQLSTATE));
        text += QStringLiteral("(%1)").arg(code);
    }
    return QSqlError(QStringLiteral("QPSQL: ") + QCoreApplication::translate("QPSQLResult", what),
                     text, QSqlError::StatementError, code);
}

// Turning a local date and time into an instant asks the C library about the
// time zone each time, which dwarfs the rest of a row; a page repeats the
// same dates often, so each distinct text is converted once.
class TimeCache {
public:
    const QVariant* find(const char* val, int length) const {
        const auto at = m_values.constFind(QByteArray::fromRawData(val, length));
        return at == m_values.constEnd() ? nullptr : &at.value();
    }
    void add(const char* val, int length, const QVariant& v) {
        if (m_values.size() < 4096)
            m_values.insert(QByteArray(val, length), v);
    }

private:
    QHash<QByteArray, QVariant> m_values;
};

bool isTime(Kind kind) {
    return kind == Kind::Date || kind == Kind::Time || kind == Kind::DateTime;
}

void drain(PGconn* connection) {
    while (PGresult* more = PQgetResult(connection))
        PQclear(more);
}

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

} // namespace

bool isPlainSelect(const QString& sql) {
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n && sql.at(i).isSpace())
        ++i;
    if (!QStringView(sql).mid(i, 6).startsWith(u"SELECT", Qt::CaseInsensitive) ||
        (i + 6 < n && isWordChar(sql.at(i + 6))))
        return false;
    for (i += 6; i < n; ++i) {
        const QChar c = sql.at(i);
        if (c == u'\'' || c == u'"') {
            // Quotes inside are doubled: the scan simply resumes after each.
            const qsizetype close = sql.indexOf(c, i + 1);
            if (close < 0)
                return false;
            i = close;
        } else if (c == u';') {
            for (++i; i < n; ++i)
                if (!sql.at(i).isSpace())
                    return false;
            return true;
        } else if (c == u'$' || (c == u'-' && i + 1 < n && sql.at(i + 1) == u'-') ||
                   (c == u'/' && i + 1 < n && sql.at(i + 1) == u'*')) {
            return false; // dollar quotes, parameters, comments: not worth reading
        } else if (isWordChar(c)) {
            qsizetype end = i;
            while (end < n && isWordChar(sql.at(end)))
                ++end;
            if (QStringView(sql).mid(i, end - i).compare(u"INTO", Qt::CaseInsensitive) == 0)
                return false; // SELECT ... INTO makes a table
            i = end - 1;
        }
    }
    return true;
}

std::optional<DirectRows> readPostgres(PGconn* connection, const QString& sql,
                                       QSql::NumericalPrecisionPolicy precision) {
    // A result Qt has not finished reading stays where it is.
    if (!connection || PQstatus(connection) != CONNECTION_OK || PQisBusy(connection) ||
        PQtransactionStatus(connection) == PQTRANS_ACTIVE || !isPlainSelect(sql))
        return std::nullopt;
    DirectRows out;
    if (!PQsendQuery(connection, sql.toUtf8().constData())) {
        out.error = refusal(connection, "Unable to send query", nullptr);
        return out;
    }
    const std::unique_ptr<PGresult, void (*)(PGresult*)> result(PQgetResult(connection), PQclear);
    const PGresult* r = result.get();
    const ExecStatusType status = r ? PQresultStatus(r) : PGRES_FATAL_ERROR;
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        out.error = refusal(connection, "Unable to create query", r);
        drain(connection);
        return out;
    }
    drain(connection);
    if (status == PGRES_COMMAND_OK)
        return out;
    const int columns = PQnfields(r);
    std::vector<Kind> kinds;
    std::vector<QVariant> nulls;
    std::vector<TimeCache> times(static_cast<std::size_t>(columns));
    kinds.reserve(std::size_t(columns));
    nulls.reserve(std::size_t(columns));
    for (int c = 0; c < columns; ++c) {
        out.names.append(QString::fromUtf8(PQfname(r, c)));
        kinds.push_back(kindOf(PQftype(r, c)));
        nulls.emplace_back(metaTypeOf(kinds.back()), nullptr);
    }
    const int count = PQntuples(r);
    out.rows.reserve(std::size_t(count));
    for (int row = 0; row < count; ++row) {
        QVariantList values;
        values.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            const std::size_t at = std::size_t(c);
            if (PQgetisnull(r, row, c)) {
                values.append(nulls[at]);
                continue;
            }
            const char* val = PQgetvalue(r, row, c);
            const int length = PQgetlength(r, row, c);
            if (!isTime(kinds[at])) {
                values.append(value(val, length, kinds[at], precision));
            } else if (const QVariant* known = times[at].find(val, length)) {
                values.append(*known);
            } else {
                values.append(value(val, length, kinds[at], precision));
                times[at].add(val, length, values.constLast());
            }
        }
        out.rows.push_back(std::move(values));
    }
    return out;
}

} // namespace db
