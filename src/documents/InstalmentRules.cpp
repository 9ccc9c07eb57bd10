#include "documents/InstalmentRules.h"

#include "common/Titles.h"
#include "db/RegistryRecord.h"
#include "documents/CashBookMovements.h"
#include "documents/DocumentOptions.h"
#include "documents/DocumentTables.h"
#include "documents/RecordColumns.h"

namespace documents {

namespace {

common::Failure error(const QString& text, const QString& field) {
    return {common::titles::error, text, field};
}

} // namespace

qint64 InstalmentRules::add(db::Database& db, DocumentKind kind, qint64 documentId,
                            const QDate& today) {
    return add(db, DocumentTables::of(kind).instalmentType, documentId, today);
}

qint64 InstalmentRules::add(db::Database& db, const QString& instalmentType, qint64 documentId,
                            const QDate& today) {
    const bool supplier = instalmentType == u"C" || instalmentType == u"B";
    db::Transaction tx(db);
    const db::Result r =
        db.query(QStringLiteral("select Data, ModPagamento_Id, Banca_ID, "
                                "Cliente_ID, Fornitore_ID from fattura where Id = ?"),
                 {documentId});
    const db::Row doc = r.empty() ? db::Row() : r.first();
    const qint64 count =
        db.scalar(QStringLiteral("select count(*) from FatturaScadenze where Fattura_ID = ?"),
                  {documentId})
            .toLongLong();
    const QDate date = r.empty() ? QDate() : doc.date(QStringLiteral("Data"));
    const auto value = [&](const char* column) {
        return r.empty() ? QVariant() : doc.value(QString::fromLatin1(column));
    };
    const qint64 id =
        db.insert(QStringLiteral("FatturaScadenze"),
                  {{QStringLiteral("Numero"), count + 1},
                   {QStringLiteral("Fattura_ID"), documentId},
                   {QStringLiteral("Tipo"), instalmentType},
                   {QStringLiteral("Pagato"), false},
                   {QStringLiteral("ModPagamento_Id"), value("ModPagamento_Id")},
                   {QStringLiteral("Banca_ID"), value("Banca_ID")},
                   {QStringLiteral("Cliente_id"), supplier ? QVariant(0) : value("Cliente_ID")},
                   {QStringLiteral("Fornitore_id"), supplier ? value("Fornitore_ID") : QVariant(0)},
                   {QStringLiteral("Importo"), 0.0},
                   {QStringLiteral("DataScadenza"), date.isValid() ? date : today}});
    tx.commit();
    return id;
}

QVariantMap InstalmentRules::load(db::Database& db, qint64 instalmentId) {
    return db::readRecord(db, QStringLiteral("FatturaScadenze"), instalmentId);
}

std::optional<common::Failure> InstalmentRules::validate(const QVariantMap& s) {
    if (!db::recordDate(s, QStringLiteral("DataScadenza")).isValid())
        return error(QStringLiteral("Attenzione manca la data della scadenza !!"),
                     QStringLiteral("DataScadenza"));
    if (db::recordText(s, QStringLiteral("Operazione")).isEmpty())
        return error(QStringLiteral("Attenzione manca la descrizione dell'operazione !!"),
                     QStringLiteral("Operazione"));
    if (db::recordText(s, QStringLiteral("Importo")).isEmpty())
        return error(QStringLiteral("Attenzione manca l'importo !!"), QStringLiteral("Importo"));
    if (db::recordText(s, QStringLiteral("Numero")).isEmpty())
        return error(QStringLiteral("Attenzione manca il numero cronologico di pagamento !!"),
                     QStringLiteral("Numero"));
    if (db::RecordKey(s, QStringLiteral("ModPagamento_Id")) <= 0)
        return error(QStringLiteral("Attenzione manca la modalità di pagamento !!"),
                     QStringLiteral("ModPagamento_Id"));
    return std::nullopt;
}

std::optional<common::Failure> InstalmentRules::save(db::Database& db, QVariantMap& s) {
    if (auto failure = validate(s))
        return failure;
    const bool cashBook = DocumentOptions::load(db).cashBook;
    const qint64 id = db::RecordKey(s, QStringLiteral("Id"));
    const bool paid = db::recordDate(s, QStringLiteral("DataPagamento")).isValid();
    db::Transaction tx(db);
    s[QStringLiteral("Pagato")] = paid;
    if (!paid) {
        s[QStringLiteral("DataPagamento")] = QVariant();
        s[QStringLiteral("Finanzia_id")] = QVariant();
        if (cashBook)
            CashBookMovements::removeForInstalment(db, id);
    }
    db.update(QStringLiteral("FatturaScadenze"), id,
              columnValues(QStringLiteral("FatturaScadenze"), s));
    if (cashBook && paid)
        CashBookMovements::writePayment(db, id);
    tx.commit();
    s = load(db, id);
    return std::nullopt;
}

void InstalmentRules::remove(db::Database& db, qint64 instalmentId) {
    const bool cashBook = DocumentOptions::load(db).cashBook;
    db::Transaction tx(db);
    if (cashBook)
        CashBookMovements::removeForInstalment(db, instalmentId);
    db.exec(QStringLiteral("delete * FROM FatturaScadenze WHERE Id = ?"), {instalmentId});
    tx.commit();
}

qint64 InstalmentRules::documentMovement(db::Database& db, DocumentKind kind, qint64 documentId,
                                         qint64 instalmentId) {
    if (instalmentId > 0) {
        const qint64 own = db.scalar(QStringLiteral("select Finanzia_id from FatturaScadenze "
                                                    "where Id = ?"),
                                     {instalmentId})
                               .toLongLong();
        if (own > 0)
            return own;
    }
    return db
        .scalar(QStringLiteral("Select ID from finanzia where Tipo=? and Fattura_Id = ?"),
                {DocumentTables::of(kind).issueType, documentId})
        .toLongLong();
}

qint64 InstalmentRules::instalmentMovement(db::Database& db, qint64 instalmentId) {
    if (!DocumentOptions::load(db).cashBook)
        return 0;
    const qint64 own = db.scalar(QStringLiteral("select Finanzia_id from FatturaScadenze where "
                                                "Id = ?"),
                                 {instalmentId})
                           .toLongLong();
    if (own <= 0)
        return 0;
    return db
        .scalar(QStringLiteral("Select ID from finanzia where FatturaScadenze_Id = ?"),
                {instalmentId})
        .toLongLong();
}

} // namespace documents
