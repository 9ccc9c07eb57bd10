#include "db/ConditionNames.h"

#include "db/SqlToken.h"

namespace db {

bool conditionNamesOnly(const QString& jetCondition, const QStringList& columns) {
    static const QStringList keywords = {"and",  "or",    "not",     "is", "null", "like",
                                         "true", "false", "between", "in", "yes",  "no"};
    const SqlTokens tokens = tokenizeJet(jetCondition);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const SqlToken& t = tokens[i];
        if (!t.isName())
            continue;
        if (t.kind == SqlToken::Word && keywords.contains(t.text, Qt::CaseInsensitive))
            continue;
        std::size_t next = i + 1;
        while (next < tokens.size() && tokens[next].kind == SqlToken::Space)
            ++next;
        if (next < tokens.size() && tokens[next].isSymbol("("))
            continue;
        if (next < tokens.size() && tokens[next].isSymbol("."))
            return false;
        if (!columns.contains(t.text, Qt::CaseInsensitive))
            return false;
    }
    return true;
}

} // namespace db
