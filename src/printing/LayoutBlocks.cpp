#include "printing/LayoutRenderer.h"

namespace printing::layout {

// Blocks measured for a width: texts, cells, rows, totals, images, paragraphs.
Flow Renderer::build(const QJsonObject& o, double width, const Scope& s, double minHeight) {
    Flow f;
    if (!cond(o, s))
        return f;
    const QString type = o.value(QStringLiteral("type")).toString();
    if (type == u"table") {
        f = buildTable(o, width, s);
    } else if (type == u"paragraph") {
        f = buildParagraph(o, width, s);
    } else {
        Box b;
        if (type == u"text")
            b = buildText(o, width, s, minHeight);
        else if (type == u"cells")
            b = buildCells(o, width, s, minHeight);
        else if (type == u"row")
            b = buildRow(o, width, s);
        else if (type == u"stack") {
            for (const QJsonValue& v : o.value(QStringLiteral("items")).toArray()) {
                const Box child = build(v.toObject(), width, s).flatten();
                b.add(child, 0, b.height);
                b.height += child.height;
            }
        } else if (type == u"totals")
            b = buildTotals(o, width, s, minHeight);
        else if (type == u"image")
            b = buildImage(o, width, s);
        else if (type == u"sign")
            b = buildSign(o, width, s);
        else if (type == u"line") {
            const double margin = numberOf(o, "margin", 1) * mm;
            const double pen = numberOf(o, "thickness", 0.6);
            b.line(QPointF(0, margin), QPointF(width, margin), pen,
                   colorOf(o.value(QStringLiteral("color")), m_style.rule),
                   o.value(QStringLiteral("dashed")).toBool());
            b.height = 2 * margin;
        } else if (type == u"spacer") {
            b.height = numberOf(o, "height", 3) * mm;
        } else {
            throw RenderError{tr("Modello di stampa: tipo di blocco \"%1\" sconosciuto").arg(type)};
        }
        // A long text may go on on the next page rather than be pushed
        // whole to it or run past the foot of the page.
        if (type == u"text") {
            int lines = 0;
            for (const DrawItem& d : b.items)
                lines += d.kind == DrawItem::Text ? 1 : 0;
            b.splittable = lines >= 5;
        }
        if (b.height > 0 || !b.items.isEmpty())
            f.pieces.append(b);
    }
    const double top = numberOf(o, "marginTop", 0) * mm;
    if (top > 0 && !f.pieces.isEmpty())
        f.pieces.first().shift(top);
    return f;
}

Box Renderer::buildText(const QJsonObject& o, double width, const Scope& s, double minHeight) {
    const FontSpec base = fontOf(o, FontSpec{m_baseSize});
    const QColor color = colorOf(o.value(QStringLiteral("color")), m_style.text);
    const int align = alignOf(o.value(QStringLiteral("align")));
    const bool framed = o.value(QStringLiteral("box")).toBool();
    const QColor fillColor = colorOf(o.value(QStringLiteral("fill")), QColor());
    const double pad = numberOf(o, "padding", framed || fillColor.isValid() ? 2.2 : 0) * mm;
    const double inner = width - 2 * pad;

    Box content;
    double y = pad;
    const QString caption = o.value(QStringLiteral("caption")).toString();
    if (!caption.isEmpty()) {
        const FontSpec cf{6.5, true, false};
        y = addLines(content, fill(caption, s).toUpper(), cf, m_style.muted, pad, y, inner, align);
        y += 0.6 * mm;
    }
    bool any = false;
    QJsonArray lines = o.value(QStringLiteral("lines")).toArray();
    if (o.contains(QStringLiteral("text")))
        lines.prepend(o.value(QStringLiteral("text")));
    for (const QJsonValue& v : lines) {
        QJsonObject lo;
        if (v.isObject())
            lo = v.toObject();
        else
            lo.insert(QStringLiteral("text"), v.toString());
        if (!cond(lo, s))
            continue;
        bool allEmpty = false;
        const QString str = fill(lo.value(QStringLiteral("text")).toString(), s, &allEmpty);
        if (allEmpty)
            continue;
        const FontSpec f = fontOf(lo, base);
        y = addLines(content, str, f, colorOf(lo.value(QStringLiteral("color")), color), pad, y,
                     inner, alignOf(lo.value(QStringLiteral("align")), align));
        any = true;
    }
    if (!any && o.value(QStringLiteral("hideEmpty")).toBool())
        return Box{};
    y += pad;
    Box b;
    b.height = std::max({y, minHeight, numberOf(o, "minHeight", 0) * mm});
    if (framed || fillColor.isValid())
        b.rect(QRectF(0, 0, width, b.height), fillColor, framed ? 0.5 : 0, m_style.rule);
    b.add(content, 0, 0);
    return b;
}

Box Renderer::buildCells(const QJsonObject& o, double width, const Scope& s, double minHeight) {
    const FontSpec base = fontOf(o, FontSpec{m_baseSize});
    struct Cell {
        QJsonObject definition;
        double weight;
    };
    QList<Cell> cells;
    double total = 0;
    for (const QJsonValue& v : o.value(QStringLiteral("cells")).toArray()) {
        const QJsonObject c = v.toObject();
        if (!cond(c, s))
            continue;
        const double w = numberOf(c, "width", 1);
        cells.append({c, w});
        total += w;
    }
    Box b;
    if (cells.isEmpty())
        return b;
    const double pad = 1.6 * mm;
    const FontSpec cf{6.3, true, false};
    QList<Box> contents;
    QList<double> widths;
    double height = minHeight;
    for (const Cell& c : cells) {
        const double w = width * c.weight / total;
        const int align = alignOf(c.definition.value(QStringLiteral("align")));
        Box cb;
        double y = pad * 0.8;
        y = addLines(cb,
                     fill(c.definition.value(QStringLiteral("caption")).toString(), s).toUpper(),
                     cf, m_style.muted, pad, y, w - 2 * pad, align);
        y += 0.4 * mm;
        y = addLines(cb, fill(c.definition.value(QStringLiteral("value")).toString(), s),
                     fontOf(c.definition, base), m_style.text, pad, y, w - 2 * pad, align);
        height = std::max(height, y + pad * 0.8);
        contents.append(cb);
        widths.append(w);
    }
    const QColor fillColor = colorOf(o.value(QStringLiteral("fill")), QColor());
    double x = 0;
    for (int i = 0; i < contents.size(); ++i) {
        b.rect(QRectF(x, 0, widths[i], height), fillColor, 0.5, m_style.rule);
        b.add(contents[i], x, 0);
        x += widths[i];
    }
    b.height = height;
    return b;
}

Box Renderer::buildRow(const QJsonObject& o, double width, const Scope& s) {
    const QJsonArray items = o.value(QStringLiteral("items")).toArray();
    const double gap = numberOf(o, "gap", 4) * mm;
    double fixed = 0;
    int free = 0;
    for (const QJsonValue& v : items) {
        if (v.toObject().value(QStringLiteral("width")).isDouble())
            fixed += v.toObject().value(QStringLiteral("width")).toDouble();
        else
            ++free;
    }
    const double usable = width - gap * std::max<qsizetype>(0, items.size() - 1);
    const double freeShare = free > 0 ? std::max(0.0, 100 - fixed) / free : 0;
    QList<double> widths;
    for (const QJsonValue& v : items) {
        const QJsonValue w = v.toObject().value(QStringLiteral("width"));
        widths.append(usable * (w.isDouble() ? w.toDouble() : freeShare) / 100.0);
    }
    // Laid out twice: the second pass stretches framed children to the row.
    double height = 0;
    for (int i = 0; i < items.size(); ++i)
        height = std::max(height, build(items[i].toObject(), widths[i], s).flatten().height);
    const bool stretch = o.value(QStringLiteral("stretch")).toBool(true);
    Box b;
    double x = 0;
    for (int i = 0; i < items.size(); ++i) {
        const Box child = build(items[i].toObject(), widths[i], s, stretch ? height : 0).flatten();
        double dx = x;
        b.add(child, dx, 0);
        x += widths[i] + gap;
    }
    b.height = height;
    return b;
}

Box Renderer::buildTotals(const QJsonObject& o, double width, const Scope& s, double minHeight) {
    const double boxWidth = width * numberOf(o, "boxWidth", 100) / 100.0;
    const int align = alignOf(o.value(QStringLiteral("align")), Qt::AlignRight);
    const double x0 = align == Qt::AlignRight     ? width - boxWidth
                      : align == Qt::AlignHCenter ? (width - boxWidth) / 2
                                                  : 0;
    const FontSpec base = fontOf(o, FontSpec{m_baseSize});
    const double padX = 2 * mm, padY = 1.2 * mm;
    Box b;
    QList<Box> rows;
    double y = 0;
    for (const QJsonValue& v : o.value(QStringLiteral("items")).toArray()) {
        const QJsonObject item = v.toObject();
        if (!cond(item, s))
            continue;
        const bool strong = item.value(QStringLiteral("strong")).toBool();
        FontSpec f = fontOf(item, base);
        if (strong) {
            f.bold = true;
            f.size += 1.5;
        }
        const QColor c = strong ? QColor(Qt::white) : m_style.text;
        const QString label = fill(item.value(QStringLiteral("label")).toString(), s);
        const QString value = fill(item.value(QStringLiteral("value")).toString(), s);
        const double valueWidth = std::min(boxWidth * 0.55, m_measure.width(value, f) + 1);
        Box row;
        const double labelWidth = boxWidth - 2 * padX - valueWidth - 2 * mm;
        const double ly = addLines(row, label, f, c, x0 + padX, padY, labelWidth, Qt::AlignLeft);
        const double vy = addLines(row, value, f, c, x0 + boxWidth - padX - valueWidth, padY,
                                   valueWidth, Qt::AlignRight);
        row.height = std::max(ly, vy) + padY;
        Box placed;
        if (strong)
            placed.rect(QRectF(x0, y, boxWidth, row.height), m_style.accent, 0, m_style.accent);
        else if (y > 0)
            placed.line(QPointF(x0 + padX, y), QPointF(x0 + boxWidth - padX, y), 0.3, m_style.rule);
        placed.add(row, 0, y);
        rows.append(placed);
        y += row.height;
    }
    if (rows.isEmpty())
        return b;
    b.height = std::max(y, minHeight);
    b.rect(QRectF(x0, 0, boxWidth, b.height), QColor(), 0.5, m_style.rule);
    for (const Box& r : rows)
        b.add(r, 0, 0);
    return b;
}

Box Renderer::buildImage(const QJsonObject& o, double width, const Scope& s) {
    QImage image;
    if (o.value(QStringLiteral("source")).toString() == u"logo") {
        image = m_d.logo;
    } else {
        const QString path = fill(o.value(QStringLiteral("file")).toString(), s).trimmed();
        if (!path.isEmpty() && QFileInfo::exists(path))
            image.load(path);
    }
    const double maxW = std::min(width, numberOf(o, "maxWidth", width / mm) * mm);
    const double maxH = numberOf(o, "maxHeight", 30) * mm;
    const int align = alignOf(o.value(QStringLiteral("align")));
    Box b;
    if (image.isNull()) {
        const QString placeholder = o.value(QStringLiteral("placeholder")).toString();
        if (placeholder.isEmpty())
            return b;
        const double x = align == Qt::AlignRight     ? width - maxW
                         : align == Qt::AlignHCenter ? (width - maxW) / 2
                                                     : 0;
        b.rect(QRectF(x, 0, maxW, maxH), m_style.zebra, 0.5, m_style.rule);
        const FontSpec f{m_baseSize - 1, false, true};
        b.text(QRectF(x, maxH / 2 - lh(f) / 2, maxW, lh(f)), placeholder, f, m_style.muted,
               Qt::AlignHCenter);
        b.height = maxH;
        return b;
    }
    if (image.width() > 2400 || image.height() > 2400)
        image = image.scaled(2400, 2400, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const double ratio = double(image.width()) / std::max(1, image.height());
    double w = maxW, h = w / ratio;
    if (h > maxH) {
        h = maxH;
        w = h * ratio;
    }
    const double x = align == Qt::AlignRight     ? width - w
                     : align == Qt::AlignHCenter ? (width - w) / 2
                                                 : 0;
    DrawItem d;
    d.kind = DrawItem::Image;
    d.rect = QRectF(x, 0, w, h);
    d.image = image;
    b.items.append(d);
    b.height = o.value(QStringLiteral("reserve")).toBool() ? maxH : h;
    return b;
}

Box Renderer::buildSign(const QJsonObject& o, double width, const Scope& s) {
    const double w = width * numberOf(o, "lineWidth", 100) / 100.0;
    const int align = alignOf(o.value(QStringLiteral("align")), Qt::AlignRight);
    const double x = align == Qt::AlignRight     ? width - w
                     : align == Qt::AlignHCenter ? (width - w) / 2
                                                 : 0;
    const double space = numberOf(o, "space", 12) * mm;
    Box b;
    b.line(QPointF(x, space), QPointF(x + w, space), 0.5, m_style.text);
    const FontSpec f{m_baseSize - 1.5, false, false};
    const double y = addLines(b, fill(o.value(QStringLiteral("label")).toString(), s), f,
                              m_style.muted, x, space + 0.8 * mm, w, Qt::AlignHCenter);
    b.height = y + 1 * mm;
    return b;
}

Flow Renderer::buildParagraph(const QJsonObject& o, double width, const Scope& s) {
    Flow f;
    const FontSpec font = fontOf(o, FontSpec{m_baseSize});
    const QColor color = colorOf(o.value(QStringLiteral("color")), m_style.text);
    const int align = alignOf(o.value(QStringLiteral("align")));
    const double h = lh(font);
    const QString text = fill(o.value(QStringLiteral("text")).toString(), s);
    for (const QString& line : m_measure.wrap(text, font, width)) {
        Box b;
        if (line.isEmpty()) {
            b.height = h * 0.6;
        } else {
            b.text(QRectF(0, 0, width, h), line, font, color, align);
            b.height = h;
        }
        f.pieces.append(b);
    }
    return f;
}

} // namespace printing::layout
