#pragma once

#include "printing/RenderedReport.h"
#include "printing/ReportData.h"

#include <QJsonObject>
#include <QString>

namespace printing {

// A request that cannot be drawn; the message is shown to the user.
struct RenderError {
    QString message;
};

// Lays a template out over the report's data, page by page.
//
// Template (JSON, lengths in millimetres):
//   title, orientation ("portrait"/"landscape"), margins {left,top,right,bottom},
//   font {families: [...], size}, style {accent, accentLight, rule, muted, zebra},
//   halfPage (the content fills the upper half of the sheet),
//   requiresRows (no main rows: the request cannot be drawn),
//   perRecord (the body once per main row, each on its own page),
//   let {name: expression}  names computed on the record, for shared layouts,
//   letterhead [blocks]  first page, only when the request asks for it,
//   header [blocks]      first page,
//   pageHeader [blocks]  top of the following pages,
//   body [blocks]        flowing, tables and paragraphs split across pages,
//   closing [blocks]     at the foot of the last page,
//   footer {left, center, right, size}  every page; {page} and {pages}.
// Blocks: text, cells, row, stack, table, totals, paragraph, image, line,
// spacer, sign; any block may carry "if" (an expression) and "marginTop".
class ReportRenderer {
public:
    static RenderedReport render(const QJsonObject& tmpl, const ReportData& data);
};

} // namespace printing
