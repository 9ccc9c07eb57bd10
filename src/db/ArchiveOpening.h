#pragma once

#include "db/Schema.h"

#include <QString>

namespace db {

class Database;

// Opens the company's archive and brings it up to date, refusing anything
// that is not an Ossarion archive: a zero-byte file, another program's SQLite
// file or PostgreSQL database, a file that is not a database at all. Such a
// file is never given the program's tables, so nobody takes it for a firm
// whose data are gone.
class ArchiveOpening {
public:
    enum class IfMissing { Refuse, Create };

    // With IfMissing::Create a missing SQLite file or an empty database
    // becomes a new archive; true when that happened, and the caller tells
    // the user. A new SQLite file is built under a temporary name and renamed
    // at the end, so an interrupted creation leaves nothing behind.
    static bool open(Database& db, const QString& archive, IfMissing ifMissing,
                     const Schema::Progress& progress = {});

    // The sentence shown when an archive was created.
    static QString createdNotice(const Database& db);
};

} // namespace db
