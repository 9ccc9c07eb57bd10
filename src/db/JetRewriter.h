#pragma once

#include "db/JetTokens.h"

#include <QStringList>
#include <functional>

namespace db::jet {

// Rewrites of values, expressions and clauses that hold anywhere in a
// statement: literals, functions, operators, TOP, LIKE patterns.
class Rewriter {
public:
    Rewriter(Engine e, SchemaCatalog* c, const QString& statement)
        : m_engine(e), m_catalog(c), m_statement(statement) {}

    // Rewrites of values and expressions, valid anywhere in a statement.
    void expressions(Tokens& t, QStringList* aliases) const {
        // Literals and names first, so that later passes see plain tokens.
        for (qsizetype i = 0; i < qsizetype(t.size()); ++i) {
            SqlToken& k = t[i];
            if (k.kind == SqlToken::Bracketed) {
                if (plainIdentifier(k.text))
                    k.kind = SqlToken::Word;
            } else if (k.kind == SqlToken::DateLiteral) {
                k = SqlToken{SqlToken::String, dateLiteral(k.text, m_statement)};
            } else if (k.kind == SqlToken::Variable) {
                if (k.text.compare(QLatin1String("@@IDENTITY"), Qt::CaseInsensitive) != 0)
                    fail(QStringLiteral("variabile %1 sconosciuta").arg(k.text), m_statement);
                k = raw(m_engine == Engine::SQLite ? QStringLiteral("last_insert_rowid()")
                                                   : QStringLiteral("lastval()"));
            } else if (k.kind == SqlToken::Word && !isQualified(t, i)) {
                if (k.isWord("true") || k.isWord("yes"))
                    k = raw(QStringLiteral("1"));
                else if (k.isWord("false") || k.isWord("no"))
                    k = raw(QStringLiteral("0"));
                else if (k.isWord("mod"))
                    k = raw(QStringLiteral("%"));
                else if (k.isWord("distinctrow"))
                    k = word(QStringLiteral("DISTINCT"));
            } else if (k.isSymbol("!=")) {
                k = raw(QStringLiteral("<>"));
            }
        }
        likePatterns(t);
        if (aliases)
            collectAliases(t, aliases);
        dateFunctions(t);
        concatenation(t);
    }

    void topClauses(Tokens& t) const {
        for (qsizetype i = 0; i < qsizetype(t.size()); ++i) {
            if (!t[i].isWord("select"))
                continue;
            qsizetype j = nextSolid(t, i + 1);
            if (j < qsizetype(t.size()) && (t[j].isWord("distinct") || t[j].isWord("all")))
                j = nextSolid(t, j + 1);
            if (j >= qsizetype(t.size()) || !t[j].isWord("top"))
                continue;
            const qsizetype n = nextSolid(t, j + 1);
            if (n >= qsizetype(t.size()) || t[n].kind != SqlToken::Number)
                fail(QStringLiteral("TOP senza numero"), m_statement);
            const qsizetype after = nextSolid(t, n + 1);
            if (after < qsizetype(t.size()) && t[after].isWord("percent"))
                fail(QStringLiteral("TOP PERCENT"), m_statement);
            const QString count = t[n].text;
            t.erase(t.begin() + j, t.begin() + nextSolid(t, n + 1));
            // The end of this SELECT: the parenthesis that closes it, or the end.
            int depth = 0;
            qsizetype end = qsizetype(t.size());
            for (qsizetype k = i; k < qsizetype(t.size()); ++k) {
                if (t[k].isSymbol("("))
                    ++depth;
                else if (t[k].isSymbol(")") && --depth < 0) {
                    end = k;
                    break;
                }
            }
            t.insert(t.begin() + end,
                     {space(), word(QStringLiteral("LIMIT")), space(), raw(count)});
        }
    }

private:
    static bool isQualified(const Tokens& t, qsizetype i) {
        const qsizetype p = prevSolid(t, i - 1);
        const qsizetype n = nextSolid(t, i + 1);
        return (p >= 0 && t[p].isSymbol(".")) || (n < qsizetype(t.size()) && t[n].isSymbol("."));
    }

    // Jet's wildcards are * and ?; %, _ and the backslash (the engines'
    // escape character) are searched as themselves. Searches ignore accents
    // as well as case: SQLite's like function folds both; on PostgreSQL a
    // column compared to a pattern goes through unaccent and ILIKE.
    void likePatterns(Tokens& t) const {
        for (qsizetype i = 0; i < qsizetype(t.size()); ++i) {
            if (!t[i].isWord("like"))
                continue;
            const qsizetype j = nextSolid(t, i + 1);
            const bool literal = j < qsizetype(t.size()) && t[j].kind == SqlToken::String;
            if (literal)
                t[j].text = likePattern(t[j].text);
            if (m_engine != Engine::PostgreSQL)
                continue;
            const bool bound = j < qsizetype(t.size()) && t[j].kind == SqlToken::Param;
            const qsizetype first = columnBefore(t, i);
            if (first < 0 || !(literal || bound))
                continue;
            // The parentheses are tokens of their own, so that later passes
            // (TOP's LIMIT) see them balanced.
            const auto wrap = [&t](qsizetype from, qsizetype to) {
                t.insert(t.begin() + to + 1, raw(QStringLiteral(")")));
                t.insert(t.begin() + from, raw(QStringLiteral("(")));
                t.insert(t.begin() + from, word(QStringLiteral("unaccent")));
            };
            wrap(j, j);
            t[i] = word(QStringLiteral("ILIKE"));
            qsizetype last = prevSolid(t, i - 1);
            if (t[last].isWord("not"))
                last = prevSolid(t, last - 1);
            wrap(first, last);
            i = j + 6;
        }
    }

    static QString likePattern(const QString& jet) {
        QString out;
        out.reserve(jet.size() + 4);
        for (const QChar c : jet) {
            if (c == u'\\' || c == u'%' || c == u'_')
                out += u'\\';
            out += c == u'*' ? u'%' : (c == u'?' ? u'_' : c);
        }
        return out;
    }

    // The first token of a (possibly qualified) column name ending just
    // before LIKE (or NOT LIKE); -1 when the left side is anything else.
    static qsizetype columnBefore(const Tokens& t, qsizetype likeAt) {
        qsizetype k = prevSolid(t, likeAt - 1);
        if (k >= 0 && t[k].isWord("not"))
            k = prevSolid(t, k - 1);
        if (k < 0 || !t[k].isName())
            return -1;
        for (;;) {
            const qsizetype dot = prevSolid(t, k - 1);
            if (dot < 0 || !t[dot].isSymbol("."))
                return k;
            const qsizetype name = prevSolid(t, dot - 1);
            if (name < 0 || !t[name].isName())
                return -1;
            k = name;
        }
    }

    void collectAliases(const Tokens& t, QStringList* aliases) const {
        for (qsizetype i = 0; i < qsizetype(t.size()); ++i) {
            if (!t[i].isWord("as"))
                continue;
            const qsizetype j = nextSolid(t, i + 1);
            if (j < qsizetype(t.size()) && t[j].isName())
                aliases->append(t[j].text);
        }
    }

    // Year(x), Month(x), Day(x).
    void dateFunctions(Tokens& t) const {
        for (qsizetype i = 0; i < qsizetype(t.size()); ++i) {
            const char* part = nullptr;
            const char* fmt = nullptr;
            if (t[i].isWord("year")) {
                part = "YEAR";
                fmt = "%Y";
            } else if (t[i].isWord("month")) {
                part = "MONTH";
                fmt = "%m";
            } else if (t[i].isWord("day")) {
                part = "DAY";
                fmt = "%d";
            } else {
                continue;
            }
            const qsizetype open = nextSolid(t, i + 1);
            if (open >= qsizetype(t.size()) || !t[open].isSymbol("("))
                continue;
            const qsizetype close = matchingParen(t, open);
            if (close < 0)
                fail(QStringLiteral("parentesi non chiusa"), m_statement);
            if (m_engine == Engine::SQLite) {
                t[close] = raw(QStringLiteral(") AS INTEGER)"));
                t.erase(t.begin() + i, t.begin() + open + 1);
                t.insert(t.begin() + i,
                         raw(QStringLiteral("CAST(strftime('%1', ").arg(QLatin1String(fmt))));
            } else {
                t[close] = raw(QStringLiteral(") AS INTEGER)"));
                t.erase(t.begin() + i, t.begin() + open + 1);
                t.insert(t.begin() + i,
                         raw(QStringLiteral("CAST(EXTRACT(%1 FROM ").arg(QLatin1String(part))));
            }
        }
    }

    // Range [start, end] of the operand before / after the token at i.
    std::pair<qsizetype, qsizetype> operandBefore(const Tokens& t, qsizetype i) const {
        qsizetype end = prevSolid(t, i - 1);
        if (end < 0)
            fail(QStringLiteral("operando mancante prima di &"), m_statement);
        qsizetype start = end;
        if (t[end].isSymbol(")")) {
            start = matchingOpen(t, end);
            const qsizetype fn = prevSolid(t, start - 1);
            if (fn >= 0 && t[fn].kind == SqlToken::Word)
                start = fn;
        } else {
            while (true) {
                const qsizetype dot = prevSolid(t, start - 1);
                if (dot >= 0 && t[dot].isSymbol(".")) {
                    start = prevSolid(t, dot - 1);
                    continue;
                }
                break;
            }
        }
        if (start < 0)
            fail(QStringLiteral("operando di & non riconosciuto"), m_statement);
        return {start, end};
    }

    std::pair<qsizetype, qsizetype> operandAfter(const Tokens& t, qsizetype i) const {
        const qsizetype start = nextSolid(t, i + 1);
        if (start >= qsizetype(t.size()))
            fail(QStringLiteral("operando mancante dopo &"), m_statement);
        qsizetype end = start;
        if (t[start].isSymbol("(")) {
            end = matchingParen(t, start);
        } else if (t[start].kind == SqlToken::Word) {
            const qsizetype n = nextSolid(t, start + 1);
            if (n < qsizetype(t.size()) && t[n].isSymbol("(")) {
                end = matchingParen(t, n);
            } else {
                while (true) {
                    const qsizetype dot = nextSolid(t, end + 1);
                    if (dot < qsizetype(t.size()) && t[dot].isSymbol(".")) {
                        end = nextSolid(t, dot + 1);
                        continue;
                    }
                    break;
                }
            }
        }
        if (end < 0 || end >= qsizetype(t.size()))
            fail(QStringLiteral("operando di & non riconosciuto"), m_statement);
        return {start, end};
    }

    bool isDateOperand(const Tokens& t, qsizetype start, qsizetype end) const {
        if (!m_catalog || (t[end].kind != SqlToken::Word && t[end].kind != SqlToken::Bracketed))
            return false;
        if (start != end) {
            // Table.Column: the table is the first name.
            const auto type = m_catalog->columnType(t[start].text, t[end].text);
            return type && *type == ColumnType::DateTime;
        }
        return m_catalog->isDateColumn(t[end].text);
    }

    // Jet's & joins texts and treats a null as an empty text; dates read as
    // the short date form.
    void concatenation(Tokens& t) const {
        QList<std::pair<qsizetype, qsizetype>> ranges;
        for (qsizetype i = 0; i < qsizetype(t.size()); ++i) {
            if (!t[i].isSymbol("&"))
                continue;
            const auto before = operandBefore(t, i);
            const auto after = operandAfter(t, i);
            if (!ranges.contains(before))
                ranges.append(before);
            if (!ranges.contains(after))
                ranges.append(after);
            t[i] = raw(QStringLiteral("||"));
        }
        if (ranges.isEmpty())
            return;
        std::vector<QString> prefix(t.size()), suffix(t.size());
        for (const auto& [s, e] : ranges) {
            if (t[s].kind == SqlToken::String && s == e)
                continue; // a literal needs no wrapping
            if (isDateOperand(t, s, e)) {
                if (m_engine == Engine::SQLite) {
                    prefix[s] = QStringLiteral("COALESCE(strftime('%d/%m/%Y', ") + prefix[s];
                } else {
                    prefix[s] = QStringLiteral("COALESCE(to_char(") + prefix[s];
                    suffix[e] += QStringLiteral(", 'DD/MM/YYYY'");
                }
                suffix[e] += QStringLiteral("),'')");
            } else {
                prefix[s] = QStringLiteral("COALESCE(CAST(") + prefix[s];
                suffix[e] += QStringLiteral(" AS TEXT),'')");
            }
        }
        Tokens out;
        for (qsizetype i = 0; i < qsizetype(t.size()); ++i) {
            if (!prefix[i].isEmpty())
                out.push_back(raw(prefix[i]));
            out.push_back(t[i]);
            if (!suffix[i].isEmpty())
                out.push_back(raw(suffix[i]));
        }
        t = std::move(out);
    }

    Engine m_engine;
    SchemaCatalog* m_catalog;
    QString m_statement;
};

} // namespace db::jet
