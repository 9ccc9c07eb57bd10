#pragma once

#include <QString>
#include <vector>

namespace db {

// One lexical piece of a Jet statement. Whitespace is kept as a token so that a
// statement can be written back with its spacing.
struct SqlToken {
    enum Kind {
        Space,
        Word,        // identifier or keyword
        Bracketed,   // [Name]
        String,      // 'text' or "text"; text holds the unquoted value
        DateLiteral, // #m/d/yyyy[ h.m.s]#; text holds the inside
        Number,
        Param,   // ?
        Symbol,  // punctuation and operators
        Variable // @@IDENTITY
    };
    Kind kind = Space;
    QString text;

    bool isWord(const char* w) const {
        return kind == Word && text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(const char* s) const { return kind == Symbol && text == QLatin1String(s); }
    bool isName() const { return kind == Word || kind == Bracketed; }
};

using SqlTokens = std::vector<SqlToken>;

// Splits a Jet statement into tokens. Throws DbError on an unterminated
// string, bracket or date literal.
SqlTokens tokenizeJet(const QString& sql);

} // namespace db
