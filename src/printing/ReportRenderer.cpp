#include "printing/ReportRenderer.h"

#include "printing/LayoutRenderer.h"

namespace printing {

RenderedReport ReportRenderer::render(const QJsonObject& tmpl, const ReportData& data) {
    layout::Renderer r(tmpl, data);
    return r.run();
}

} // namespace printing
