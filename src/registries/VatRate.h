#pragma once

#include <QVariant>

namespace db {
class Database;
}

namespace registries {

// The rate a row takes with a VAT code: the code's own rate when the code is
// set and found, the rate stored beside it otherwise. Articles, options and
// imported rows keep both, and only the code is sure to be right.
double vatRateOf(db::Database& db, const QVariant& vatId, double storedRate);

} // namespace registries
