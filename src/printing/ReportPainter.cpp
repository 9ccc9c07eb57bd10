#include "printing/ReportPainter.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace printing {

void ReportPainter::paintPage(QPainter& painter, const RenderedReport& report, int page,
                              double scale) {
    if (page < 0 || page >= report.pages.size())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const double dpi = painter.device()->logicalDpiY();
    auto scaled = [scale](const QRectF& r) {
        return QRectF(r.x() * scale, r.y() * scale, r.width() * scale, r.height() * scale);
    };
    for (const DrawItem& item : report.pages[page].items) {
        switch (item.kind) {
        case DrawItem::Rect: {
            const QRectF r = scaled(item.rect);
            if (item.fill.isValid())
                painter.fillRect(r, item.fill);
            if (item.pen > 0) {
                QPen pen(item.color);
                pen.setWidthF(item.pen * scale);
                painter.setPen(pen);
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(r);
            }
            break;
        }
        case DrawItem::Line: {
            QPen pen(item.color);
            pen.setWidthF(std::max(item.pen * scale, 0.5));
            pen.setCapStyle(Qt::FlatCap);
            if (item.dashed)
                pen.setStyle(Qt::DashLine);
            painter.setPen(pen);
            painter.drawLine(QPointF(item.rect.left() * scale, item.rect.top() * scale),
                             QPointF(item.rect.right() * scale, item.rect.bottom() * scale));
            break;
        }
        case DrawItem::Image:
            painter.drawImage(scaled(item.rect), item.image);
            break;
        case DrawItem::Text: {
            QFont font = report.font(item.font);
            // Point sizes follow the device's resolution; the scale is ours.
            font.setPointSizeF(item.font.size * scale * 72.0 / dpi);
            painter.setFont(font);
            painter.setPen(item.color);
            painter.drawText(scaled(item.rect),
                             item.align | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip,
                             item.text);
            break;
        }
        }
    }
    painter.restore();
}

bool ReportPainter::paintAll(QPagedPaintDevice* device, const RenderedReport& report) {
    QPainter painter;
    if (!painter.begin(device))
        return false;
    const double scale = device->logicalDpiX() / 72.0;
    for (int i = 0; i < report.pages.size(); ++i) {
        if (i > 0)
            device->newPage();
        paintPage(painter, report, i, scale);
    }
    painter.end();
    return true;
}

bool ReportPainter::writePdf(const RenderedReport& report, const QString& file, QString* error) {
    const QFileInfo info(file);
    if (!info.absoluteDir().exists()) {
        *error = QStringLiteral("La cartella %1 non esiste").arg(info.absolutePath());
        return false;
    }
    {
        QPdfWriter writer(file);
        writer.setResolution(1200);
        writer.setTitle(report.title);
        writer.setCreator(QStringLiteral("Ossarion"));
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4),
                        report.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                        QMarginsF(0, 0, 0, 0)));
        if (!paintAll(&writer, report)) {
            *error = QStringLiteral("Impossibile scrivere il file %1").arg(file);
            return false;
        }
    }
    if (!QFileInfo::exists(file) || QFileInfo(file).size() == 0) {
        *error = QStringLiteral("Impossibile scrivere il file %1").arg(file);
        return false;
    }
    return true;
}

QImage ReportPainter::pageImage(const RenderedReport& report, int page, double dpi) {
    const double scale = dpi / 72.0;
    QImage image(qRound(report.pageSize.width() * scale), qRound(report.pageSize.height() * scale),
                 QImage::Format_ARGB32_Premultiplied);
    const int dpm = int(dpi / 0.0254 + 0.5);
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, report, page, scale);
    painter.end();
    return image;
}

} // namespace printing
