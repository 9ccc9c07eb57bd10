#include "documents/InvoicingSeries.h"

#include "registries/SimpleRegistryRules.h"

namespace documents {

namespace {

const QString kTable = QStringLiteral("SerieFatturazione");

} // namespace

std::optional<common::Failure> InvoicingSeries::save(db::Database& db, qint64 id,
                                                     const QVariantMap& values, bool check) {
    if (check)
        if (auto failure = registries::validateInvoicingSeries(values))
            return failure;
    db::Transaction tx(db);
    db.update(kTable, id,
              {{QStringLiteral("Serie"), values.value(QStringLiteral("Serie"))},
               {QStringLiteral("Descrizione"), values.value(QStringLiteral("Descrizione"))},
               {QStringLiteral("Note"), values.value(QStringLiteral("Note"))}});
    tx.commit();
    return std::nullopt;
}

qint64 InvoicingSeries::add(db::Database& db) {
    db::Transaction tx(db);
    const qint64 key = db.insert(kTable, {});
    tx.commit();
    return key;
}

void InvoicingSeries::remove(db::Database& db, qint64 id) {
    db::Transaction tx(db);
    db.exec(QStringLiteral("delete * from SerieFatturazione where ID = ?"), {id});
    tx.commit();
}

} // namespace documents
