#pragma once

#include <QtGlobal>

struct sqlite3;

namespace db {

// Makes SQLite compare text as the archive always did: without regard to
// case, accented letters included. Replaces the NOCASE collation and the
// like() function on this connection.
void installSqliteTextRules(sqlite3* handle);

// Case-insensitive wildcard match with % and _, as LIKE does.
bool likeMatch(const char16_t* pattern, qsizetype plen, const char16_t* text, qsizetype tlen);

} // namespace db
