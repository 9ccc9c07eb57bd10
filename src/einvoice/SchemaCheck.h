#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace einvoice {

// One place where a file breaks the schema: the element (its path from the
// root, "/FatturaElettronica/…/Telefono", with the position of repeated
// blocks as "[2]"), its text when it has one, and what is wrong.
struct SchemaProblem {
    QString path;
    QString value;
    enum class Kind { Value, Missing, Unexpected, Other } kind = Kind::Other;
    QString missing; // the expected element, for Missing
};

// Validation of a FatturaPA document against the official 1.2.3 schema
// built into the program.
class SchemaCheck {
public:
    // Empty when the document is valid.
    static std::vector<SchemaProblem> problems(const QByteArray& xml);
    // The message that stops the export: each problem on a line, named by
    // the field of the program behind its element.
    static QString message(const std::vector<SchemaProblem>& problems);
};

} // namespace einvoice
