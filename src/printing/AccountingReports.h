#pragma once

#include "printing/ReportCatalog.h"

namespace printing {

// Catalogue entries of the accounting reports: the purchase (56) and sales
// (57) registers and the balance (59) from the work tables (the call's
// selection names the workstation), the quarterly (58) and monthly (26)
// VAT settlement of the call's document, a month of the cash book (86) or
// of one bank (87) with its opening balance. None for other calls.
std::optional<CatalogEntry> accountingEntry(const ReportCall& call);

} // namespace printing
