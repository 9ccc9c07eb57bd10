#pragma once

#include "printing/ReportCatalog.h"

namespace printing {

// Catalogue entries of the staff reports: the staff list (22), the costs
// (24), the deadlines (25) and the salaries (71) of the people the call's
// selection names, and the privacy form of one person (51). None for other
// calls.
std::optional<CatalogEntry> staffEntry(const ReportCall& call);

} // namespace printing
