#pragma once

#include "einvoice/DocumentLines.h"
#include "einvoice/XmlOut.h"

namespace einvoice {

// DatiBeniServizi: one DettaglioLinee per row, one DatiRiepilogo per VAT
// group.
class GoodsServicesWriter {
public:
    static void write(XmlOut& out, const std::vector<LineValues>& lines,
                      const std::vector<SummaryGroup>& summaries, bool splitPayment);
};

} // namespace einvoice
