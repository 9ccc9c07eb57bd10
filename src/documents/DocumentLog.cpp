#include "documents/DocumentLog.h"

#include "common/SqlText.h"
#include "db/DbError.h"

#include <QDateTime>
#include <QDir>

namespace documents {

QString DocumentLog::eventText(Event event) {
    switch (event) {
    case Event::Deleted:
        return QStringLiteral("Eliminato");
    case Event::TotalChanged:
        return QStringLiteral("Totale modificato");
    case Event::Exported:
        return QStringLiteral("Esportato in XML");
    case Event::Sent:
        return QStringLiteral("Inviato per e-mail");
    }
    return {};
}

QString DocumentLog::userName() {
    for (const char* name : {"OSSARION_USER", "USER", "USERNAME", "LOGNAME"}) {
        const QString v = qEnvironmentVariable(name).trimmed();
        if (!v.isEmpty())
            return v.left(50);
    }
    return QDir::home().dirName().left(50);
}

void DocumentLog::record(db::Database& db, Event event, const Document& d, const QString& details) {
    db::Transaction tx(db);
    db.insert(QStringLiteral("RegistroDocumenti"),
              {{QStringLiteral("DataOra"), QDateTime::currentDateTime()},
               {QStringLiteral("NomeComputer"), db.workstation()},
               {QStringLiteral("Utente"), userName()},
               {QStringLiteral("TipoDocumento"), d.kind},
               {QStringLiteral("Documento_ID"), d.id},
               {QStringLiteral("Numero"), d.number.left(50)},
               {QStringLiteral("DataDocumento"), d.date.isValid() ? QVariant(d.date) : QVariant()},
               {QStringLiteral("Intestatario"), d.party.left(255)},
               {QStringLiteral("Totale"), d.total},
               {QStringLiteral("Evento"), eventText(event)},
               {QStringLiteral("Dettagli"), details.isEmpty() ? QVariant() : QVariant(details)}});
    tx.commit();
}

DocumentLog::Document DocumentLog::invoice(db::Database& db, qint64 id) {
    const db::Result r = db.query(
        QStringLiteral("select Id, Carico, FattNota, Num, SerieFatturazione, Data, Cliente, "
                       "Fornitore, NumeroCarico, ProgressivoCarico, TotFattura from fattura "
                       "where Id = ?"),
        {id});
    Document d;
    d.id = id;
    if (r.empty())
        return d;
    const db::Row& h = r.first();
    const bool supplier = h.boolean(QStringLiteral("Carico"));
    const bool credit = h.boolean(QStringLiteral("FattNota"));
    d.kind = credit ? QStringLiteral("Nota di credito") : QStringLiteral("Fattura");
    if (supplier) {
        d.kind += QStringLiteral(" fornitore");
        d.party = h.text(QStringLiteral("Fornitore"));
        d.number = h.text(QStringLiteral("NumeroCarico"));
        if (d.number.isEmpty())
            d.number = h.text(QStringLiteral("ProgressivoCarico"));
    } else {
        d.party = h.text(QStringLiteral("Cliente"));
        d.number = QString::number(h.integer(QStringLiteral("Num")));
        const QString series = h.text(QStringLiteral("SerieFatturazione")).trimmed();
        if (!series.isEmpty())
            d.number += u'/' + series;
    }
    d.date = h.value(QStringLiteral("Data")).toDate();
    d.total = h.number(QStringLiteral("TotFattura"));
    return d;
}

void DocumentLog::recordInvoice(db::Database& db, Event event, qint64 id, const QString& details) {
    record(db, event, invoice(db, id), details);
}

QString DocumentLog::condition(const QDate& from, const QDate& to, const QString& event) {
    QStringList parts;
    if (from.isValid())
        parts << QStringLiteral("RegistroDocumenti.DataOra >= #%1#").arg(common::jetDate(from));
    if (to.isValid())
        parts
            << QStringLiteral("RegistroDocumenti.DataOra <= #%1#").arg(common::jetDateEndOfDay(to));
    if (!event.isEmpty())
        parts << QStringLiteral("RegistroDocumenti.Evento = '%1'").arg(common::sqlQuote(event));
    return parts.join(QStringLiteral(" and "));
}

int DocumentLog::purge(db::Database& db, int years, const QDate& today) {
    if (years < 1)
        throw db::DbError(QStringLiteral("Indicare almeno un anno da conservare"));
    const QDate first(today.year() - years + 1, 1, 1);
    db::Transaction tx(db);
    const int count = db.scalar(QStringLiteral("select count(*) as N from RegistroDocumenti "
                                               "where DataOra < ?"),
                                {first})
                          .toInt();
    db.exec(QStringLiteral("delete * from RegistroDocumenti where DataOra < ?"), {first});
    tx.commit();
    return count;
}

} // namespace documents
