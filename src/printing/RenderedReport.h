#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QFont;

namespace printing {

struct FontSpec {
    double size = 9; // points
    bool bold = false;
    bool italic = false;
};

// One thing drawn on a page; coordinates in points from the paper's
// top-left corner. A line goes from rect's top-left to its bottom-right.
struct DrawItem {
    enum Kind { Text, Line, Rect, Image };
    Kind kind = Text;
    QRectF rect;
    QString text;
    FontSpec font;
    int align = 0x0001; // Qt::AlignLeft
    QColor color = QColor(0, 0, 0);
    QColor fill;    // Rect: no fill when invalid
    double pen = 0; // Line and Rect border width in points; 0: none
    bool dashed = false;
    QImage image;
};

struct RenderedPage {
    QList<DrawItem> items;
};

// A laid-out report, ready to be painted on a PDF, a printer or an image.
struct RenderedReport {
    QString title;
    QSizeF pageSize; // points
    bool landscape = false;
    QStringList fontFamilies;
    QList<RenderedPage> pages;
    QStringList unknownNames; // names the template used that no data carried

    // The texts of a page (all pages for -1), one item per line.
    QStringList texts(int page = -1) const;
    QFont font(const FontSpec& fontStyle) const;
};

} // namespace printing
