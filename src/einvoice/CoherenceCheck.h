#pragma once

#include "einvoice/ExportSource.h"

#include <QString>

namespace einvoice {

// Recomputes every row (quantity × unit price less the discount, not
// rounded) and the document totals, and reports each stored amount that
// differs. Empty when everything agrees.
class CoherenceCheck {
public:
    static QString report(const ExportSource& source);
    // Caption of the Yes/No box that shows the report.
    static QString question();
};

} // namespace einvoice
