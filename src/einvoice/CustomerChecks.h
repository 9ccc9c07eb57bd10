#pragma once

#include "common/Interaction.h"
#include "einvoice/ExportSource.h"

#include <optional>

namespace einvoice {

// What the recipient needs before an electronic invoice can reach it: the
// office code of a public administration, the SdI code or PEC of a
// business. A private person without VAT number passes.
class CustomerChecks {
public:
    static std::optional<common::Failure> check(const ExportSource& source);
    // The customer's VAT number and tax code through the checks of its card,
    // as lines of the exchange-system report (00305, 00306).
    static QStringList taxNumberProblems(const ExportSource& source);
};

} // namespace einvoice
