#pragma once

#include "db/Engine.h"

#include <QString>

class QSqlError;

namespace db {

// What an engine's error means for the person at the desk: one Italian
// sentence saying what happened and what to do (archive busy, damaged,
// read-only, server unreachable, wrong password). The engine's own text and
// the statement go to the details.
class EngineErrors {
public:
    enum class Kind { Busy, Damaged, ReadOnly, Unreachable, Password, DiskFull, Other };

    static Kind kindOf(const QSqlError& error, Engine engine);
    static QString sentence(Kind kind);
    // The engine's text, with any password of the address left out.
    static QString details(const QSqlError& error);
};

} // namespace db
