#include "registries/EmailAddresses.h"

#include "db/Database.h"

namespace registries {

QStringList emailAddressesOf(db::Database& db, const QString& table, const QString& column,
                             const QList<qint64>& keys) {
    // Table and column are the program's own names, never typed by the user.
    const QString sql = QStringLiteral("select %1 from %2 where ID = ?").arg(column, table);
    QStringList addresses;
    for (qint64 key : keys) {
        const QString a = db.scalar(sql, {key}).toString().trimmed();
        if (!a.isEmpty() && !addresses.contains(a, Qt::CaseInsensitive))
            addresses.append(a);
    }
    return addresses;
}

} // namespace registries
