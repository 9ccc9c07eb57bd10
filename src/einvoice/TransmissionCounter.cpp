#include "einvoice/TransmissionCounter.h"

namespace einvoice {

qint64 TransmissionCounter::take(db::Database& db, qint64 documentId) {
    const QString table = QStringLiteral("ProgressivoTrasmissione");
    db::Transaction tx(db);
    db.lockScope(table);
    const db::Result counter = db.query(
        QStringLiteral("select top 1 Id, Ultimo from ProgressivoTrasmissione order by Id"));
    qint64 next = 1;
    if (counter.empty()) {
        db.insert(table, {{QStringLiteral("Ultimo"), next}});
    } else {
        next = counter.first().integer(QStringLiteral("Ultimo")) + 1;
        db.update(table, counter.first().integer(QStringLiteral("Id")),
                  {{QStringLiteral("Ultimo"), next}});
    }
    db.update(QStringLiteral("fattura"), documentId,
              {{QStringLiteral("DatiTrasmissione_ProgressivoInvio"), next}});
    tx.commit();
    return next;
}

} // namespace einvoice
