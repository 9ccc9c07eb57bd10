#pragma once

#include "TestArchive.h"
#include "purchases/SupplierTables.h"

#include <QDate>
#include <QList>

// Small builders of the rows the supplier-document tests need.
namespace purchasesFixture {

void setOption(db::Database& db, const QString& column, const QVariant& value);
qint64 supplier(db::Database& db, const QString& name, qint64 terms = 0);
qint64 terms(db::Database& db, const QList<int>& days);
qint64 article(db::Database& db, const QString& code, double stock = 0, double markUp = 0);

// A registered document of the supplier, its dates and supplier number set.
qint64 document(db::Database& db, purchases::DocumentKind kind, qint64 supplierId,
                const QDate& date, const QString& number = QStringLiteral("F1"));
// A saved row; its key.
qint64 row(db::Database& db, purchases::DocumentKind kind, qint64 documentId, double quantity,
           double unitPrice, double vatRate = 22, qint64 articleId = 0);

db::Row header(db::Database& db, qint64 id);
double stock(db::Database& db, qint64 articleId);
qint64 count(db::Database& db, const QString& jet, const QVariantList& binds = {});

} // namespace purchasesFixture
