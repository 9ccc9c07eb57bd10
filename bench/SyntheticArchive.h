#pragma once

#include <QDate>
#include <QList>
#include <QRandomGenerator>

namespace db {
class Database;
}

namespace bench {

// How big the synthetic firm is. The counts are those of a busy
// cemetery-services office after twenty years; `scale` takes a fraction of
// them, and an archive of fewer years has the same share of each.
struct ArchiveSize {
    double scale = 1.0;
    int years = 20;
    // Per year at scale 1 (customer invoices; AccountingBench reads it too).
    int invoicesPerYear = 9000;
    int creditNotesPerYear = 1000;
    int rowsPerDocument = 5;
    int supplierDocumentsPerYear = 1500;
    int customersPerYear = 1000;
    int deceasedPerYear = 2250;
    int contractsPerYear = 750;
    int cashMovementsPerYear = 3500; // besides the takings of AccountingBench
    int salesDocumentsPerYear = 500; // each of DDT, quotes and receipts
    int articles = 2000;             // the price list does not grow with the years
    int largeInvoiceRows = 100;

    // A yearly count at this scale, at least one.
    int perYear(int count) const { return qMax(1, qRound(count * scale)); }
};

// What the benchmarks work on, found while filling.
struct SyntheticFacts {
    qint64 largeInvoice = 0; // this year's invoice with many rows
    qint64 largeCustomer = 0;
};

// Fills an archive that has the demo firm (company data, options, VAT codes,
// payment terms) with documents year by year up to `today`: the recent
// years first, older ones added later to watch the figures as it grows.
class SyntheticArchive {
public:
    SyntheticArchive(db::Database& db, const ArchiveSize& size, const QDate& today);

    // Adds the years [first, last]: their documents and, in proportion,
    // customers, deceased and contracts. One transaction, indexes rebuilt
    // after.
    void addYears(int first, int last);
    const SyntheticFacts& facts() const { return m_facts; }

private:
    void addRegistries(int years);
    void addInvoices(int year);
    void addContracts(int year);
    void addOtherDocuments(int year);
    void addLargeInvoice();
    int daysOf(int year) const;

    db::Database& m_db;
    ArchiveSize m_size;
    QDate m_today;
    QRandomGenerator m_random{20261206};
    SyntheticFacts m_facts;
    qint64 m_terms = 0;
    qint64 m_vat = 0;
    QList<qint64> m_articles;
    QList<qint64> m_customers;
    QList<qint64> m_deceased;
    int m_progressive = 0;
};

} // namespace bench
