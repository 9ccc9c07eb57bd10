#pragma once

#include "db/Database.h"

#include <QDate>
#include <QVariantMap>

namespace purchases {

// What a supplier invoice row does to its price-list article besides the
// stock: the last purchase conditions, the selling price by the article's
// mark-up, the date of insertion.
class ArticlePurchase {
public:
    // The row's price, VAT and discounts become the article's purchase
    // conditions; with a mark-up the selling price follows.
    static void updatePrices(db::Database& db, qint64 articleId, const QVariantMap& row);
    static void updateInsertDate(db::Database& db, qint64 articleId, const QDate& registered);

    // True for the row kinds that carry an article's price ("N", "D").
    static bool carriesPrice(const QString& rowType);
};

} // namespace purchases
