#pragma once

#include "printing/ReportCatalog.h"

namespace printing {

// Catalogue entries of the accounting reports: the purchase (56) and sales
// (57) registers and the balance (59) from the work tables (the call's
// selection names the workstation), the quarterly (58) and monthly (26)
// VAT settlement of the call's document and the monthly settlements of a
// year (27, 28), a month of the cash book (86) or of one bank (87) with its
// opening balance; the cash-book list's prints (CashBookReports.h) and the
// due dates (DueDateReports.h). None for other calls.
std::optional<CatalogEntry> accountingEntry(const ReportCall& call);

} // namespace printing
