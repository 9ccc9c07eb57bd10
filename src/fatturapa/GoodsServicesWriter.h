#pragma once

#include "fatturapa/DocumentLines.h"
#include "fatturapa/XmlOut.h"

namespace fatturapa {

// DatiBeniServizi: one DettaglioLinee per row, one DatiRiepilogo per VAT
// group.
class GoodsServicesWriter {
public:
    static void write(XmlOut& out, const std::vector<LineValues>& lines,
                      const std::vector<SummaryGroup>& summaries, bool splitPayment);
};

} // namespace fatturapa
