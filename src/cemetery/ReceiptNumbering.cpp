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

std::pair<qint64, QDate> ReceiptNumbering::ensure(db::Database& db, qint64 contractId,
                                                  const QDate& today) {
    const db::Result r = db.query(
        QStringLiteral("select NumeroRicevuta, DataRicevuta from ContrattiTestata where Id = ?"),
        {contractId});
    if (r.empty())
        return {0, QDate()};
    const qint64 number = r.first().integer(QStringLiteral("NumeroRicevuta"));
    const QDate date = r.first().date(QStringLiteral("DataRicevuta"));
    if (number > 0 && date.isValid())
        return {number, date};
    if (number > 0) {
        db::Transaction tx(db);
        db.update(QStringLiteral("ContrattiTestata"), contractId,
                  {{QStringLiteral("DataRicevuta"), today}});
        tx.commit();
        return {number, today};
    }
    const QDate when = date.isValid() ? date : today;
    return {assign(db, contractId, when), when};
}

} // namespace cemetery
