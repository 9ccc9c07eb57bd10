#include "cemetery/Renewal.h"

#include "cemetery/ContractRules.h"
#include "documents/DocumentKind.h"
#include "documents/DocumentOptions.h"
#include "documents/RowRules.h"

#include <QSet>

namespace cemetery {

namespace {

// What makes two rows the same service over the same period.
QString identity(qint64 article, const QString& description, const QDate& start, const QDate& end) {
    return QString::number(article) + u'|' + description.trimmed().toLower() + u'|' +
           start.toString(Qt::ISODate) + u'|' + end.toString(Qt::ISODate);
}

int renewInTransaction(db::Database& db, qint64 contractId, int year, const QDate& today,
                       const documents::DocumentOptions& options) {
    const db::Result rows =
        db.query(QStringLiteral("select * from ContrattiRighe where Testata_ID = ? order by "
                                "NumeroRiga, IDX"),
                 {contractId});
    QSet<QString> present;
    for (const db::Row& r : rows)
        present.insert(identity(r.integer(QStringLiteral("Articolo_ID")),
                                r.text(QStringLiteral("Descrizione")),
                                r.date(QStringLiteral("DataInizioPeriodo")),
                                r.date(QStringLiteral("DataFinePeriodo"))));
    const qint64 customer =
        db.scalar(QStringLiteral("select Cliente_ID from ContrattiTestata where Id = ?"),
                  {contractId})
            .toLongLong();

    int written = 0;
    for (const db::Row& old : rows) {
        const QDate end = old.date(QStringLiteral("DataFinePeriodo"));
        if (!end.isValid() || end.year() != year)
            continue;
        const QDate oldStart = old.date(QStringLiteral("DataInizioPeriodo"));
        const QDate start = oldStart.isValid() ? oldStart.addYears(1) : QDate(year + 1, 1, 1);
        const qint64 article = old.integer(QStringLiteral("Articolo_ID"));
        const QString description = old.text(QStringLiteral("Descrizione"));
        const QString key = identity(article, description, start, end.addYears(1));
        if (present.contains(key))
            continue;

        QVariantMap row = ContractRules::newRow(db, contractId, today);
        row[QStringLiteral("DataInizioPeriodo")] = start;
        row[QStringLiteral("DataFinePeriodo")] = end.addYears(1);
        for (const char* column :
             {"Articolo_ID", "Codice", "Descrizione", "TipoRiga", "Um", "ValoreUnitario", "Sconto",
              "AliquotaIva", "Iva_ID", "Reparto", "Note"}) {
            const QString c = QString::fromLatin1(column);
            if (!old.isNull(c))
                row[c] = old.value(c);
        }
        const bool priced = article > 0 && documents::RowRules::fillFromArticle(
                                               db, documents::DocumentKind::CustomerInvoice, row,
                                               article, customer, options);
        row.remove(QStringLiteral("ContabilitaConti_ID"));
        if (priced) {
            // The price list sets quantity 1 and kind "N": the row keeps its own.
            row[QStringLiteral("Um")] =
                old.isNull(QStringLiteral("Um")) ? QVariant(1.0) : old.value(QStringLiteral("Um"));
            if (!old.isNull(QStringLiteral("TipoRiga")))
                row[QStringLiteral("TipoRiga")] = old.value(QStringLiteral("TipoRiga"));
        }
        documents::RowRules::computeAmounts(row);
        db::Values values;
        for (auto it = row.constBegin(); it != row.constEnd(); ++it)
            values.append({it.key(), it.value()});
        db.insert(QStringLiteral("ContrattiRighe"), values);
        present.insert(key);
        ++written;
    }
    if (written > 0)
        ContractRules::recomputeClosed(db, contractId);
    return written;
}

} // namespace

int Renewal::lastYear(db::Database& db, qint64 contractId) {
    const QDate last = db::Row::toDate(db.scalar(
        QStringLiteral("select max(DataFinePeriodo) from ContrattiRighe where Testata_ID = ?"),
        {contractId}));
    return last.isValid() ? last.year() : 0;
}

int Renewal::renewContract(db::Database& db, qint64 contractId, int year, const QDate& today) {
    const documents::DocumentOptions options = documents::DocumentOptions::load(db);
    db::Transaction tx(db);
    const int written = renewInTransaction(db, contractId, year, today, options);
    tx.commit();
    return written;
}

Renewal::Outcome Renewal::renewAll(db::Database& db, int year, const QDate& today) {
    const documents::DocumentOptions options = documents::DocumentOptions::load(db);
    db::Transaction tx(db);
    const db::Result contracts = db.query(
        QStringLiteral("select Id from ContrattiTestata where (Chiuso = false or Chiuso is null) "
                       "and (Storico = false or Storico is null) order by Numero"));
    Outcome out;
    for (const db::Row& c : contracts) {
        const int written =
            renewInTransaction(db, c.integer(QStringLiteral("Id")), year, today, options);
        if (written > 0) {
            ++out.contracts;
            out.rows += written;
        }
    }
    tx.commit();
    return out;
}

} // namespace cemetery
