#pragma once

#include "db/Database.h"

namespace documents {

// The stock of price-list articles (prezziar.Giacenza), moved by document
// rows of kind "N".
class StockMoves {
public:
    // Adds delta to the article's stock (an empty stock counts as 0).
    static void move(db::Database& db, qint64 articleId, double delta);
};

} // namespace documents
