#include "documents/StockMoves.h"

namespace documents {

void StockMoves::move(db::Database& db, qint64 articleId, double delta) {
    if (articleId <= 0 || delta == 0)
        return;
    db.exec(QStringLiteral("UPDATE prezziar SET Giacenza = 0 where Id = ? and Giacenza is null"),
            {articleId});
    db.exec(QStringLiteral("UPDATE prezziar SET Giacenza = Giacenza + ? where Id = ?"),
            {delta, articleId});
}

} // namespace documents
