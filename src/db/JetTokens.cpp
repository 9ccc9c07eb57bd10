#include "db/JetTokens.h"

#include "db/DbError.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

namespace db::jet {

SqlToken raw(const QString& text) {
    return SqlToken{SqlToken::Symbol, text};
}
SqlToken word(const QString& text) {
    return SqlToken{SqlToken::Word, text};
}
SqlToken space() {
    return SqlToken{SqlToken::Space, QStringLiteral(" ")};
}

[[noreturn]] void fail(const QString& why, const QString& statement) {
    throw DbError(QStringLiteral("Istruzione SQL non traducibile (%1): %2").arg(why, statement));
}

qsizetype nextSolid(const Tokens& t, qsizetype i) {
    while (i < qsizetype(t.size()) && t[i].kind == SqlToken::Space)
        ++i;
    return i;
}

qsizetype prevSolid(const Tokens& t, qsizetype i) {
    while (i >= 0 && t[i].kind == SqlToken::Space)
        --i;
    return i;
}

// Index of the parenthesis closing the one opened at `open`.
qsizetype matchingParen(const Tokens& t, qsizetype open) {
    int depth = 0;
    for (qsizetype i = open; i < qsizetype(t.size()); ++i) {
        if (t[i].isSymbol("("))
            ++depth;
        else if (t[i].isSymbol(")") && --depth == 0)
            return i;
    }
    return -1;
}

qsizetype matchingOpen(const Tokens& t, qsizetype close) {
    int depth = 0;
    for (qsizetype i = close; i >= 0; --i) {
        if (t[i].isSymbol(")"))
            ++depth;
        else if (t[i].isSymbol("(") && --depth == 0)
            return i;
    }
    return -1;
}

bool plainIdentifier(const QString& s) {
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return re.match(s).hasMatch();
}

QString quoteString(const QString& v) {
    QString s = v;
    s.replace(u'\'', QStringLiteral("''"));
    return u'\'' + s + u'\'';
}

// A Jet date literal: month/day/year, an optional time with '.' or ':'.
// Jet reads a first part above 12 as the day.
QString dateLiteral(const QString& inside, const QString& statement) {
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{1,4})[/\-.](\d{1,2})[/\-.](\d{1,4})(?:\s+(\d{1,2})[.:](\d{1,2})(?:[.:](\d{1,2}))?)?\s*$)"));
    const auto m = re.match(inside);
    if (!m.hasMatch())
        fail(QStringLiteral("data non valida #%1#").arg(inside), statement);
    int a = m.captured(1).toInt(), b = m.captured(2).toInt(), c = m.captured(3).toInt();
    int year, month, day;
    if (m.captured(1).size() == 4) { // yyyy/m/d
        year = a;
        month = b;
        day = c;
    } else {
        month = a;
        day = b;
        year = c;
        if (month > 12 && day <= 12)
            std::swap(month, day);
        if (m.captured(3).size() <= 2)
            year += year < 30 ? 2000 : 1900;
    }
    const QDate d(year, month, day);
    if (!d.isValid())
        fail(QStringLiteral("data non valida #%1#").arg(inside), statement);
    if (m.captured(4).isEmpty())
        return d.toString(QStringLiteral("yyyy-MM-dd"));
    const QTime t(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (!t.isValid())
        fail(QStringLiteral("ora non valida #%1#").arg(inside), statement);
    return d.toString(QStringLiteral("yyyy-MM-dd")) + u' ' + t.toString(QStringLiteral("HH:mm:ss"));
}

std::optional<TypeMapping> mapType(const QString& jetType) {
    const QString t = jetType.toUpper();
    if (t == u"COUNTER" || t == u"AUTOINCREMENT" || t == u"IDENTITY")
        return TypeMapping{ColumnType::Counter, QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT"),
                           QStringLiteral("SERIAL PRIMARY KEY")};
    if (t == u"TEXT" || t == u"VARCHAR" || t == u"CHAR" || t == u"STRING" || t == u"NVARCHAR")
        return TypeMapping{ColumnType::Text, QStringLiteral("TEXT COLLATE NOCASE"),
                           QStringLiteral("CITEXT")};
    if (t == u"MEMO" || t == u"LONGTEXT" || t == u"NOTE" || t == u"NTEXT")
        return TypeMapping{ColumnType::Memo, QStringLiteral("TEXT COLLATE NOCASE"),
                           QStringLiteral("CITEXT")};
    if (t == u"LONG" || t == u"INTEGER" || t == u"INT" || t == u"SHORT" || t == u"SMALLINT" ||
        t == u"BYTE" || t == u"INTEGER4" || t == u"INTEGER2" || t == u"TINYINT")
        return TypeMapping{ColumnType::Integer, QStringLiteral("INTEGER"),
                           QStringLiteral("INTEGER")};
    if (t == u"DOUBLE" || t == u"FLOAT" || t == u"REAL" || t == u"SINGLE" || t == u"CURRENCY" ||
        t == u"MONEY" || t == u"NUMERIC" || t == u"DECIMAL" || t == u"FLOAT8" || t == u"FLOAT4")
        return TypeMapping{ColumnType::Double, QStringLiteral("REAL"),
                           QStringLiteral("DOUBLE PRECISION")};
    if (t == u"YESNO" || t == u"BIT" || t == u"LOGICAL" || t == u"BOOLEAN" || t == u"LOGICAL1")
        return TypeMapping{ColumnType::YesNo, QStringLiteral("INTEGER NOT NULL DEFAULT 0"),
                           QStringLiteral("SMALLINT NOT NULL DEFAULT 0")};
    if (t == u"DATETIME" || t == u"DATE" || t == u"TIME" || t == u"TIMESTAMP")
        return TypeMapping{ColumnType::DateTime, QStringLiteral("TEXT"),
                           QStringLiteral("TIMESTAMP(0)")};
    if (t == u"LONGBINARY" || t == u"OLEOBJECT" || t == u"IMAGE" || t == u"BINARY" ||
        t == u"VARBINARY" || t == u"GENERAL")
        return TypeMapping{ColumnType::Binary, QStringLiteral("BLOB"), QStringLiteral("BYTEA")};
    return std::nullopt;
}

QString join(const Tokens& t, qsizetype from, qsizetype to) {
    if (to < 0)
        to = qsizetype(t.size());
    QString out;
    for (qsizetype i = from; i < to; ++i) {
        const SqlToken& k = t[i];
        switch (k.kind) {
        case SqlToken::String:
            out += quoteString(k.text);
            break;
        case SqlToken::Bracketed:
            out += plainIdentifier(k.text) ? k.text : u'"' + k.text + u'"';
            break;
        default:
            out += k.text;
        }
    }
    return out;
}

// Splits tokens [from, to) on commas at parenthesis depth 0.
QList<std::pair<qsizetype, qsizetype>> splitTopLevel(const Tokens& t, qsizetype from, qsizetype to,
                                                     const char* sep) {
    QList<std::pair<qsizetype, qsizetype>> parts;
    int depth = 0;
    qsizetype start = from;
    for (qsizetype i = from; i < to; ++i) {
        if (t[i].isSymbol("("))
            ++depth;
        else if (t[i].isSymbol(")"))
            --depth;
        else if (depth == 0 && t[i].isSymbol(sep)) {
            parts.append({start, i});
            start = i + 1;
        }
    }
    parts.append({start, to});
    return parts;
}

// Index of the first word `w` at depth 0 in [from, to), or -1.
qsizetype findTopWord(const Tokens& t, qsizetype from, qsizetype to, const char* w) {
    int depth = 0;
    for (qsizetype i = from; i < to; ++i) {
        if (t[i].isSymbol("("))
            ++depth;
        else if (t[i].isSymbol(")"))
            --depth;
        else if (depth == 0 && t[i].isWord(w))
            return i;
    }
    return -1;
}

Tokens trimmed(const Tokens& t, qsizetype from, qsizetype to) {
    while (from < to && t[from].kind == SqlToken::Space)
        ++from;
    while (to > from && t[to - 1].kind == SqlToken::Space)
        --to;
    return Tokens(t.begin() + from, t.begin() + to);
}

} // namespace db::jet
