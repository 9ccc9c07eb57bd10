#include "printing/Expression.h"

#include "common/Money.h"
#include "db/Row.h"
#include "printing/Formats.h"

#include <QDate>
#include <cmath>

namespace printing {

QVariant Scope::lookup(const QString& name) const {
    const QString key = name.toLower();
    const qsizetype dot = key.indexOf(u'.');
    if (dot > 0) {
        const QString qualifier = key.left(dot);
        const QString column = name.mid(dot + 1);
        for (const Scope* s = this; s; s = s->parent) {
            if (s->row && s->source.compare(qualifier, Qt::CaseInsensitive) == 0 &&
                s->row->has(column))
                return s->row->value(column);
            // Company columns are variables under their qualified name.
            if (s->variables) {
                const auto it = s->variables->constFind(key);
                if (it != s->variables->constEnd())
                    return *it;
            }
        }
    } else {
        for (const Scope* s = this; s; s = s->parent) {
            if (s->row && s->row->has(name))
                return s->row->value(name);
            if (s->variables) {
                const auto it = s->variables->constFind(key);
                if (it != s->variables->constEnd())
                    return *it;
            }
        }
    }
    for (const Scope* s = this; s; s = s->parent)
        if (s->unknown) {
            s->unknown->insert(name);
            break;
        }
    return QVariant();
}

struct ExprNode {
    enum Kind { Literal, Name, Unary, Binary, Call };
    Kind kind = Literal;
    QVariant value;
    QString name; // name, operator or function (lower case for those two)
    std::vector<std::shared_ptr<ExprNode>> args;
};

namespace {

using NodePtr = std::shared_ptr<ExprNode>;

struct Token {
    enum Kind { End, Number, Text, Ident, Op, LParen, RParen, Comma };
    Kind kind = End;
    QString text;
    double number = 0;
};

class Parser {
public:
    explicit Parser(const QString& s) : m_s(s) { next(); }

    NodePtr parse() {
        NodePtr n = parseOr();
        if (m_tok.kind != Token::End)
            fail(QStringLiteral("testo in eccesso \"%1\"").arg(m_tok.text));
        return n;
    }
    QString error;

private:
    void fail(const QString& e) {
        if (error.isEmpty())
            error = e;
    }

    void next() {
        while (m_pos < m_s.size() && m_s[m_pos].isSpace())
            ++m_pos;
        m_tok = Token();
        if (m_pos >= m_s.size())
            return;
        const QChar c = m_s[m_pos];
        if (c.isDigit() || (c == u'.' && m_pos + 1 < m_s.size() && m_s[m_pos + 1].isDigit())) {
            int start = m_pos;
            while (m_pos < m_s.size() && (m_s[m_pos].isDigit() || m_s[m_pos] == u'.'))
                ++m_pos;
            m_tok.kind = Token::Number;
            m_tok.text = m_s.mid(start, m_pos - start);
            m_tok.number = m_tok.text.toDouble();
            return;
        }
        if (c == u'\'') {
            QString t;
            ++m_pos;
            while (m_pos < m_s.size()) {
                if (m_s[m_pos] == u'\'') {
                    if (m_pos + 1 < m_s.size() && m_s[m_pos + 1] == u'\'') {
                        t += u'\'';
                        m_pos += 2;
                        continue;
                    }
                    break;
                }
                t += m_s[m_pos++];
            }
            if (m_pos >= m_s.size())
                fail(QStringLiteral("testo non chiuso"));
            ++m_pos;
            m_tok.kind = Token::Text;
            m_tok.text = t;
            return;
        }
        if (c.isLetter() || c == u'_') {
            int start = m_pos;
            while (m_pos < m_s.size() &&
                   (m_s[m_pos].isLetterOrNumber() || m_s[m_pos] == u'_' || m_s[m_pos] == u'.'))
                ++m_pos;
            m_tok.kind = Token::Ident;
            m_tok.text = m_s.mid(start, m_pos - start);
            return;
        }
        ++m_pos;
        switch (c.unicode()) {
        case '(':
            m_tok.kind = Token::LParen;
            m_tok.text = c;
            return;
        case ')':
            m_tok.kind = Token::RParen;
            m_tok.text = c;
            return;
        case ',':
            m_tok.kind = Token::Comma;
            m_tok.text = c;
            return;
        case '<':
            if (m_pos < m_s.size() && (m_s[m_pos] == u'>' || m_s[m_pos] == u'=')) {
                m_tok = {Token::Op, QString(c) + m_s[m_pos++], 0};
                return;
            }
            break;
        case '>':
            if (m_pos < m_s.size() && m_s[m_pos] == u'=') {
                m_tok = {Token::Op, QStringLiteral(">="), 0};
                ++m_pos;
                return;
            }
            break;
        case '=':
        case '+':
        case '-':
        case '*':
        case '/':
        case '&':
            break;
        default:
            fail(QStringLiteral("carattere non ammesso \"%1\"").arg(c));
            m_tok.kind = Token::End;
            return;
        }
        m_tok.kind = Token::Op;
        m_tok.text = c;
    }

    bool isKeyword(const char* k) const {
        return m_tok.kind == Token::Ident &&
               m_tok.text.compare(QLatin1String(k), Qt::CaseInsensitive) == 0;
    }
    bool isOp(const char* op) const {
        return m_tok.kind == Token::Op && m_tok.text == QLatin1String(op);
    }

    static NodePtr binary(const QString& op, NodePtr a, NodePtr b) {
        auto n = std::make_shared<ExprNode>();
        n->kind = ExprNode::Binary;
        n->name = op;
        n->args = {std::move(a), std::move(b)};
        return n;
    }

    NodePtr parseOr() {
        NodePtr n = parseAnd();
        while (isKeyword("or")) {
            next();
            n = binary(QStringLiteral("or"), n, parseAnd());
        }
        return n;
    }
    NodePtr parseAnd() {
        NodePtr n = parseNot();
        while (isKeyword("and")) {
            next();
            n = binary(QStringLiteral("and"), n, parseNot());
        }
        return n;
    }
    NodePtr parseNot() {
        if (isKeyword("not")) {
            next();
            auto n = std::make_shared<ExprNode>();
            n->kind = ExprNode::Unary;
            n->name = QStringLiteral("not");
            n->args = {parseNot()};
            return n;
        }
        return parseCompare();
    }
    NodePtr parseCompare() {
        NodePtr n = parseAdd();
        if (m_tok.kind == Token::Op &&
            (isOp("=") || isOp("<>") || isOp("<") || isOp(">") || isOp("<=") || isOp(">="))) {
            const QString op = m_tok.text;
            next();
            n = binary(op, n, parseAdd());
        }
        return n;
    }
    NodePtr parseAdd() {
        NodePtr n = parseMul();
        while (isOp("+") || isOp("-") || isOp("&")) {
            const QString op = m_tok.text;
            next();
            n = binary(op, n, parseMul());
        }
        return n;
    }
    NodePtr parseMul() {
        NodePtr n = parseUnary();
        while (isOp("*") || isOp("/")) {
            const QString op = m_tok.text;
            next();
            n = binary(op, n, parseUnary());
        }
        return n;
    }
    NodePtr parseUnary() {
        if (isOp("-")) {
            next();
            auto n = std::make_shared<ExprNode>();
            n->kind = ExprNode::Unary;
            n->name = QStringLiteral("-");
            n->args = {parseUnary()};
            return n;
        }
        return parsePrimary();
    }
    NodePtr parsePrimary() {
        auto n = std::make_shared<ExprNode>();
        switch (m_tok.kind) {
        case Token::Number:
            n->value = m_tok.number;
            next();
            return n;
        case Token::Text:
            n->value = m_tok.text;
            next();
            return n;
        case Token::LParen: {
            next();
            NodePtr inner = parseOr();
            if (m_tok.kind != Token::RParen)
                fail(QStringLiteral("manca \")\""));
            next();
            return inner;
        }
        case Token::Ident: {
            const QString name = m_tok.text;
            next();
            if (name.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0) {
                n->value = true;
                return n;
            }
            if (name.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0) {
                n->value = false;
                return n;
            }
            if (name.compare(QStringLiteral("null"), Qt::CaseInsensitive) == 0)
                return n;
            if (m_tok.kind == Token::LParen) {
                next();
                n->kind = ExprNode::Call;
                n->name = name.toLower();
                if (m_tok.kind != Token::RParen) {
                    for (;;) {
                        n->args.push_back(parseOr());
                        if (m_tok.kind != Token::Comma)
                            break;
                        next();
                    }
                }
                if (m_tok.kind != Token::RParen)
                    fail(QStringLiteral("manca \")\" dopo gli argomenti di %1").arg(name));
                next();
                return n;
            }
            n->kind = ExprNode::Name;
            n->name = name;
            return n;
        }
        default:
            fail(m_tok.kind == Token::End ? QStringLiteral("espressione incompleta")
                                          : QStringLiteral("\"%1\" inatteso").arg(m_tok.text));
            next();
            return n;
        }
    }

    QString m_s;
    int m_pos = 0;
    Token m_tok;
};

double toNumber(const QVariant& v) {
    double d = 0;
    return numericValue(v, &d) ? d : 0;
}

bool isNull(const QVariant& v) {
    return v.isNull() || !v.isValid();
}

bool isEmptyValue(const QVariant& v) {
    if (isNull(v))
        return true;
    if (v.typeId() == QMetaType::QString)
        return v.toString().trimmed().isEmpty();
    return false;
}

int compareValues(const QVariant& a, const QVariant& b) {
    if (isNull(a) || isNull(b)) {
        if (isNull(a) && isNull(b))
            return 0;
        return isNull(a) ? -1 : 1;
    }
    double x = 0, y = 0;
    if (numericValue(a, &x) && numericValue(b, &y))
        return x < y ? -1 : (x > y ? 1 : 0);
    const QDateTime da = db::Row::toDateTime(a), dbt = db::Row::toDateTime(b);
    if ((a.typeId() == QMetaType::QDate || a.typeId() == QMetaType::QDateTime ||
         b.typeId() == QMetaType::QDate || b.typeId() == QMetaType::QDateTime) &&
        da.isValid() && dbt.isValid())
        return da < dbt ? -1 : (da > dbt ? 1 : 0);
    return QString::compare(formatValue(a), formatValue(b), Qt::CaseInsensitive);
}

QVariant eval(const ExprNode& n, const Scope& scope);

QVariant aggregate(const ExprNode& n, const Scope& scope) {
    const std::vector<const db::Row*>* group = nullptr;
    const Scope* owner = nullptr;
    for (const Scope* s = &scope; s && !group; s = s->parent)
        if (s->group) {
            group = s->group;
            owner = s;
        }
    if (n.name == u"count")
        return group ? double(group->size()) : 0.0;
    if (!group || n.args.empty())
        return QVariant();
    QVariant result;
    double sum = 0;
    for (const db::Row* row : *group) {
        Scope inner;
        inner.row = row;
        inner.source = owner->source;
        inner.parent = owner->parent;
        inner.variables = owner->variables;
        inner.unknown = owner->unknown;
        const QVariant v = eval(*n.args[0], inner);
        if (n.name == u"sum") {
            sum += toNumber(v);
        } else if (!isNull(v)) {
            if (isNull(result) ||
                (n.name == u"min" ? compareValues(v, result) < 0 : compareValues(v, result) > 0))
                result = v;
        }
    }
    if (n.name == u"sum")
        return sum;
    return result;
}

QVariant call(const ExprNode& n, const Scope& scope) {
    const QString& f = n.name;
    if (f == u"sum" || f == u"count" || f == u"min" || f == u"max")
        return aggregate(n, scope);
    if (f == u"today")
        return QDate::currentDate();
    if (f == u"iif") {
        if (n.args.size() != 3)
            return QVariant();
        return Expression::truthy(eval(*n.args[0], scope)) ? eval(*n.args[1], scope)
                                                           : eval(*n.args[2], scope);
    }
    if (f == u"coalesce") {
        for (const auto& a : n.args) {
            const QVariant v = eval(*a, scope);
            if (!isEmptyValue(v))
                return v;
        }
        return QVariant();
    }
    if (f == u"lookup") {
        // lookup('source', 'KeyColumn', key, 'Column'): Column of the first
        // row of that source (a query of the request or a related one)
        // whose KeyColumn equals key.
        if (n.args.size() != 4)
            return QVariant();
        const QString table = formatValue(eval(*n.args[0], scope)).toLower();
        const QString keyColumn = formatValue(eval(*n.args[1], scope));
        const QVariant key = eval(*n.args[2], scope);
        const QString column = formatValue(eval(*n.args[3], scope));
        for (const Scope* s = &scope; s; s = s->parent) {
            if (!s->tables)
                continue;
            const db::Result* r = s->tables->value(table);
            if (!r || isNull(key))
                return QVariant();
            for (const db::Row& row : *r)
                if (row.has(keyColumn) && compareValues(row.value(keyColumn), key) == 0)
                    return row.has(column) ? row.value(column) : QVariant();
            return QVariant();
        }
        return QVariant();
    }
    if (f == u"join") {
        // join(separator, a, b, ...): the non-empty texts, separated.
        if (n.args.empty())
            return QVariant();
        const QString separator = formatValue(eval(*n.args[0], scope));
        QStringList parts;
        for (std::size_t i = 1; i < n.args.size(); ++i) {
            const QString t = formatValue(eval(*n.args[i], scope)).trimmed();
            if (!t.isEmpty())
                parts << t;
        }
        return parts.join(separator);
    }
    if (n.args.empty())
        return QVariant();
    const QVariant a = eval(*n.args[0], scope);
    if (f == u"empty")
        return isEmptyValue(a) ||
               (a.typeId() != QMetaType::QString && toNumber(a) == 0 &&
                a.typeId() != QMetaType::QDate && a.typeId() != QMetaType::QDateTime);
    if (f == u"isnull")
        return isNull(a);
    if (f == u"round2")
        return isNull(a) ? QVariant() : QVariant(common::round2(toNumber(a)));
    if (f == u"abs")
        return isNull(a) ? QVariant() : QVariant(std::fabs(toNumber(a)));
    if (f == u"upper")
        return formatValue(a).toUpper();
    if (f == u"lower")
        return formatValue(a).toLower();
    if (f == u"trim")
        return formatValue(a).trimmed();
    if (f == u"monthname" && a.typeId() != QMetaType::QDate && a.typeId() != QMetaType::QDateTime) {
        // A month's number (a salary's Mese) names its month too.
        bool ok = false;
        const int month = a.toInt(&ok);
        if (ok)
            return month >= 1 && month <= 12 ? QVariant(monthName(month)) : QVariant();
    }
    if (f == u"year" || f == u"month" || f == u"monthname") {
        const QDate d = db::Row::toDate(a);
        if (!d.isValid())
            return QVariant();
        if (f == u"year")
            return d.year();
        if (f == u"month")
            return d.month();
        return monthName(d.month());
    }
    if (f == u"format")
        return formatValue(a, n.args.size() > 1 ? eval(*n.args[1], scope).toString() : QString());
    return QVariant();
}

QVariant eval(const ExprNode& n, const Scope& scope) {
    switch (n.kind) {
    case ExprNode::Literal:
        return n.value;
    case ExprNode::Name:
        return scope.lookup(n.name);
    case ExprNode::Call:
        return call(n, scope);
    case ExprNode::Unary: {
        const QVariant v = eval(*n.args[0], scope);
        if (n.name == u"not")
            return !Expression::truthy(v);
        return isNull(v) ? QVariant() : QVariant(-toNumber(v));
    }
    case ExprNode::Binary:
        break;
    }
    const QString& op = n.name;
    if (op == u"and")
        return Expression::truthy(eval(*n.args[0], scope)) &&
               Expression::truthy(eval(*n.args[1], scope));
    if (op == u"or")
        return Expression::truthy(eval(*n.args[0], scope)) ||
               Expression::truthy(eval(*n.args[1], scope));
    const QVariant a = eval(*n.args[0], scope);
    const QVariant b = eval(*n.args[1], scope);
    if (op == u"&")
        return formatValue(a) + formatValue(b);
    if (op == u"+")
        return toNumber(a) + toNumber(b);
    if (op == u"-")
        return toNumber(a) - toNumber(b);
    if (op == u"*")
        return toNumber(a) * toNumber(b);
    if (op == u"/") {
        const double d = toNumber(b);
        return d == 0 ? QVariant() : QVariant(toNumber(a) / d);
    }
    const int c = compareValues(a, b);
    if (op == u"=")
        return c == 0;
    if (op == u"<>")
        return c != 0;
    if (op == u"<")
        return c < 0;
    if (op == u">")
        return c > 0;
    if (op == u"<=")
        return c <= 0;
    return c >= 0;
}

} // namespace

Expression::Expression(const QString& text) : m_text(text) {
    Parser p(text);
    m_root = p.parse();
    m_error = p.error;
}

namespace {

void collectNames(const ExprNode& n, QStringList& out) {
    if (n.kind == ExprNode::Name && !out.contains(n.name))
        out << n.name;
    for (const auto& a : n.args)
        if (a)
            collectNames(*a, out);
}

} // namespace

QStringList Expression::names() const {
    QStringList out;
    if (m_root)
        collectNames(*m_root, out);
    return out;
}

QStringList TextTemplate::names() const {
    QStringList out;
    for (const Part& p : m_parts)
        if (!p.isLiteral)
            for (const QString& n : p.expression.names())
                if (!out.contains(n))
                    out << n;
    return out;
}

QVariant Expression::evaluate(const Scope& scope) const {
    if (!m_root)
        return QVariant();
    return eval(*m_root, scope);
}

int Expression::compare(const QVariant& a, const QVariant& b) {
    return compareValues(a, b);
}

bool Expression::test(const Scope& scope) const {
    return truthy(evaluate(scope));
}

bool Expression::truthy(const QVariant& v) {
    if (isNull(v))
        return false;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    double d = 0;
    if (numericValue(v, &d))
        return d != 0;
    const QString s = v.toString().trimmed().toLower();
    return !s.isEmpty() && s != u"false";
}

TextTemplate::TextTemplate(const QString& text) {
    QString literal;
    int i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c == u'{' && i + 1 < text.size() && text[i + 1] == u'{') {
            literal += u'{';
            i += 2;
            continue;
        }
        if (c == u'}' && i + 1 < text.size() && text[i + 1] == u'}') {
            literal += u'}';
            i += 2;
            continue;
        }
        if (c != u'{') {
            literal += c;
            ++i;
            continue;
        }
        // A placeholder runs to the matching brace outside quoted texts.
        int j = i + 1;
        bool quoted = false;
        while (j < text.size() && (quoted || text[j] != u'}')) {
            if (text[j] == u'\'')
                quoted = !quoted;
            ++j;
        }
        if (j >= text.size()) {
            m_error = QStringLiteral("graffa non chiusa in \"%1\"").arg(text);
            return;
        }
        QString inside = text.mid(i + 1, j - i - 1);
        QString format;
        const int bar = inside.lastIndexOf(u'|');
        if (bar >= 0 && inside.indexOf(u'\'', bar) < 0) {
            format = inside.mid(bar + 1).trimmed();
            inside = inside.left(bar);
        }
        if (!literal.isEmpty()) {
            m_parts.push_back({literal, Expression(), QString(), true});
            literal.clear();
        }
        Part p;
        p.isLiteral = false;
        p.expression = Expression(inside.trimmed());
        p.format = format;
        if (!p.expression.isValid())
            m_error = QStringLiteral("\"%1\": %2").arg(inside, p.expression.error());
        else if (!isKnownFormat(format))
            m_error = QStringLiteral("formato sconosciuto \"%1\"").arg(format);
        m_parts.push_back(p);
        ++m_placeholders;
        i = j + 1;
    }
    if (!literal.isEmpty())
        m_parts.push_back({literal, Expression(), QString(), true});
}

QString TextTemplate::fill(const Scope& scope, bool* allEmpty) const {
    QString out;
    bool empty = true;
    for (const Part& p : m_parts) {
        if (p.isLiteral) {
            out += p.literal;
            continue;
        }
        const QString s = formatValue(p.expression.evaluate(scope), p.format);
        if (!s.trimmed().isEmpty())
            empty = false;
        out += s;
    }
    if (allEmpty)
        *allEmpty = m_placeholders > 0 && empty;
    return out;
}

} // namespace printing
