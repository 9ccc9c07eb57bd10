#include "cemetery/MissingPayments.h"

#include "common/SqlText.h"

#include <QHash>

namespace cemetery {

int MissingPayments::run(db::Database& db, const QDate& today) {
    db::Transaction tx(db);
    db.exec(QStringLiteral("delete * FROM TempPagamentiMancanti where NomeComputer = ?"),
            {db.workstation()});
    // One pass over every contract row of the customers in use; the latest
    // payment per customer is picked here rather than with TOP 1, since the
    // engines disagree on where a descending order puts the empty dates.
    const db::Result rows = db.query(QStringLiteral(
        "SELECT Clienti.Id as Cli, ContrattiTestata.Numero, ContrattiTestata.Data, "
        "ContrattiRighe.DataPagamento FROM ContrattiRighe RIGHT JOIN (ContrattiTestata INNER "
        "JOIN Clienti ON ContrattiTestata.Cliente_id = Clienti.Id) ON ContrattiRighe.Testata_ID "
        "= ContrattiTestata.Id Where (Clienti.Annullato = false or Clienti.Annullato is null) "
        "ORDER BY Clienti.Id, "
        "ContrattiTestata.Data, ContrattiTestata.Numero"));
    struct Last {
        QDate paid;
        qint64 number = 0;
    };
    QList<qint64> order;
    QHash<qint64, Last> last;
    for (const db::Row& r : rows) {
        const qint64 customer = r.integer(QStringLiteral("Cli"));
        const QDate paid = r.date(QStringLiteral("DataPagamento"));
        auto it = last.find(customer);
        if (it == last.end()) {
            order.append(customer);
            last.insert(customer, {paid, r.integer(QStringLiteral("Numero"))});
        } else if (paid.isValid() && (!it->paid.isValid() || paid > it->paid)) {
            *it = {paid, r.integer(QStringLiteral("Numero"))};
        }
    }
    int listed = 0;
    for (qint64 customer : order) {
        const Last& l = last[customer];
        if (l.paid.isValid() && l.paid.year() >= today.year())
            continue;
        db.insert(QStringLiteral("TempPagamentiMancanti"),
                  {{QStringLiteral("Cliente_ID"), customer},
                   {QStringLiteral("UltimaDataPagamento"),
                    l.paid.isValid() ? QVariant(l.paid) : QVariant()},
                   {QStringLiteral("NomeComputer"), db.workstation()},
                   {QStringLiteral("ContrattoNumero"), l.number}});
        ++listed;
    }
    tx.commit();
    return listed;
}

QString MissingPayments::reportSelection(db::Database& db) {
    return QStringLiteral("TempPagamentiMancanti.NomeComputer = '") +
           common::sqlQuote(db.workstation()) + QStringLiteral("'");
}

} // namespace cemetery
