#pragma once

#include "printing/ReportCatalog.h"

#include <optional>

namespace printing {

// The catalogue entries of supplier documents: the supplier-invoice list
// (31), the supplier credit-note list (54, 55), the supplier invoices by
// department (64–67) and the purchase order (106). None for other codes.
std::optional<CatalogEntry> purchaseEntry(const ReportCall& call);

} // namespace printing
