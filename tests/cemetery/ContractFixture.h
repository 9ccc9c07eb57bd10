#pragma once

#include "TestArchive.h"

#include <QDate>
#include <QString>
#include <QVariant>

// Registry rows the contract tests build on.
namespace contractFixture {

inline const QDate kToday(2026, 12, 6);

inline qint64 customer(db::Database& db, const QString& name, bool cancelled = false,
                       double discount = 0) {
    return db.insert(QStringLiteral("Clienti"), {{QStringLiteral("NominativoDocumenti"), name},
                                                 {QStringLiteral("NominativoVisualizzato"), name},
                                                 {QStringLiteral("Sconto"), discount},
                                                 {QStringLiteral("Annullato"), cancelled}});
}

inline qint64 article(db::Database& db, const QString& code, double price, double stock = 0) {
    return db.insert(QStringLiteral("prezziar"),
                     {{QStringLiteral("Codice"), code},
                      {QStringLiteral("Descrizione"), code + " servizio"},
                      {QStringLiteral("Prezzo"), price},
                      {QStringLiteral("AliquotaIva"), 22.0},
                      {QStringLiteral("Iva_Id"), 1},
                      {QStringLiteral("Giacenza"), stock},
                      {QStringLiteral("Annullato"), false}});
}

inline qint64 deceased(db::Database& db, const QString& name) {
    return db.insert(QStringLiteral("Defunti"), {{QStringLiteral("Cognome"), name},
                                                 {QStringLiteral("NominativoDocumenti"), name},
                                                 {QStringLiteral("NominativoVisualizzato"), name}});
}

// A contract header as the card leaves it after choosing the customer.
inline qint64 contract(db::Database& db, qint64 number, const QDate& date, qint64 customerId) {
    return db.insert(QStringLiteral("ContrattiTestata"),
                     {{QStringLiteral("Numero"), number},
                      {QStringLiteral("Data"), date},
                      {QStringLiteral("Cliente_ID"), customerId},
                      {QStringLiteral("Chiuso"), false},
                      {QStringLiteral("Storico"), false}});
}

inline qint64 count(db::Database& db, const QString& jet, const QVariantList& binds = {}) {
    return db.scalar(jet, binds).toLongLong();
}

inline bool closed(db::Database& db, qint64 contractId) {
    return db
        .scalar(QStringLiteral("select Chiuso from ContrattiTestata where Id = ?"), {contractId})
        .toBool();
}

} // namespace contractFixture
