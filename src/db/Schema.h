#pragma once

#include <QString>
#include <functional>

namespace db {

class Database;

// Versioned upgrades of an archive. Each step runs in one transaction and
// records its number in VersioneArchivio; opening an older archive applies
// the steps it misses.
class Schema {
public:
    using Progress = std::function<void(int version, const QString& description)>;

    static int latestVersion();
    // 0 for an empty archive.
    static int currentVersion(Database& db);
    static void upgrade(Database& db, int targetVersion = latestVersion(),
                        const Progress& progress = {});
    // Teaches the catalog the built-in tables, once per process.
    static void loadCatalog();
    // The statements of the built-in schema, in order.
    static QStringList schemaStatements();
};

// Splits a script on ';' as the upgrade scripts are split: a missing final
// ';' is implied, and an empty field is an empty statement. Lines starting
// with "--" are comments.
QStringList splitScript(const QString& text, bool dropComments);

} // namespace db
