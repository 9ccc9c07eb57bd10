#pragma once

#include "db/Database.h"

#include <QDate>
#include <optional>

namespace documents {

// F12 on the unit price: what the customer last paid for the article on
// another invoice.
struct LastPrice {
    QDate date;
    qint64 number = 0;
    double unitPrice = 0;
    double discount = 0;

    static std::optional<LastPrice> find(db::Database& db, qint64 customerId, qint64 documentId,
                                         qint64 articleId);
    // "Ultima fattura: 15/01/2025 Valore Unitario: 12,50 Sconto: 0,00"
    QString message() const;
    static QString noneMessage() {
        return QStringLiteral(
            "Non sono presenti fatture per questo articolo e per questo Cliente!");
    }
};

} // namespace documents
