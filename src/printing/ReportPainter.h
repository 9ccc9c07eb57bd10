#pragma once

#include "printing/RenderedReport.h"

#include <QImage>
#include <QString>

class QPainter;
class QPagedPaintDevice;

namespace printing {

// Paints laid-out pages on any device: a PDF file, a printer, an image.
class ReportPainter {
public:
    // One page; scale is device pixels per point.
    static void paintPage(QPainter& painter, const RenderedReport& report, int page, double scale);

    // Every page on a paged device (QPdfWriter, QPrinter) whose page layout
    // is already set, with full-page coordinates.
    static bool paintAll(QPagedPaintDevice* device, const RenderedReport& report);

    // A4 PDF in the report's orientation. False with *error on failure.
    static bool writePdf(const RenderedReport& report, const QString& file, QString* error);

    // One page as an image at the given resolution (preview).
    static QImage pageImage(const RenderedReport& report, int page, double dpi);
};

} // namespace printing
