#pragma once

#include "db/Database.h"

#include <QDate>
#include <array>
#include <optional>

namespace documents {

// One row of ModPagamento: in how many instalments a document is paid and
// after how many days each falls due.
struct PaymentTerms {
    static constexpr int kMaxInstalments = 12;

    qint64 id = 0;
    QString description;
    int count = 0; // NumeroScadenze: 0 means paid at once
    std::array<int, kMaxInstalments> days{};
    bool endOfMonth = false;      // FatturaFineMese
    bool endOfMonthFirst = false; // CalcolaScadenzeFineMeseInizio
    bool commercialYear = false;  // AnnoCommerciale

    // Nothing when the terms do not exist.
    static std::optional<PaymentTerms> load(db::Database& db, qint64 id);

    // Due date of instalment n (from 1), always counted from the document date.
    QDate dueDate(const QDate& documentDate, int n) const;
};

} // namespace documents
