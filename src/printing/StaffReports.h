#pragma once

#include "printing/ReportCatalog.h"

namespace printing {

// Catalogue entries of the staff reports, over the rows the call's
// selection names: the staff list (22), their identity documents and
// driving qualifications (23) and their telephone book (78); the costs by
// person (24), by type (75) and summed by person and type (76); the
// deadlines by person (25) and those not done by date (77); the salaries by
// person (71), by month (72), with their descriptions and notes (73) and
// summed by person and year (74); the privacy form of one person (51).
// None for other calls.
std::optional<CatalogEntry> staffEntry(const ReportCall& call);

} // namespace printing
