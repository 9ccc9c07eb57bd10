#include "cemetery/ReceiptNumbering.h"

#include "common/SqlText.h"

namespace cemetery {

qint64 ReceiptNumbering::next(db::Database& db, int year, qint64 askingContractId) {
    const QString sql =
        QStringLiteral("SELECT max(NumeroRicevuta) as Nume from ContrattiTestata where "
                       "DataRicevuta>=#%1# and DataRicevuta<=#%2# and Id <> ?")
            .arg(common::jetDate(QDate(year, 1, 1)), common::jetDateEndOfDay(QDate(year, 12, 31)));
    return db.scalar(sql, {askingContractId}).toLongLong() + 1;
}

qint64 ReceiptNumbering::assign(db::Database& db, qint64 contractId, const QDate& receiptDate) {
    db::Transaction tx(db);
    db.lockScope(QStringLiteral("ContrattiTestata.NumeroRicevuta"));
    const qint64 number = next(db, receiptDate.year(), contractId);
    db.update(QStringLiteral("ContrattiTestata"), contractId,
              {{QStringLiteral("NumeroRicevuta"), number},
               {QStringLiteral("DataRicevuta"), receiptDate}});
    tx.commit();
    return number;
}

} // namespace cemetery
