#pragma once

#include "TestArchive.h"
#include "documents/DocumentKind.h"

#include <QDate>
#include <QList>

// Small builders of the registry rows the document tests need.
namespace fixture {

void setOption(db::Database& db, const QString& column, const QVariant& value);

qint64 customer(db::Database& db, const QString& name, const QString& vatNumber = QString(),
                qint64 terms = 0);
qint64 terms(db::Database& db, const QList<int>& days, bool endOfMonth = false,
             bool endOfMonthFirst = false, bool commercialYear = false);
qint64 article(db::Database& db, const QString& code, double price, double vatRate,
               double stock = 0);

// A new document of the customer dated `date`, with the terms (0 keeps the
// default ones).
qint64 document(db::Database& db, documents::DocumentKind kind, qint64 customerId,
                const QDate& date, qint64 terms = 0);
// A saved row; its key.
qint64 row(db::Database& db, documents::DocumentKind kind, qint64 documentId, double quantity,
           double unitPrice, double discount = 0, double vatRate = 22,
           const QString& type = QStringLiteral("A"), qint64 articleId = 0);

db::Row header(db::Database& db, qint64 id);
double stock(db::Database& db, qint64 articleId);
qint64 count(db::Database& db, const QString& jet, const QVariantList& binds = {});

} // namespace fixture
