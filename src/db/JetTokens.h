#pragma once

#include "db/Engine.h"
#include "db/SchemaCatalog.h"
#include "db/SqlToken.h"

#include <QList>
#include <QString>
#include <optional>
#include <utility>

// Token helpers shared by the parts of the Jet translator.
namespace db::jet {

using Tokens = SqlTokens;

struct TypeMapping {
    ColumnType type;
    QString sqlite;
    QString postgres;
};

SqlToken raw(const QString& text);
SqlToken word(const QString& text);
SqlToken space();
[[noreturn]] void fail(const QString& why, const QString& statement);
qsizetype nextSolid(const Tokens& t, qsizetype i);
qsizetype prevSolid(const Tokens& t, qsizetype i);
qsizetype matchingParen(const Tokens& t, qsizetype open);
qsizetype matchingOpen(const Tokens& t, qsizetype close);
bool plainIdentifier(const QString& s);
QString quoteString(const QString& v);
QString dateLiteral(const QString& inside, const QString& statement);
std::optional<TypeMapping> mapType(const QString& jetType);
QString join(const Tokens& t, qsizetype from = 0, qsizetype to = -1);
QList<std::pair<qsizetype, qsizetype>> splitTopLevel(const Tokens& t, qsizetype from, qsizetype to,
                                                     const char* sep = ",");
qsizetype findTopWord(const Tokens& t, qsizetype from, qsizetype to, const char* w);
Tokens trimmed(const Tokens& t, qsizetype from, qsizetype to);

} // namespace db::jet
