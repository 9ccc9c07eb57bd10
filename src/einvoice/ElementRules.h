#pragma once

#include <QString>

namespace einvoice {

// How the text of one element is fitted to its schema type.
struct ElementRule {
    enum class Chars {
        Latin1,     // Basic Latin and the Latin-1 supplement
        BasicLatin, // accents are taken off; other characters stop the export
        Code,       // upper case without blanks (tax codes, postcodes, IBAN)
        Phone,      // digits, "+" and blanks, at most 12, or left out
        Email,
    };
    // What happens to a text longer than the type allows.
    enum class Overflow {
        Stop,          // the export stops: cutting would change its meaning
        Cut,           // cut, and the user is told
        Split,         // the element is repeated with the text in pieces
        KeepExtension, // a file name: cut before its extension
    };
    int minLength = 1;
    int maxLength = 0; // 0: no limit but the pattern's
    Chars chars = Chars::Latin1;
    Overflow overflow = Overflow::Stop;
    const char* pattern = nullptr; // the whole fitted text must match it
};

// The one table of the text elements the writer fills.
class ElementRules {
public:
    // The rule of element inside parent; null for elements whose values the
    // writer makes itself (amounts, dates, codes of the code tables).
    static const ElementRule* find(const QString& element, const QString& parent);
};

} // namespace einvoice
