#include "documents/SalesDocuments.h"

#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/RegistryRecord.h"
#include "documents/DocumentLog.h"
#include "documents/DocumentRows.h"
#include "documents/DocumentTables.h"
#include "documents/DocumentTotals.h"
#include "documents/RecordColumns.h"

namespace documents {

namespace {

bool empty(const QVariantMap& header, const char* column) {
    return db::recordText(header, QString::fromLatin1(column)).isEmpty();
}

bool noCustomer(const QVariantMap& header) {
    return db::RecordKey(header, QStringLiteral("Cliente_ID")) <= 0;
}

common::Failure failure(const QString& title, const char* text, const char* field) {
    return {title, QString::fromUtf8(text), QString::fromLatin1(field)};
}

std::optional<common::Failure> validateDdt(const QVariantMap& h) {
    const QString& t = common::titles::error;
    if (empty(h, "Numero"))
        return failure(t, "Attenzione manca il numero del D.D.T.", "Numero");
    if (empty(h, "Data"))
        return failure(t, "Attenzione manca la data del D.D.T.", "Data");
    if (noCustomer(h))
        return failure(t, "Attenzione manca il Cliente destinatario della merce", "Cliente_ID");
    if (empty(h, "Natura"))
        return failure(t, "Attenzione manca la natura della merce da trasportare", "Natura");
    if (empty(h, "Quantita"))
        return failure(t, "Attenzione manca la Quantità della merce", "Quantita");
    return std::nullopt;
}

std::optional<common::Failure> validateQuote(const QVariantMap& h) {
    const QString& t = common::titles::error;
    if (empty(h, "Numero"))
        return failure(t, "Attenzione manca il numero di preventivo", "Numero");
    if (empty(h, "Data"))
        return failure(t, "Attenzione manca la data del preventivo", "Data");
    if (noCustomer(h))
        return failure(t, "Attenzione manca il cliente del preventivo", "Cliente_ID");
    return std::nullopt;
}

std::optional<common::Failure> validateOrder(const QVariantMap& h) {
    const QString& t = common::titles::warningUrgentCapitalised;
    if (empty(h, "Numero"))
        return failure(t, "Attenzione: è necessario salvare il numero di Ordine!!!", "Numero");
    if (empty(h, "NumeroInterno"))
        return failure(t, "Attenzione: è necessario salvare il numero interno di Ordine!!!",
                       "NumeroInterno");
    if (empty(h, "Data"))
        return failure(t, "Attenzione: è necessario salvare la data di Ordine!!!", "Data");
    if (noCustomer(h))
        return failure(t, "Attenzione: è necessario salvare il Cliente!!!", "Cliente_ID");
    return std::nullopt;
}

} // namespace

QString SalesDocuments::lockName(DocumentKind kind) {
    return QStringLiteral("numerazione ") + DocumentTables::of(kind).header.toLower();
}

qint64 SalesDocuments::nextNumber(db::Database& db, DocumentKind kind, const QString& series,
                                  const DocumentOptions& options) {
    if (kind == DocumentKind::Ddt) {
        // Rows without a number are left out: the engines disagree on where
        // nulls sort.
        QString sql = QStringLiteral(
            "SELECT top 1 Numero from Ddt where Storico = false and Numero is not null");
        QVariantList binds;
        if (options.multipleSeries && !series.isEmpty()) {
            sql += QStringLiteral(" and SerieFatturazione = ?");
            binds.append(series);
        }
        sql += QStringLiteral(" order by numero desc");
        const QVariant last = db.scalar(sql, binds);
        return last.isNull() ? 1 : last.toLongLong() + 1;
    }
    // An order's Numero is the customer's text: ours is NumeroInterno.
    const QString column = kind == DocumentKind::CustomerOrder ? QStringLiteral("NumeroInterno")
                                                               : QStringLiteral("numero");
    const QVariant last =
        db.scalar(QStringLiteral("SELECT max(%1) as cont from %2 where Storico = false")
                      .arg(column, DocumentTables::of(kind).header));
    return last.isNull() ? 1 : last.toLongLong() + 1;
}

qint64 SalesDocuments::create(db::Database& db, DocumentKind kind, const NewDocument& request) {
    const DocumentTables& t = DocumentTables::of(kind);
    const DocumentOptions options = DocumentOptions::load(db);
    db::Transaction tx(db);
    db.lockScope(lockName(kind));
    const qint64 number = nextNumber(db, kind, request.series, options);
    db::Values values{
        {QStringLiteral("Data"), request.today}, {QStringLiteral("Storico"), request.history},
        {QStringLiteral("Fatturato"), false},    {QStringLiteral("TotImponibile"), 0.0},
        {QStringLiteral("TotImposta"), 0.0},     {QStringLiteral("ImportoMarcaBollo"), 0.0}};
    switch (kind) {
    case DocumentKind::Ddt:
        values.append({QStringLiteral("Numero"), number});
        values.append({QStringLiteral("Ora"), QDateTime(request.today, request.now)});
        if (!request.series.isEmpty())
            values.append({QStringLiteral("SerieFatturazione"), request.series});
        break;
    case DocumentKind::Quote:
        values.append({QStringLiteral("Numero"), number});
        values.append({QStringLiteral("RitAccontoAziende"), options.withholding});
        break;
    case DocumentKind::CustomerOrder:
        values.append({QStringLiteral("Numero"), QString::number(number)});
        values.append({QStringLiteral("NumeroInterno"), number});
        break;
    default:
        values.append({QStringLiteral("Numero"), number});
        values.append({QStringLiteral("Pagato"), false});
        break;
    }
    values.append({DocumentTotals::member(t.totals).totalColumn, 0.0});
    const qint64 id = db.insert(t.header, values);
    tx.commit();
    return id;
}

QVariantMap SalesDocuments::load(db::Database& db, DocumentKind kind, qint64 id) {
    return db::readRecord(db, DocumentTables::of(kind).header, id);
}

std::optional<common::Failure> SalesDocuments::validate(DocumentKind kind,
                                                        const QVariantMap& header) {
    switch (kind) {
    case DocumentKind::Ddt:
        return validateDdt(header);
    case DocumentKind::Quote:
        return validateQuote(header);
    case DocumentKind::CustomerOrder:
        return validateOrder(header);
    default:
        return std::nullopt;
    }
}

std::optional<common::Failure> SalesDocuments::save(db::Database& db, DocumentKind kind,
                                                    QVariantMap& header, bool history) {
    if (auto f = validate(kind, header))
        return f;
    const DocumentTables& t = DocumentTables::of(kind);
    const qint64 id = db::RecordKey(header, QStringLiteral("Id"));
    if (kind == DocumentKind::CustomerOrder)
        header[QStringLiteral("Storico")] = history;
    db::Transaction tx(db);
    db.update(t.header, id, columnValues(t.header, header));
    DocumentTotals::recompute(db, t.totals, id);
    tx.commit();
    header = load(db, kind, id);
    return std::nullopt;
}

bool SalesDocuments::applyCustomer(db::Database& db, DocumentKind kind, QVariantMap& header,
                                   qint64 customerId) {
    const db::Result r = db.query(
        QStringLiteral("SELECT NominativoDocumenti, Iva FROM Clienti where Id = ?"), {customerId});
    if (r.empty())
        return false;
    // Receipts spell the column Cliente_Id: the record keeps its own spelling.
    QString column = QStringLiteral("Cliente_ID");
    for (auto it = header.cbegin(); it != header.cend(); ++it)
        if (it.key().compare(column, Qt::CaseInsensitive) == 0)
            column = it.key();
    header[column] = customerId;
    header[QStringLiteral("Cliente")] = r.first().text(QStringLiteral("NominativoDocumenti"));
    if (kind == DocumentKind::Quote && DocumentOptions::load(db).withholding)
        header[QStringLiteral("RitAccontoAziende")] =
            !r.first().text(QStringLiteral("Iva")).trimmed().isEmpty();
    return true;
}

QStringList SalesDocuments::articlesBelowZero(db::Database& db, DocumentKind kind, qint64 id) {
    const DocumentTables& t = DocumentTables::of(kind);
    const db::Result r = db.query(
        QStringLiteral("SELECT DISTINCT prezziar.Id, prezziar.Codice, prezziar.Descrizione, "
                       "prezziar.Giacenza FROM %1 INNER JOIN prezziar ON %1.Articolo_ID = "
                       "prezziar.Id WHERE %1.%2 = ? and %1.TipoRiga = 'N' and prezziar.Giacenza "
                       "< 0 ORDER BY prezziar.Codice")
            .arg(t.rows, t.parent),
        {id});
    QStringList out;
    for (const db::Row& a : r)
        out << QStringLiteral("%1 %2 (giacenza %3)")
                   .arg(a.text(QStringLiteral("Codice")), a.text(QStringLiteral("Descrizione")),
                        QString::number(a.number(QStringLiteral("Giacenza")), 'g', 15)
                            .replace(u'.', u','))
                   .trimmed();
    return out;
}

QString SalesDocuments::belowZeroWarning(const QStringList& articles) {
    if (articles.isEmpty())
        return QString();
    return QStringLiteral("Attenzione: le seguenti merci non sono disponibili in magazzino e la "
                          "loro giacenza è ora negativa:\n") +
           articles.join(QLatin1Char('\n'));
}

std::optional<QString> SalesDocuments::dateOrderWarning(db::Database& db, const QVariant& number,
                                                        const QDate& date, const QString& series) {
    bool ok = false;
    const qint64 num = number.toString().trimmed().toLongLong(&ok);
    if (!ok || !date.isValid())
        return std::nullopt;
    QString sql = QStringLiteral("SELECT top 1 Numero,Data FROM Ddt where Data>#1/1/2000# and "
                                 "Numero < ? and Year(Data)=?");
    QVariantList binds{num, date.year()};
    if (DocumentOptions::load(db).multipleSeries && !series.trimmed().isEmpty()) {
        sql += QStringLiteral(" and SerieFatturazione = ?");
        binds.append(series.trimmed());
    }
    sql += QStringLiteral(" ORDER BY Numero desc");
    const db::Result r = db.query(sql, binds);
    if (r.empty() || r.first().date(QStringLiteral("Data")) <= date)
        return std::nullopt;
    return QStringLiteral("Attenzione il ddt precedente: il numero %1 presenta una data "
                          "maggiore di quella che si sta registrando ")
        .arg(r.first().integer(QStringLiteral("Numero")));
}

void SalesDocuments::remove(db::Database& db, DocumentKind kind, qint64 id) {
    const DocumentTables& t = DocumentTables::of(kind);
    db::Transaction tx(db);
    // Recorded with the deletion, and undone with it when it fails.
    DocumentLog::recordSalesDocument(db, DocumentLog::Event::Deleted, kind, id);
    // An invoice no longer refers to a document that is gone.
    if (kind == DocumentKind::CustomerOrder)
        db.exec(QStringLiteral("delete * from FatturaOrdiniClientiRighe where Ordine_ID = ?"),
                {id});
    else if (kind == DocumentKind::Receipt)
        db.exec(QStringLiteral("delete * from FatturaContiRighe where Conto_ID = ?"), {id});
    else if (kind == DocumentKind::Quote)
        db.exec(QStringLiteral("delete * from FatturaPreventiviRighe where Preventivo_Id = ?"),
                {id});
    DocumentRows::removeWhere(db, kind, t.parent + QStringLiteral(" = ?"), {id});
    db.exec(QStringLiteral("delete * from %1 where Id = ?").arg(t.header), {id});
    tx.commit();
}

QString SalesDocuments::question(DocumentKind kind) {
    switch (kind) {
    case DocumentKind::Ddt:
        return QStringLiteral("Sei sicuro di voler eliminare il DDT??");
    case DocumentKind::Quote:
        return QStringLiteral("Sei sicuro di voler eliminare il preventivo?");
    case DocumentKind::CustomerOrder:
        return QStringLiteral("Sei sicuro di voler eliminare l' ordine?");
    default:
        return QStringLiteral("Sei sicuro di voler eliminare il Buono ??");
    }
}

bool SalesDocuments::confirmAndRemove(db::Database& db, common::Interaction& ui, DocumentKind kind,
                                      qint64 id) {
    if (!ui.question(common::titles::warning, question(kind)))
        return false;
    remove(db, kind, id);
    return true;
}

} // namespace documents
