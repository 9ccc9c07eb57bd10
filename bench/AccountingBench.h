#pragma once

#include "Measure.h"
#include "SyntheticArchive.h"

namespace bench {

// Supplier invoices and credit notes with their rows and a till's takings
// for every year of the synthetic archive, so that the VAT settlement and
// the registers read all their sources.
void addAccountingDocuments(db::Database& db, const ArchiveSize& size, const QDate& today);

// The quarterly settlement and a quarter's registers, each beside the one
// hand-written aggregate statement that reads the same sources.
QList<Timing> accountingTimings(db::Database& db, const QDate& today, int runs);

} // namespace bench
