#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

namespace db {
class Row;
struct Result;
} // namespace db

namespace printing {

// Where an expression finds its names: the current row, the rows of the
// current group (for sum, count, min, max), then the enclosing scope, and
// the report's variables (page numbers, the template's own names...).
// Names are compared without regard to case.
//
// A qualified name means that source and no other: "ditta.Via" is the
// company's column, "sub1.Numero" the column of the nearest sub1 row,
// "main.Numero" of the nearest main row. It never falls back to a column of
// the same name elsewhere.
struct Scope {
    const db::Row* row = nullptr;
    QString source; // the query the row comes from: "main", "sub1"...
    const std::vector<const db::Row*>* group = nullptr;
    const Scope* parent = nullptr;
    const QHash<QString, QVariant>* variables = nullptr; // keys in lower case
    QSet<QString>* unknown = nullptr;                    // collects names found nowhere
    // Every source's rows by lower-case name (main, sub1..., related), for
    // lookup().
    const QHash<QString, const db::Result*>* tables = nullptr;

    QVariant lookup(const QString& name) const;
};

struct ExprNode;

// A small expression language for the report templates:
//   numbers, 'texts', names, ( ), unary - and not,
//   * /, + - & (text join), = <> < > <= >=, and, or,
//   functions: iif(c,a,b) empty(x) isnull(x) coalesce(a,b,...) round2(x)
//   abs(x) upper(x) lower(x) trim(x) year(d) month(d) monthname(d) today()
//   format(x,'euro') join(separator,a,b,...) lookup('source','KeyColumn',key,'Column')
//   sum(e) count() min(e) max(e).
class Expression {
public:
    Expression() = default;
    explicit Expression(const QString& text);

    bool isValid() const { return m_error.isEmpty() && m_root != nullptr; }
    const QString& error() const { return m_error; }
    const QString& text() const { return m_text; }
    // The names the expression reads, as written.
    QStringList names() const;

    QVariant evaluate(const Scope& scope) const;
    bool test(const Scope& scope) const;

    // Truth of a value: null, 0, false and empty text are false.
    static bool truthy(const QVariant& v);
    // Orders two values: numbers by value, dates by date, texts without
    // regard to case; null first.
    static int compare(const QVariant& a, const QVariant& b);

private:
    QString m_text;
    QString m_error;
    std::shared_ptr<ExprNode> m_root;
};

// A text with {expression} and {expression|format} placeholders; "{{" and
// "}}" stand for the braces themselves.
class TextTemplate {
public:
    TextTemplate() = default;
    explicit TextTemplate(const QString& text);

    bool isValid() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    bool hasPlaceholders() const { return m_placeholders > 0; }
    // The names its placeholders read.
    QStringList names() const;

    // The text with its placeholders filled; *allEmpty is set when every
    // placeholder gave an empty text.
    QString fill(const Scope& scope, bool* allEmpty = nullptr) const;

private:
    struct Part {
        QString literal;
        Expression expression;
        QString format;
        bool isLiteral = true;
    };
    std::vector<Part> m_parts;
    QString m_error;
    int m_placeholders = 0;
};

} // namespace printing
