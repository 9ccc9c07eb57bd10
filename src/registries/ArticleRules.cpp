#include "registries/ArticleRules.h"

#include "common/Money.h"
#include "common/Titles.h"

#include <QDate>

namespace registries {

namespace {

double numberOf(const db::RegistryRecord& record, const QString& column) {
    const QVariant v = db::recordValue(record, column);
    return v.isNull() ? 0.0 : v.toDouble();
}

common::Failure failure(const QString& text, const QString& field) {
    return {common::titles::error, text, field};
}

} // namespace

double ArticleRules::grossPrice(double net, double vatRate, double discount) {
    return common::grossPrice(net, vatRate, discount);
}

double ArticleRules::netPrice(double gross, double vatRate, double discount) {
    double v = gross;
    if (vatRate > 0)
        v /= 1 + 0.01 * vatRate;
    if (discount > 0 && discount < 100)
        v = v * 100 / (100 - discount);
    return common::round2(v);
}

double ArticleRules::vatRate(db::Database& db, qint64 vatId) {
    if (vatId <= 0)
        return 0;
    return db.scalar(QStringLiteral("select Iva from Iva where ID = ?"), {vatId}).toDouble();
}

void ArticleRules::priceChanged(db::RegistryRecord& record) {
    record["PrezzoCompleto"] = grossPrice(
        numberOf(record, "Prezzo"), numberOf(record, "AliquotaIva"), numberOf(record, "Sconto"));
}

void ArticleRules::grossChanged(db::RegistryRecord& record) {
    record["Prezzo"] = netPrice(numberOf(record, "PrezzoCompleto"), numberOf(record, "AliquotaIva"),
                                numberOf(record, "Sconto"));
}

void ArticleRules::vatChanged(db::Database& db, db::RegistryRecord& record, qint64 vatId) {
    if (vatId > 0) {
        record["Iva_Id"] = vatId;
        record["AliquotaIva"] = vatRate(db, vatId);
    } else {
        record["Iva_Id"] = QVariant();
        record["AliquotaIva"] = QVariant();
    }
    priceChanged(record);
}

std::optional<common::Failure> ArticleRules::validate(db::Database& db,
                                                      const db::RegistryRecord& record) {
    if (db::recordText(record, "Descrizione").isEmpty())
        return failure(QStringLiteral("Attenzione manca la descrizione"), "Descrizione");
    if (db::RecordKey(record, "Iva_Id") <= 0)
        return failure(QStringLiteral("Attenzione manca l'Aliquota Iva"), "Iva_Id");
    const double discount = numberOf(record, "Sconto");
    if (discount < 0 || discount >= 100)
        return failure(QStringLiteral("Attenzione lo sconto deve essere compreso tra 0 e 100"),
                       "Sconto");
    // Rows are added to documents by code: a code must name one article.
    const QString code = db::recordText(record, "Codice");
    if (!code.isEmpty() && !db::recordValue(record, "Annullato").toBool()) {
        const qint64 clash =
            db.scalar(QStringLiteral("select count(*) as N from prezziar where Codice = ? and "
                                     "Annullato = false and ID <> ?"),
                      {code, db::RecordKey(record, "ID")})
                .toLongLong();
        if (clash > 0)
            return failure(QStringLiteral("Attenzione il codice è già usato da un altro articolo"),
                           "Codice");
    }
    return std::nullopt;
}

qint64 ArticleRules::insertNew(db::Database& db) {
    db::Transaction tx(db);
    const qint64 vatId = db.scalar(QStringLiteral("select Iva_Id from opzioni")).toLongLong();
    db::Values values = {{"DataInserimento", QDate::currentDate()},
                         {"Prezzo", 0.0},
                         {"PrezzoCompleto", 0.0},
                         {"Sconto", 0.0},
                         {"PrezzoImposto", false},
                         {"Annullato", false}};
    if (vatId > 0) {
        values.append({"Iva_Id", vatId});
        values.append({"AliquotaIva", vatRate(db, vatId)});
    }
    const qint64 id = db.insert("prezziar", values);
    tx.commit();
    return id;
}

std::optional<common::Failure> ArticleRules::save(db::Database& db, db::RegistryRecord& record) {
    db::RegistryRecord work = record;
    if (auto f = validate(db, work))
        return f;
    db::Transaction tx(db);
    // The stored rate follows the VAT code.
    work["AliquotaIva"] = vatRate(db, db::RecordKey(work, "Iva_Id"));
    qint64 id = db::RecordKey(work, "ID");
    if (id > 0) {
        db.update("prezziar", id, db::recordValues(work));
    } else {
        if (db::recordValue(work, "DataInserimento").isNull())
            work["DataInserimento"] = QDate::currentDate();
        id = db.insert("prezziar", db::recordValues(work));
    }
    tx.commit();
    work["ID"] = id;
    record = work;
    return std::nullopt;
}

void ArticleRules::completeSave(db::Database& db, qint64 articleId, db::RegistryRecord& record) {
    const qint64 vatId = db::RecordKey(record, "Iva_Id");
    record["AliquotaIva"] = vatId > 0 ? QVariant(vatRate(db, vatId)) : QVariant();
    db::Values values = {{"AliquotaIva", record.value("AliquotaIva")}};
    const QVariant created =
        db.scalar(QStringLiteral("select DataInserimento from prezziar where ID = ?"), {articleId});
    if (created.isNull()) {
        record["DataInserimento"] = QDate::currentDate();
        values.append({"DataInserimento", QDate::currentDate()});
    }
    db.update("prezziar", articleId, values);
}

std::optional<common::Failure> ArticleRules::deleteCheck(db::Database& db, qint64 articleId) {
    for (const QString& table :
         {QStringLiteral("fattdett"), QStringLiteral("NotaCreditoRighe"),
          QStringLiteral("DDTRighe"), QStringLiteral("PreventiRighe"),
          QStringLiteral("OrdiniClientiRighe"), QStringLiteral("Conti"),
          QStringLiteral("ContrattiRighe"), QStringLiteral("Movimenti"),
          QStringLiteral("NotaCreditoCaricoRighe"), QStringLiteral("OrdiniRighe")}) {
        const qint64 n =
            db.scalar(
                  QStringLiteral("select count(*) as N from %1 where Articolo_ID = ?").arg(table),
                  {articleId})
                .toLongLong();
        if (n > 0)
            return common::Failure{
                common::titles::warning,
                QStringLiteral("Attenzione l'articolo è presente in alcuni documenti e non può "
                               "essere eliminato: lo si può annullare"),
                QString()};
    }
    return std::nullopt;
}

std::optional<common::Failure> ArticleRules::remove(db::Database& db, qint64 articleId) {
    db::Transaction tx(db);
    if (auto f = deleteCheck(db, articleId))
        return f;
    db.exec(QStringLiteral("delete * from prezziar where ID = ?"), {articleId});
    tx.commit();
    return std::nullopt;
}

QString ArticleRules::lookupSql() {
    return QStringLiteral("select * from prezziar where Annullato = false order by Descrizione");
}

} // namespace registries
