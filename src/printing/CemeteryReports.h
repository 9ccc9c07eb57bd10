#pragma once

#include "printing/ReportCatalog.h"

namespace printing {

// The Parametro that asks report 7 for the receipt of a contract (its open
// rows) instead of a receipt of the receipts register.
inline const QString kContractReceipt = QStringLiteral("Contratto");

// Catalogue entries of the cemetery reports: the contract (68), the receipt
// of a contract (7 with kContractReceipt), the missing contract payments
// (12), the contract lists (69, and 70 with the rows) and the contracts by
// deceased (104), the customer notices (101, the selection names the
// workstation's ticked customers). None for other calls.
std::optional<CatalogEntry> cemeteryEntry(const ReportCall& call);

} // namespace printing
