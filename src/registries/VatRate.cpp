#include "registries/VatRate.h"

#include "db/Database.h"

namespace registries {

double vatRateOf(db::Database& db, const QVariant& vatId, double storedRate) {
    const qint64 id = vatId.toLongLong();
    if (id <= 0)
        return storedRate;
    const QVariant rate = db.scalar(QStringLiteral("select Iva from Iva where ID = ?"), {id});
    return rate.isNull() ? storedRate : rate.toDouble();
}

} // namespace registries
