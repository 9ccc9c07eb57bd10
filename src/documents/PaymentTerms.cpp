#include "documents/PaymentTerms.h"

#include "documents/DueDate.h"

#include <algorithm>

namespace documents {

std::optional<PaymentTerms> PaymentTerms::load(db::Database& db, qint64 id) {
    if (id <= 0)
        return std::nullopt;
    const db::Result r = db.query(QStringLiteral("SELECT * from ModPagamento WHERE Id = ?"), {id});
    if (r.empty())
        return std::nullopt;
    const db::Row& row = r.first();
    PaymentTerms t;
    t.id = id;
    t.description = row.text(QStringLiteral("Descrizione"));
    t.count = std::clamp(int(row.integer(QStringLiteral("NumeroScadenze"))), 0, kMaxInstalments);
    for (int i = 0; i < kMaxInstalments; ++i)
        t.days[i] = int(row.integer(QStringLiteral("GG%1Scadenza").arg(i + 1)));
    t.endOfMonth = row.boolean(QStringLiteral("FatturaFineMese"));
    t.endOfMonthFirst = row.boolean(QStringLiteral("CalcolaScadenzeFineMeseInizio"));
    t.commercialYear = row.boolean(QStringLiteral("AnnoCommerciale"));
    return t;
}

QDate PaymentTerms::dueDate(const QDate& documentDate, int n) const {
    const int g = n >= 1 && n <= kMaxInstalments ? days[n - 1] : 0;
    return documents::dueDate(documentDate, g, endOfMonth, endOfMonthFirst, commercialYear);
}

} // namespace documents
