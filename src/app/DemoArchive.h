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
};

} // namespace app
