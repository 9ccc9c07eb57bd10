#pragma once

#include "db/Row.h"

#include <QString>

namespace db {
class Database;
}

namespace einvoice {

// The exchange system's rejection errors (PA_Errori), read only: a list
// filtered by code and title, and the detail of one error.
namespace rejectionerrors {

// "Codice like 'text*'" and "Titolo like 'text*'", joined by " and "; a box
// left empty or holding only "*" adds nothing.
QString condition(const QString& code, const QString& title);

// ID, Codice, Titolo, Descrizione, Suggerimenti, ordered by Codice.
db::Result list(db::Database& db, const QString& code = QString(),
                const QString& title = QString());

// The error with that key; an empty row when there is none.
db::Row find(db::Database& db, qint64 id);

} // namespace rejectionerrors

} // namespace einvoice
