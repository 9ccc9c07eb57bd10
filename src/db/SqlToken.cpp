#include "db/SqlToken.h"

#include "db/DbError.h"

namespace db {

namespace {

bool isWordStart(QChar c) {
    return c.isLetter() || c == u'_';
}
bool isWordPart(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

QString unterminated(const QString& what, const QString& sql) {
    return QStringLiteral("Istruzione SQL non valida (%1 non chiuso): %2").arg(what, sql);
}

} // namespace

SqlTokens tokenizeJet(const QString& sql) {
    SqlTokens out;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        SqlToken t;
        if (c.isSpace()) {
            qsizetype j = i;
            while (j < n && sql[j].isSpace())
                ++j;
            t.kind = SqlToken::Space;
            t.text = sql.mid(i, j - i);
            i = j;
        } else if (c == u'\'' || c == u'"') {
            // Quotes inside are doubled in both forms.
            QString value;
            qsizetype j = i + 1;
            bool closed = false;
            while (j < n) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        value += c;
                        j += 2;
                        continue;
                    }
                    closed = true;
                    ++j;
                    break;
                }
                value += sql[j++];
            }
            if (!closed)
                throw DbError(unterminated(QStringLiteral("testo"), sql));
            t.kind = SqlToken::String;
            t.text = value;
            i = j;
        } else if (c == u'[') {
            const qsizetype j = sql.indexOf(u']', i + 1);
            if (j < 0)
                throw DbError(unterminated(QStringLiteral("nome tra parentesi quadre"), sql));
            t.kind = SqlToken::Bracketed;
            t.text = sql.mid(i + 1, j - i - 1);
            i = j + 1;
        } else if (c == u'#') {
            const qsizetype j = sql.indexOf(u'#', i + 1);
            if (j < 0)
                throw DbError(unterminated(QStringLiteral("data"), sql));
            t.kind = SqlToken::DateLiteral;
            t.text = sql.mid(i + 1, j - i - 1);
            i = j + 1;
        } else if (c == u'@' && i + 1 < n && sql[i + 1] == u'@') {
            qsizetype j = i + 2;
            while (j < n && isWordPart(sql[j]))
                ++j;
            t.kind = SqlToken::Variable;
            t.text = sql.mid(i, j - i);
            i = j;
        } else if (isWordStart(c)) {
            qsizetype j = i + 1;
            while (j < n && isWordPart(sql[j]))
                ++j;
            t.kind = SqlToken::Word;
            t.text = sql.mid(i, j - i);
            i = j;
        } else if (c.isDigit() || (c == u'.' && i + 1 < n && sql[i + 1].isDigit() &&
                                   (out.empty() || out.back().kind != SqlToken::Word) &&
                                   (out.empty() || out.back().kind != SqlToken::Bracketed))) {
            qsizetype j = i;
            while (j < n && (sql[j].isDigit() || sql[j] == u'.'))
                ++j;
            if (j < n && (sql[j] == u'e' || sql[j] == u'E') && j + 1 < n &&
                (sql[j + 1].isDigit() || sql[j + 1] == u'-' || sql[j + 1] == u'+')) {
                j += 2;
                while (j < n && sql[j].isDigit())
                    ++j;
            }
            t.kind = SqlToken::Number;
            t.text = sql.mid(i, j - i);
            i = j;
        } else if (c == u'?') {
            t.kind = SqlToken::Param;
            t.text = QStringLiteral("?");
            ++i;
        } else {
            t.kind = SqlToken::Symbol;
            static const char* twoChar[] = {"<>", "<=", ">=", "!=", "||"};
            t.text = QString(c);
            for (const char* op : twoChar) {
                if (i + 1 < n && c == QLatin1Char(op[0]) && sql[i + 1] == QLatin1Char(op[1])) {
                    t.text = QLatin1String(op);
                    break;
                }
            }
            i += t.text.size();
        }
        out.push_back(std::move(t));
    }
    return out;
}

} // namespace db
