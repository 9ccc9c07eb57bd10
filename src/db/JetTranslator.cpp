#include "db/JetTranslator.h"

#include "db/JetRewriter.h"
#include "db/JetStatements.h"

namespace db {

JetTranslator::JetTranslator(Engine engine, SchemaCatalog* catalog)
    : m_engine(engine), m_catalog(catalog) {}

QString JetTranslator::translateCondition(const QString& jetCondition) const {
    jet::Tokens t = tokenizeJet(jetCondition);
    jet::Rewriter(m_engine, m_catalog, jetCondition).expressions(t, nullptr);
    return jet::join(t);
}

Translation JetTranslator::translate(const QString& jet) const {
    return jet::translateStatement(m_engine, m_catalog, jet.trimmed(), tokenizeJet(jet));
}

} // namespace db
