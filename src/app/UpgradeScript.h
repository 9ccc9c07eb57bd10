#pragma once

#include <QString>

namespace db {
class Database;
}

namespace app {

// An upgrade script (SQLAggio.sql): Jet statements separated by ';', run all
// in one transaction and deleted only after every statement ran. On a
// failure nothing is applied and the file stays.
struct UpgradeScriptResult {
    bool found = false;
    bool applied = false;
    int statements = 0;
    QString failedStatement;
    QString error; // Italian, names the failing statement
};

class UpgradeScript {
public:
    static UpgradeScriptResult apply(db::Database& db, const QString& scriptPath);
};

} // namespace app
