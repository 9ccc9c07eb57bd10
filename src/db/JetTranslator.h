#pragma once

#include "db/Engine.h"
#include "db/SqlToken.h"

#include <QString>
#include <QStringList>

namespace db {

class SchemaCatalog;

// The engine statement made from one Jet statement.
struct Translation {
    enum Kind { Empty, Query, Command, Definition };
    Kind kind = Empty;
    QString sql;         // empty for a statement with nothing to do on this engine
    QStringList aliases; // names given with AS, spelled as written
    QStringList defined; // tables and columns a definition creates
};

// Turns statements written in the Jet dialect into SQLite or PostgreSQL.
// Statements it cannot translate fail with a DbError naming the statement.
class JetTranslator {
public:
    JetTranslator(Engine engine, SchemaCatalog* catalog);

    Translation translate(const QString& jet) const;
    // A condition as list filters write it ("Annullato = false and
    // Descrizione like 'abc*'").
    QString translateCondition(const QString& jetCondition) const;

private:
    Engine m_engine;
    SchemaCatalog* m_catalog;
};

} // namespace db
