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

QString DocumentLog::kindName(DocumentKind kind) {
    switch (kind) {
    case DocumentKind::CustomerInvoice:
        return QStringLiteral("Fattura");
    case DocumentKind::CustomerCreditNote:
        return QStringLiteral("Nota di credito");
    case DocumentKind::SupplierInvoice:
        return QStringLiteral("Fattura fornitore");
    case DocumentKind::SupplierCreditNote:
        return QStringLiteral("Nota di credito fornitore");
    case DocumentKind::Ddt:
        return QStringLiteral("DDT");
    case DocumentKind::Quote:
        return QStringLiteral("Preventivo");
    case DocumentKind::CustomerOrder:
        return QStringLiteral("Ordine cliente");
    case DocumentKind::Receipt:
        return QStringLiteral("Ricevuta");
    }
    return {};
}

DocumentLog::Document DocumentLog::salesDocument(db::Database& db, DocumentKind kind, qint64 id) {
    // Number, series, date, party and total under one set of names.
    QString sql;
    switch (kind) {
    case DocumentKind::Ddt:
        sql = QStringLiteral("select Numero, SerieFatturazione as Serie, Data, Cliente, TotDDT as "
                             "Totale from Ddt where Id = ?");
        break;
    case DocumentKind::Quote:
        sql = QStringLiteral("select Numero, Data, Cliente, TotalePreventivo as Totale from "
                             "PreventiTestata where Id = ?");
        break;
    case DocumentKind::CustomerOrder:
        sql = QStringLiteral("select Numero, Data, Cliente, TotaleOrdine as Totale from "
                             "OrdiniClientiTestata where Id = ?");
        break;
    case DocumentKind::Receipt:
        sql = QStringLiteral("select TotaliCo.Numero, TotaliCo.Data, Clienti.NominativoDocumenti "
                             "as Cliente, TotaliCo.TotFattura as Totale from TotaliCo left join "
                             "Clienti on TotaliCo.Cliente_Id = Clienti.Id where TotaliCo.Id = ?");
        break;
    default:
        return invoice(db, id);
    }
    Document d;
    d.id = id;
    const db::Result r = db.query(sql, {id});
    if (r.empty())
        return d;
    const db::Row& h = r.first();
    d.kind = kindName(kind);
    d.number = h.text(QStringLiteral("Numero"));
    if (kind == DocumentKind::Ddt) {
        const QString series = h.text(QStringLiteral("Serie")).trimmed();
        if (!series.isEmpty())
            d.number += u'/' + series;
    }
    d.date = db::Row::toDate(h.value(QStringLiteral("Data")));
    d.party = h.text(QStringLiteral("Cliente"));
    d.total = h.number(QStringLiteral("Totale"));
    return d;
}

void DocumentLog::recordSalesDocument(db::Database& db, Event event, DocumentKind kind, qint64 id,
                                      const QString& details) {
    const Document d = salesDocument(db, kind, id);
    if (!d.kind.isEmpty())
        record(db, event, d, details);
}

QStringList DocumentLog::kindNames() {
    QStringList names;
    for (DocumentKind kind :
         {DocumentKind::CustomerInvoice, DocumentKind::CustomerCreditNote, DocumentKind::Ddt,
          DocumentKind::Quote, DocumentKind::CustomerOrder, DocumentKind::Receipt,
          DocumentKind::SupplierInvoice, DocumentKind::SupplierCreditNote})
        names << kindName(kind);
    return names;
}

QString DocumentLog::condition(const QDate& from, const QDate& to, const QString& event,
                               const QString& kind) {
    QStringList parts;
    if (from.isValid())
        parts << QStringLiteral("RegistroDocumenti.DataOra >= #%1#").arg(common::jetDate(from));
    if (to.isValid())
        parts
            << QStringLiteral("RegistroDocumenti.DataOra <= #%1#").arg(common::jetDateEndOfDay(to));
    if (!event.isEmpty())
        parts << QStringLiteral("RegistroDocumenti.Evento = '%1'").arg(common::sqlQuote(event));
    if (!kind.isEmpty())
        parts
            << QStringLiteral("RegistroDocumenti.TipoDocumento = '%1'").arg(common::sqlQuote(kind));
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
