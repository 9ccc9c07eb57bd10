#pragma once

#include <QString>
#include <QStringList>

namespace db {

// True when every column a Jet condition names is one of these (without
// regard to case): keywords, function names, texts, numbers, dates and
// bound values aside. A name qualified by its table ("Clienti.Citta") is
// never one of them. Lets a list count or total a leaner select than the
// one it shows while the user's filter needs nothing else.
bool conditionNamesOnly(const QString& jetCondition, const QStringList& columns);

} // namespace db
