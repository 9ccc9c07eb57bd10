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
    // The file dropped beside the program is used up once applied; a script
    // named on the command line is the support person's and stays.
    enum class AfterApplying { Remove, Keep };
    static UpgradeScriptResult apply(db::Database& db, const QString& scriptPath,
                                     AfterApplying after = AfterApplying::Remove);
};

} // namespace app
