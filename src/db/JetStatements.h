#pragma once

#include "db/JetTokens.h"
#include "db/JetTranslator.h"

namespace db::jet {

// Translates one tokenized Jet statement (select, delete, update, insert,
// create, alter, drop) for the engine.
Translation translateStatement(Engine engine, SchemaCatalog* catalog, const QString& statement,
                               Tokens tokens);

} // namespace db::jet
