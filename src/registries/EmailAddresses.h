#pragma once

#include <QList>
#include <QStringList>

namespace db {
class Database;
}

namespace registries {

// The e-mail addresses of some rows of a registry (customers, suppliers,
// staff), in the order of the keys: blanks left out, each address once.
QStringList emailAddressesOf(db::Database& db, const QString& table, const QString& column,
                             const QList<qint64>& keys);

} // namespace registries
