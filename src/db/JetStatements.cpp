#include "db/JetStatements.h"

#include "db/DbError.h"
#include "db/JetRewriter.h"

#include <QRegularExpression>

namespace db::jet {

namespace {

struct TableRef {
    QString name;
    QString alias;
};

class StatementTranslator {
public:
    StatementTranslator(Engine e, SchemaCatalog* c, const QString& statement)
        : m_engine(e), m_catalog(c), m_statement(statement), m_rewriter(e, c, statement) {}

    Translation run(Tokens t) {
        // One statement: a trailing ';' is allowed.
        while (!t.empty() && (t.back().kind == SqlToken::Space || t.back().isSymbol(";")))
            t.pop_back();
        for (const SqlToken& k : t)
            if (k.isSymbol(";"))
                fail(QStringLiteral("più istruzioni in un solo testo"), m_statement);
        const qsizetype first = nextSolid(t, 0);
        if (first >= qsizetype(t.size()))
            return Translation{};
        const SqlToken& head = t[first];
        if (head.isWord("select") || head.isSymbol("("))
            return query(std::move(t));
        if (head.isWord("delete"))
            return remove(std::move(t), first);
        if (head.isWord("update"))
            return update(std::move(t), first);
        if (head.isWord("insert"))
            return command(std::move(t));
        if (head.isWord("create"))
            return create(std::move(t), first);
        if (head.isWord("alter"))
            return alter(std::move(t), first);
        if (head.isWord("drop"))
            return drop(std::move(t), first);
        fail(QStringLiteral("istruzione %1 non ammessa").arg(head.text), m_statement);
    }

private:
    Translation query(Tokens t) {
        Translation out;
        out.kind = Translation::Query;
        m_rewriter.expressions(t, &out.aliases);
        m_rewriter.topClauses(t);
        out.sql = join(t);
        return out;
    }

    Translation command(Tokens t) {
        Translation out;
        out.kind = Translation::Command;
        m_rewriter.expressions(t, nullptr);
        m_rewriter.topClauses(t);
        out.sql = join(t);
        return out;
    }

    // "delete * from T", "delete T.* from T", "delete from T".
    Translation remove(Tokens t, qsizetype head) {
        qsizetype i = nextSolid(t, head + 1);
        const qsizetype from = findTopWord(t, i, qsizetype(t.size()), "from");
        if (from < 0)
            fail(QStringLiteral("DELETE senza FROM"), m_statement);
        const Tokens between = trimmed(t, i, from);
        const bool star = between.size() == 1 && between[0].isSymbol("*");
        const bool tableStar = between.size() == 3 && between[0].isName() &&
                               between[1].isSymbol(".") && between[2].isSymbol("*");
        if (!between.empty() && !star && !tableStar)
            fail(QStringLiteral("forma di DELETE non ammessa"), m_statement);
        if (findTopWord(t, from, qsizetype(t.size()), "join") >= 0)
            fail(QStringLiteral("DELETE con JOIN"), m_statement);
        t.erase(t.begin() + i, t.begin() + from);
        return command(std::move(t));
    }

    // Jet updates a join by naming it before SET; both engines want the
    // updated table alone, the others in FROM and the join conditions in WHERE.
    Translation update(Tokens t, qsizetype head) {
        const qsizetype n = qsizetype(t.size());
        const qsizetype set = findTopWord(t, head + 1, n, "set");
        if (set < 0)
            fail(QStringLiteral("UPDATE senza SET"), m_statement);
        bool hasJoin = false;
        for (qsizetype i = head + 1; i < set; ++i)
            if (t[i].isWord("join"))
                hasJoin = true;
        if (!hasJoin)
            return command(unqualifiedSet(std::move(t), head, set));

        // Tables and join conditions, parentheses flattened.
        Tokens source;
        for (qsizetype i = head + 1; i < set; ++i)
            if (!t[i].isSymbol("(") && !t[i].isSymbol(")"))
                source.push_back(t[i]);
        QList<TableRef> tables;
        QList<Tokens> conditions;
        qsizetype i = 0;
        const qsizetype sn = qsizetype(source.size());
        auto readTable = [&]() {
            i = nextSolid(source, i);
            if (i >= sn || !source[i].isName())
                fail(QStringLiteral("tabella attesa nella JOIN"), m_statement);
            TableRef ref{source[i].text, QString()};
            i = nextSolid(source, i + 1);
            if (i < sn && source[i].isWord("as"))
                i = nextSolid(source, i + 1);
            if (i < sn && source[i].isName() && !source[i].isWord("inner") &&
                !source[i].isWord("on") && !source[i].isWord("left") &&
                !source[i].isWord("right")) {
                ref.alias = source[i].text;
                i = nextSolid(source, i + 1);
            }
            tables.append(ref);
        };
        readTable();
        while (i < sn) {
            if (source[i].isWord("left") || source[i].isWord("right"))
                fail(QStringLiteral("UPDATE con LEFT o RIGHT JOIN"), m_statement);
            if (!source[i].isWord("inner"))
                fail(QStringLiteral("JOIN attesa"), m_statement);
            i = nextSolid(source, i + 1);
            if (i >= sn || !source[i].isWord("join"))
                fail(QStringLiteral("JOIN attesa"), m_statement);
            ++i;
            readTable();
            if (i >= sn || !source[i].isWord("on"))
                fail(QStringLiteral("ON atteso"), m_statement);
            ++i;
            const qsizetype start = i;
            while (i < sn && !source[i].isWord("inner") && !source[i].isWord("left") &&
                   !source[i].isWord("right"))
                ++i;
            conditions.append(trimmed(source, start, i));
        }

        const qsizetype where = findTopWord(t, set + 1, n, "where");
        const qsizetype setEnd = where < 0 ? n : where;
        const auto assignments = splitTopLevel(t, set + 1, setEnd);
        QString target;
        Tokens setList;
        for (const auto& [s, e] : assignments) {
            Tokens a = trimmed(t, s, e);
            qsizetype eq = -1;
            for (qsizetype k = 0; k < qsizetype(a.size()); ++k)
                if (a[k].isSymbol("=")) {
                    eq = k;
                    break;
                }
            if (eq < 1)
                fail(QStringLiteral("assegnazione non valida"), m_statement);
            const Tokens lhs = trimmed(a, 0, eq);
            QString table, column;
            if (lhs.size() == 3 && lhs[0].isName() && lhs[1].isSymbol(".") && lhs[2].isName()) {
                table = lhs[0].text;
                column = lhs[2].text;
            } else if (lhs.size() == 1 && lhs[0].isName()) {
                table = tables.first().alias.isEmpty() ? tables.first().name : tables.first().alias;
                column = lhs[0].text;
            } else {
                fail(QStringLiteral("colonna da aggiornare non valida"), m_statement);
            }
            if (target.isEmpty())
                target = table;
            else if (target.compare(table, Qt::CaseInsensitive) != 0)
                fail(QStringLiteral("colonne di più tabelle nello stesso UPDATE"), m_statement);
            if (!setList.empty())
                setList.push_back(raw(QStringLiteral(", ")));
            setList.push_back(word(column));
            setList.push_back(raw(QStringLiteral(" =")));
            Tokens rhs(a.begin() + eq + 1, a.end());
            setList.insert(setList.end(), rhs.begin(), rhs.end());
        }

        qsizetype targetIndex = -1;
        for (qsizetype k = 0; k < tables.size(); ++k) {
            const TableRef& r = tables[k];
            if (r.name.compare(target, Qt::CaseInsensitive) == 0 ||
                (!r.alias.isEmpty() && r.alias.compare(target, Qt::CaseInsensitive) == 0))
                targetIndex = k;
        }
        if (targetIndex < 0)
            fail(QStringLiteral("tabella %1 non presente nella JOIN").arg(target), m_statement);

        auto refText = [](const TableRef& r) {
            return r.alias.isEmpty() ? r.name : r.name + QStringLiteral(" AS ") + r.alias;
        };
        Tokens out;
        out.push_back(raw(QStringLiteral("UPDATE ") + refText(tables[targetIndex]) +
                          QStringLiteral(" SET ")));
        out.insert(out.end(), setList.begin(), setList.end());
        QStringList others;
        for (qsizetype k = 0; k < tables.size(); ++k)
            if (k != targetIndex)
                others.append(refText(tables[k]));
        out.push_back(raw(QStringLiteral(" FROM ") + others.join(QStringLiteral(", ")) +
                          QStringLiteral(" WHERE ")));
        bool firstCondition = true;
        for (const Tokens& c : conditions) {
            if (!firstCondition)
                out.push_back(raw(QStringLiteral(" AND ")));
            out.push_back(raw(QStringLiteral("(")));
            out.insert(out.end(), c.begin(), c.end());
            out.push_back(raw(QStringLiteral(")")));
            firstCondition = false;
        }
        if (where >= 0) {
            out.push_back(raw(QStringLiteral(" AND (")));
            Tokens w = trimmed(t, where + 1, n);
            out.insert(out.end(), w.begin(), w.end());
            out.push_back(raw(QStringLiteral(")")));
        }
        return command(std::move(out));
    }

    // Jet accepts "SET Table.Column = …" on a single table; the engines want
    // the bare column.
    Tokens unqualifiedSet(Tokens t, qsizetype head, qsizetype set) {
        const qsizetype table = nextSolid(t, head + 1);
        if (table >= set || !t[table].isName())
            return t;
        const QString name = t[table].text;
        const qsizetype where = findTopWord(t, set + 1, qsizetype(t.size()), "where");
        const qsizetype end = where < 0 ? qsizetype(t.size()) : where;
        const auto parts = splitTopLevel(t, set + 1, end);
        // Walk backwards so that erasing keeps earlier indices valid.
        for (qsizetype p = parts.size() - 1; p >= 0; --p) {
            const qsizetype a = nextSolid(t, parts[p].first);
            const qsizetype dot = nextSolid(t, a + 1);
            if (a < parts[p].second && t[a].isName() && dot < parts[p].second &&
                t[dot].isSymbol(".") && t[a].text.compare(name, Qt::CaseInsensitive) == 0) {
                const qsizetype column = nextSolid(t, dot + 1);
                t.erase(t.begin() + a, t.begin() + column);
            }
        }
        return t;
    }

    QString columnDefinition(const Tokens& def, const QString& table, bool* isCounter) {
        // name TYPE[(n[,m])] [rest]
        qsizetype i = nextSolid(def, 0);
        if (i >= qsizetype(def.size()) || !def[i].isName())
            fail(QStringLiteral("nome di colonna atteso"), m_statement);
        const QString name = def[i].text;
        i = nextSolid(def, i + 1);
        if (i >= qsizetype(def.size()) || def[i].kind != SqlToken::Word)
            fail(QStringLiteral("tipo mancante per la colonna %1").arg(name), m_statement);
        const auto mapping = mapType(def[i].text);
        if (!mapping)
            fail(QStringLiteral("tipo %1 sconosciuto").arg(def[i].text), m_statement);
        i = nextSolid(def, i + 1);
        if (i < qsizetype(def.size()) && def[i].isSymbol("(")) {
            const qsizetype close = matchingParen(def, i);
            if (close < 0)
                fail(QStringLiteral("parentesi non chiusa"), m_statement);
            i = close + 1;
        }
        Tokens rest = trimmed(def, i, qsizetype(def.size()));
        const bool counter = mapping->type == ColumnType::Counter;
        if (counter) {
            // The key clause is part of the mapped type.
            Tokens kept;
            for (qsizetype k = 0; k < qsizetype(rest.size()); ++k) {
                if (rest[k].isWord("primary") || rest[k].isWord("key") || rest[k].isWord("not") ||
                    rest[k].isWord("null"))
                    continue;
                kept.push_back(rest[k]);
            }
            rest = trimmed(kept, 0, qsizetype(kept.size()));
        } else if (mapping->type == ColumnType::YesNo) {
            Tokens kept;
            for (qsizetype k = 0; k < qsizetype(rest.size()); ++k) {
                if (rest[k].isWord("not") || rest[k].isWord("null"))
                    continue;
                if (rest[k].isWord("default")) { // the mapped type has its default
                    k = nextSolid(rest, k + 1);
                    continue;
                }
                kept.push_back(rest[k]);
            }
            rest = trimmed(kept, 0, qsizetype(kept.size()));
        }
        m_rewriter.expressions(rest, nullptr);
        if (m_catalog)
            m_catalog->addColumn(table, name, mapping->type);
        m_defined.append(name);
        if (isCounter)
            *isCounter = counter;
        QString out =
            name + u' ' + (m_engine == Engine::SQLite ? mapping->sqlite : mapping->postgres);
        const QString tail = join(rest);
        if (!tail.isEmpty())
            out += u' ' + tail;
        return out;
    }

    Translation create(Tokens t, qsizetype head) {
        qsizetype i = nextSolid(t, head + 1);
        bool unique = false;
        if (i < qsizetype(t.size()) && t[i].isWord("unique")) {
            unique = true;
            i = nextSolid(t, i + 1);
        }
        if (i < qsizetype(t.size()) && t[i].isWord("index"))
            return createIndex(std::move(t), i, unique);
        if (unique || i >= qsizetype(t.size()) || !t[i].isWord("table"))
            fail(QStringLiteral("CREATE non ammessa"), m_statement);
        i = nextSolid(t, i + 1);
        if (i >= qsizetype(t.size()) || !t[i].isName())
            fail(QStringLiteral("nome di tabella atteso"), m_statement);
        const QString table = t[i].text;
        const qsizetype open = nextSolid(t, i + 1);
        if (open >= qsizetype(t.size()) || !t[open].isSymbol("("))
            fail(QStringLiteral("elenco delle colonne atteso"), m_statement);
        const qsizetype close = matchingParen(t, open);
        if (close < 0 || nextSolid(t, close + 1) != qsizetype(t.size()))
            fail(QStringLiteral("parentesi non chiusa"), m_statement);
        if (m_catalog)
            m_catalog->addTable(table);
        QStringList parts;
        QString counterColumn;
        QList<Tokens> constraints;
        for (const auto& [s, e] : splitTopLevel(t, open + 1, close)) {
            Tokens def = trimmed(t, s, e);
            if (def.empty())
                fail(QStringLiteral("colonna vuota"), m_statement);
            if (def[0].isWord("constraint") || def[0].isWord("primary") ||
                def[0].isWord("unique")) {
                constraints.append(def);
                continue;
            }
            bool counter = false;
            parts.append(columnDefinition(def, table, &counter));
            if (counter)
                counterColumn = def[0].text;
        }
        for (Tokens c : constraints) {
            // The auto-number column already is the key.
            bool primary = false;
            for (const SqlToken& k : c)
                primary = primary || k.isWord("primary");
            if (primary && !counterColumn.isEmpty())
                continue;
            m_rewriter.expressions(c, nullptr);
            parts.append(join(c));
        }
        Translation out;
        out.kind = Translation::Definition;
        out.defined = QStringList{table} + m_defined;
        out.sql = QStringLiteral("CREATE TABLE ") + table + QStringLiteral(" (") +
                  parts.join(QStringLiteral(", ")) + u')';
        return out;
    }

    Translation createIndex(Tokens t, qsizetype indexWord, bool unique) {
        const qsizetype name = nextSolid(t, indexWord + 1);
        const qsizetype on = nextSolid(t, name + 1);
        if (name >= qsizetype(t.size()) || !t[name].isName() || on >= qsizetype(t.size()) ||
            !t[on].isWord("on"))
            fail(QStringLiteral("CREATE INDEX non valida"), m_statement);
        const qsizetype table = nextSolid(t, on + 1);
        const qsizetype open = nextSolid(t, table + 1);
        if (table >= qsizetype(t.size()) || open >= qsizetype(t.size()) || !t[open].isSymbol("("))
            fail(QStringLiteral("CREATE INDEX non valida"), m_statement);
        const qsizetype close = matchingParen(t, open);
        if (close < 0)
            fail(QStringLiteral("parentesi non chiusa"), m_statement);
        Translation out;
        out.kind = Translation::Definition;
        out.sql = QStringLiteral("CREATE ") + (unique ? QStringLiteral("UNIQUE ") : QString()) +
                  QStringLiteral("INDEX ") + join(t, name, name + 1) + QStringLiteral(" ON ") +
                  join(t, table, table + 1) + QStringLiteral(" ") + join(t, open, close + 1);
        return out; // Jet's WITH PRIMARY / DISALLOW NULL options are dropped
    }

    Translation alter(Tokens t, qsizetype head) {
        qsizetype i = nextSolid(t, head + 1);
        if (i >= qsizetype(t.size()) || !t[i].isWord("table"))
            fail(QStringLiteral("ALTER non ammessa"), m_statement);
        i = nextSolid(t, i + 1);
        if (i >= qsizetype(t.size()) || !t[i].isName())
            fail(QStringLiteral("nome di tabella atteso"), m_statement);
        const QString table = t[i].text;
        i = nextSolid(t, i + 1);
        if (i >= qsizetype(t.size()))
            fail(QStringLiteral("ALTER TABLE incompleta"), m_statement);
        const SqlToken action = t[i];
        i = nextSolid(t, i + 1);
        if (i < qsizetype(t.size()) && t[i].isWord("column"))
            i = nextSolid(t, i + 1);
        Translation out;
        out.kind = Translation::Definition;
        if (action.isWord("add")) {
            Tokens def = trimmed(t, i, qsizetype(t.size()));
            if (!def.empty() && def[0].isWord("constraint"))
                fail(QStringLiteral("ADD CONSTRAINT"), m_statement);
            bool counter = false;
            const QString col = columnDefinition(def, table, &counter);
            if (counter && m_engine == Engine::SQLite)
                fail(QStringLiteral("contatore aggiunto a una tabella esistente"), m_statement);
            out.sql = QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" ADD COLUMN ") + col;
            out.defined = m_defined;
            return out;
        }
        if (action.isWord("drop")) {
            if (i >= qsizetype(t.size()) || !t[i].isName())
                fail(QStringLiteral("nome di colonna atteso"), m_statement);
            if (m_catalog)
                m_catalog->dropColumn(table, t[i].text);
            out.sql = QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" DROP COLUMN ") +
                      t[i].text;
            return out;
        }
        if (action.isWord("alter")) {
            Tokens def = trimmed(t, i, qsizetype(t.size()));
            if (m_catalog && !def.empty())
                m_catalog->dropColumn(table, def[0].text);
            const QString col = columnDefinition(def, table, nullptr);
            if (m_engine == Engine::SQLite)
                return Translation{Translation::Definition, QString(), {}}; // columns take any type
            const qsizetype sp = col.indexOf(u' ');
            QString type = col.mid(sp + 1);
            type.remove(QStringLiteral(" NOT NULL DEFAULT 0"));
            out.sql = QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" ALTER COLUMN ") +
                      col.left(sp) + QStringLiteral(" TYPE ") + type + QStringLiteral(" USING ") +
                      col.left(sp) + QStringLiteral("::") + type;
            return out;
        }
        fail(QStringLiteral("ALTER TABLE %1 non ammessa").arg(action.text), m_statement);
    }

    Translation drop(Tokens t, qsizetype head) {
        const qsizetype what = nextSolid(t, head + 1);
        const qsizetype name = nextSolid(t, what + 1);
        if (what >= qsizetype(t.size()) || name >= qsizetype(t.size()) || !t[name].isName())
            fail(QStringLiteral("DROP non valida"), m_statement);
        Translation out;
        out.kind = Translation::Definition;
        if (t[what].isWord("table")) {
            if (m_catalog)
                m_catalog->dropTable(t[name].text);
            out.sql = QStringLiteral("DROP TABLE ") + t[name].text;
            return out;
        }
        if (t[what].isWord("index")) {
            out.sql = QStringLiteral("DROP INDEX ") + t[name].text; // "ON table" is Jet's
            return out;
        }
        fail(QStringLiteral("DROP non ammessa"), m_statement);
    }

    Engine m_engine;
    SchemaCatalog* m_catalog;
    QString m_statement;
    Rewriter m_rewriter;
    QStringList m_defined;
};

} // namespace

Translation translateStatement(Engine engine, SchemaCatalog* catalog, const QString& statement,
                               Tokens tokens) {
    return StatementTranslator(engine, catalog, statement).run(std::move(tokens));
}

} // namespace db::jet
