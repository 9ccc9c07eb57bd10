#pragma once

namespace db {
class Database;
}

namespace app {

// A small demo company: the firm's data, a few customers, suppliers,
// articles, a bank, two cemetery areas with positions, their deceased and
// a contract for each family. Run on a new archive; one transaction.
class DemoArchive {
public:
    static void fill(db::Database& db);
    // True when the archive already holds customers or documents: the demo
    // firm is only ever added to an empty archive.
    static bool hasData(db::Database& db);
};

} // namespace app
