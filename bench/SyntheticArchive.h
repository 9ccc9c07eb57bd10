#pragma once

#include <QDate>
#include <QList>

namespace db {
class Database;
}

namespace bench {

// How big the synthetic firm is: a cemetery-services office after twenty
// years of work.
struct ArchiveSize {
    int years = 20;
    int invoicesPerYear = 2500;
    int rowsPerInvoice = 3;
    int customers = 4000;
    int articles = 400;
    int deceased = 15000;
    int contracts = 6000;
};

// What the benchmarks work on, found while filling.
struct SyntheticFacts {
    qint64 largeInvoice = 0; // this year's invoice with many rows
    qint64 largeCustomer = 0;
};

// Fills an archive that has the demo firm (company data, options, VAT codes,
// payment terms) with documents spread over the years up to `today`.
class SyntheticArchive {
public:
    static SyntheticFacts fill(db::Database& db, const ArchiveSize& size, const QDate& today);
};

} // namespace bench
