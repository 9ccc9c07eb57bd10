#pragma once

#include "printing/ReportCatalog.h"

namespace printing {

// Catalogue entries of the cash-book prints over the list's selection (on
// the list's column names): every movement (9), the movements of customers
// (10) and of suppliers (11), each from the opening balance the call
// carries, and the situation of each customer (81–84) and supplier (85):
// their totals in and out, with their movements as sub-report. None for
// other calls.
std::optional<CatalogEntry> cashBookListEntry(const ReportCall& call);

} // namespace printing
