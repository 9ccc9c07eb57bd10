#pragma once

#include "printing/ReportCatalog.h"

namespace printing {

// Catalogue entries of the accounting reports: the purchase (56) and sales
// (57) registers and the account situation (29) from this workstation's
// work tables (the call's selection names the workstation), the quarterly
// (58) and monthly (26) VAT settlement of the call's document, the cash
// book (9). None for other calls.
std::optional<CatalogEntry> accountingEntry(const ReportCall& call);

} // namespace printing
