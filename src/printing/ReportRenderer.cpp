#include "printing/ReportRenderer.h"

#include "printing/Expression.h"
#include "printing/Formats.h"
#include "printing/TextMeasure.h"

#include <QDate>
#include <QFileInfo>
#include <QJsonArray>
#include <algorithm>

namespace printing {

namespace {

constexpr double mm = 72.0 / 25.4;
constexpr double a4Width = 210 * mm;
constexpr double a4Height = 297 * mm;
constexpr double eps = 0.01;

struct Box {
    double height = 0;
    QList<DrawItem> items;
    bool keepWithNext = false;

    void add(const Box& other, double dx, double dy) {
        for (DrawItem item : other.items) {
            item.rect.translate(dx, dy);
            items.append(item);
        }
    }
    void text(const QRectF& r, const QString& s, const FontSpec& f, const QColor& c, int align) {
        DrawItem d;
        d.kind = DrawItem::Text;
        d.rect = r;
        d.text = s;
        d.font = f;
        d.color = c;
        d.align = align;
        items.append(d);
    }
    void line(const QPointF& a, const QPointF& b, double pen, const QColor& c,
              bool dashed = false) {
        DrawItem d;
        d.kind = DrawItem::Line;
        d.rect = QRectF(a, b);
        d.pen = pen;
        d.color = c;
        d.dashed = dashed;
        items.append(d);
    }
    void rect(const QRectF& r, const QColor& fill, double pen, const QColor& border) {
        DrawItem d;
        d.kind = DrawItem::Rect;
        d.rect = r;
        d.fill = fill;
        d.pen = pen;
        d.color = border;
        items.append(d);
    }
    void shift(double dy) {
        for (DrawItem& item : items)
            item.rect.translate(0, dy);
        height += dy;
    }
};

// A block laid out for one width: pieces that stay whole, and for tables
// the header repeated on the pages the table continues on.
struct Flow {
    QList<Box> pieces;
    bool hasRepeat = false;
    Box repeat;
    int repeatAfter = -1;

    Box flatten() const {
        Box b;
        for (const Box& p : pieces) {
            b.add(p, 0, b.height);
            b.height += p.height;
        }
        return b;
    }
};

struct Style {
    QColor text{0x22, 0x2b, 0x33};
    QColor accent{0x1f, 0x3a, 0x5f};
    QColor accentLight{0xe8, 0xed, 0xf3};
    QColor rule{0xb9, 0xc2, 0xcc};
    QColor muted{0x5f, 0x6b, 0x76};
    QColor zebra{0xf5, 0xf7, 0xf9};
};

QColor colorOf(const QJsonValue& v, const QColor& fallback) {
    if (!v.isString())
        return fallback;
    const QColor c = QColor::fromString(v.toString());
    return c.isValid() ? c : fallback;
}

int alignOf(const QJsonValue& v, int fallback = Qt::AlignLeft) {
    const QString s = v.toString();
    if (s == u"right")
        return Qt::AlignRight;
    if (s == u"center")
        return Qt::AlignHCenter;
    if (s == u"left")
        return Qt::AlignLeft;
    return fallback;
}

double numberOf(const QJsonObject& o, const char* key, double fallback) {
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isDouble() ? v.toDouble() : fallback;
}

QString tr(const char* s) {
    return QString::fromUtf8(s);
}

// One table row to print: a data row, or a group of rows shown as one.
struct Entry {
    const db::Row* row = nullptr;
    std::vector<const db::Row*> group;
    bool grouped = false;
};

class Renderer {
public:
    Renderer(const QJsonObject& t, const ReportData& d) : m_t(t), m_d(d), m_measure(families(t)) {
        const QJsonObject style = t.value(QStringLiteral("style")).toObject();
        m_style.text = colorOf(style.value(QStringLiteral("text")), m_style.text);
        m_style.accent = colorOf(style.value(QStringLiteral("accent")), m_style.accent);
        m_style.accentLight =
            colorOf(style.value(QStringLiteral("accentLight")), m_style.accentLight);
        m_style.rule = colorOf(style.value(QStringLiteral("rule")), m_style.rule);
        m_style.muted = colorOf(style.value(QStringLiteral("muted")), m_style.muted);
        m_style.zebra = colorOf(style.value(QStringLiteral("zebra")), m_style.zebra);
        m_baseSize = numberOf(t.value(QStringLiteral("font")).toObject(), "size", 9);
    }

    RenderedReport run();

private:
    static QStringList families(const QJsonObject& t) {
        QStringList f;
        for (const QJsonValue& v :
             t.value(QStringLiteral("font")).toObject().value(QStringLiteral("families")).toArray())
            f << v.toString();
        if (f.isEmpty())
            f = {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                 QStringLiteral("Arial")};
        return f;
    }

    const Expression& expr(const QString& text) {
        auto it = m_exprs.find(text);
        if (it == m_exprs.end()) {
            Expression e(text);
            if (!e.isValid())
                throw RenderError{tr("Modello di stampa: espressione \"%1\" non valida (%2)")
                                      .arg(text, e.error())};
            it = m_exprs.insert(text, e);
        }
        return *it;
    }

    const TextTemplate& templ(const QString& text) {
        auto it = m_texts.find(text);
        if (it == m_texts.end()) {
            TextTemplate t(text);
            if (!t.isValid())
                throw RenderError{tr("Modello di stampa: testo non valido, %1").arg(t.error())};
            it = m_texts.insert(text, t);
        }
        return *it;
    }

    QString fill(const QString& text, const Scope& s, bool* allEmpty = nullptr) {
        return templ(text).fill(s, allEmpty);
    }

    bool cond(const QJsonObject& o, const Scope& s) {
        const QJsonValue v = o.value(QStringLiteral("if"));
        if (!v.isString() || v.toString().trimmed().isEmpty())
            return true;
        return expr(v.toString()).test(s);
    }

    FontSpec fontOf(const QJsonObject& o, FontSpec base) const {
        base.size = numberOf(o, "size", base.size);
        if (o.contains(QStringLiteral("bold")))
            base.bold = o.value(QStringLiteral("bold")).toBool();
        if (o.contains(QStringLiteral("italic")))
            base.italic = o.value(QStringLiteral("italic")).toBool();
        return base;
    }

    double lh(const FontSpec& f) const { return m_measure.lineHeight(f); }

    // Wrapped lines of text from y on; returns the new y.
    double addLines(Box& b, const QString& text, const FontSpec& f, const QColor& c, double x,
                    double y, double width, int align) {
        const double h = lh(f);
        for (const QString& line : m_measure.wrap(text, f, width)) {
            if (!line.isEmpty())
                b.text(QRectF(x, y, width, h), line, f, c, align);
            y += h;
        }
        return y;
    }

    Flow build(const QJsonObject& o, double width, const Scope& s, double minHeight = 0);
    Box buildText(const QJsonObject& o, double width, const Scope& s, double minHeight);
    Box buildCells(const QJsonObject& o, double width, const Scope& s, double minHeight);
    Box buildRow(const QJsonObject& o, double width, const Scope& s);
    Box buildTotals(const QJsonObject& o, double width, const Scope& s, double minHeight);
    Box buildImage(const QJsonObject& o, double width, const Scope& s);
    Box buildSign(const QJsonObject& o, double width, const Scope& s);
    Flow buildParagraph(const QJsonObject& o, double width, const Scope& s);
    Flow buildTable(const QJsonObject& o, double width, const Scope& s);

    const db::Result* source(const QString& name) const {
        if (name.isEmpty() || name == u"main")
            return &m_d.main;
        if (name == u"sub1")
            return &m_d.sub[0];
        if (name == u"sub2")
            return &m_d.sub[1];
        if (name == u"sub3")
            return &m_d.sub[2];
        throw RenderError{tr("Modello di stampa: sorgente dati \"%1\" sconosciuta").arg(name)};
    }

    void newPage(bool continuation);
    void emitBox(const Box& b);
    void place(const Flow& f);
    void placeBlocks(const QJsonArray& blocks, const Scope& s);
    void placeClosing(const QJsonArray& blocks, const Scope& s);
    void drawFooters();

    const QJsonObject& m_t;
    const ReportData& m_d;
    TextMeasure m_measure;
    Style m_style;
    double m_baseSize = 9;
    QHash<QString, Expression> m_exprs;
    QHash<QString, TextTemplate> m_texts;
    QHash<QString, QVariant> m_vars;
    QSet<QString> m_unknown;
    RenderedReport m_out;
    const Scope* m_scope = nullptr;

    double m_pageHeight = a4Height; // height the content is laid out in
    double m_left = 0, m_right = 0, m_top = 0, m_bottom = 0, m_footerTop = 0;
    double m_y = 0, m_contentStart = 0;
};

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
        y = addLines(cb, fill(c.definition.value(QStringLiteral("caption")).toString(), s).toUpper(), cf,
                     m_style.muted, pad, y, w - 2 * pad, align);
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

Flow Renderer::buildTable(const QJsonObject& o, double width, const Scope& s) {
    Flow f;
    const db::Result* rows = source(o.value(QStringLiteral("source")).toString());
    const QJsonArray columns = o.value(QStringLiteral("columns")).toArray();
    if (columns.isEmpty())
        return f;

    // Rows kept by the filter, then grouped and ordered.
    const QString where = o.value(QStringLiteral("where")).toString();
    std::vector<const db::Row*> kept;
    for (const db::Row& r : *rows) {
        if (!where.isEmpty()) {
            Scope rs;
            rs.row = &r;
            rs.parent = &s;
            if (!expr(where).test(rs))
                continue;
        }
        kept.push_back(&r);
    }
    std::vector<Entry> entries;
    QStringList groupBy;
    const QJsonValue gb = o.value(QStringLiteral("groupBy"));
    if (gb.isArray())
        for (const QJsonValue& v : gb.toArray())
            groupBy << v.toString();
    else if (gb.isString())
        groupBy << gb.toString();
    if (groupBy.isEmpty()) {
        for (const db::Row* r : kept)
            entries.push_back(Entry{r, {}, false});
    } else {
        QHash<QString, int> index;
        for (const db::Row* r : kept) {
            Scope rs;
            rs.row = r;
            rs.parent = &s;
            QString key;
            for (const QString& g : groupBy)
                key += formatValue(expr(g).evaluate(rs)) + QChar(0x1f);
            auto it = index.find(key);
            if (it == index.end()) {
                index.insert(key, int(entries.size()));
                entries.push_back(Entry{r, {r}, true});
            } else {
                entries[*it].group.push_back(r);
            }
        }
    }
    const QString orderBy = o.value(QStringLiteral("orderBy")).toString();
    if (!orderBy.isEmpty()) {
        std::vector<QVariant> keys;
        for (const Entry& e : entries) {
            Scope rs;
            rs.row = e.row;
            rs.group = e.grouped ? &e.group : nullptr;
            rs.parent = &s;
            keys.push_back(expr(orderBy).evaluate(rs));
        }
        std::vector<int> order(entries.size());
        for (int i = 0; i < int(order.size()); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return Expression::compare(keys[a], keys[b]) < 0; });
        std::vector<Entry> sorted;
        for (int i : order)
            sorted.push_back(entries[i]);
        entries.swap(sorted);
    }
    if (entries.empty() && o.value(QStringLiteral("hideEmpty")).toBool())
        return f;

    const FontSpec base = fontOf(o, FontSpec{m_baseSize});
    FontSpec headFont = base;
    headFont.bold = true;
    headFont.size = numberOf(o, "headerSize", base.size - 0.5);
    FontSpec detailFont = base;
    detailFont.italic = true;
    detailFont.size = base.size - 1;
    const double padX = 1.5 * mm, padY = 1.1 * mm;
    const bool zebra = o.value(QStringLiteral("zebra")).toBool(false);
    const bool rowLines = o.value(QStringLiteral("rowLines")).toBool(true);

    QList<double> widths;
    double totalWeight = 0;
    for (const QJsonValue& c : columns)
        totalWeight += numberOf(c.toObject(), "width", 10);
    for (const QJsonValue& c : columns)
        widths.append(width * numberOf(c.toObject(), "width", 10) / totalWeight);

    const QString title = o.value(QStringLiteral("title")).toString();
    if (!title.isEmpty()) {
        Box t;
        FontSpec tf = base;
        tf.bold = true;
        tf.size = base.size + 0.5;
        const double y =
            addLines(t, fill(title, s), tf, m_style.accent, 0, 0, width, Qt::AlignLeft);
        t.height = y + 0.8 * mm;
        t.keepWithNext = true;
        f.pieces.append(t);
    }

    Box header;
    {
        double height = 0;
        double x = 0;
        Box cells;
        for (int i = 0; i < columns.size(); ++i) {
            const QJsonObject c = columns[i].toObject();
            const double y = addLines(cells, c.value(QStringLiteral("title")).toString(), headFont,
                                      m_style.accent, x + padX, padY, widths[i] - 2 * padX,
                                      alignOf(c.value(QStringLiteral("align"))));
            height = std::max(height, y + padY);
            x += widths[i];
        }
        header.rect(QRectF(0, 0, width, height), m_style.accentLight, 0, QColor());
        header.add(cells, 0, 0);
        header.line(QPointF(0, height), QPointF(width, height), 0.8, m_style.accent);
        header.height = height;
        header.keepWithNext = true;
    }
    f.pieces.append(header);
    f.hasRepeat = true;
    f.repeat = header;
    f.repeat.keepWithNext = false;
    f.repeatAfter = int(f.pieces.size()) - 1;

    auto rowBox = [&](const Scope& rs, bool shaded, bool totals, const QString& label) {
        QStringList values;
        // The label goes before the first total; a first column with its own
        // total needs none.
        bool labelDone = label.isNull() ||
                         !columns[0].toObject().value(QStringLiteral("total")).toString().isEmpty();
        for (int i = 0; i < columns.size(); ++i) {
            const QJsonObject c = columns[i].toObject();
            if (!totals) {
                values << fill(c.value(QStringLiteral("value")).toString(), rs);
                continue;
            }
            const QString t = c.value(QStringLiteral("total")).toString();
            if (!t.isEmpty()) {
                values << fill(t, rs);
            } else if (!labelDone) {
                values << label;
                labelDone = true;
            } else {
                values << QString();
            }
        }
        Box cells;
        double height = 0;
        double x = 0;
        for (int i = 0; i < columns.size(); ++i) {
            const QJsonObject c = columns[i].toObject();
            const int align = alignOf(c.value(QStringLiteral("align")));
            FontSpec cf = fontOf(c, base);
            double cellWidth = widths[i];
            if (totals) {
                cf.bold = true;
                // A left-aligned total or label runs on over the empty cells.
                if (align == Qt::AlignLeft)
                    for (int j = i + 1; j < columns.size() && values[j].isEmpty(); ++j)
                        cellWidth += widths[j];
            }
            double y = addLines(cells, values[i], cf, m_style.text, x + padX, padY,
                                cellWidth - 2 * padX, align);
            const QString detail = c.value(QStringLiteral("detail")).toString();
            if (!totals && !detail.isEmpty()) {
                bool empty = false;
                const QString d = fill(detail, rs, &empty);
                if (!empty && !d.trimmed().isEmpty())
                    y = addLines(cells, d, detailFont, m_style.muted, x + padX, y,
                                 widths[i] - 2 * padX, align);
            }
            height = std::max(height, y + padY);
            x += widths[i];
        }
        Box b;
        if (shaded)
            b.rect(QRectF(0, 0, width, height), m_style.zebra, 0, QColor());
        if (totals)
            b.line(QPointF(0, 0), QPointF(width, 0), 0.8, m_style.accent);
        b.add(cells, 0, 0);
        if (rowLines && !totals)
            b.line(QPointF(0, height), QPointF(width, height), 0.3, m_style.rule);
        b.height = height;
        return b;
    };

    bool hasTotals = false;
    for (const QJsonValue& c : columns)
        if (!c.toObject().value(QStringLiteral("total")).toString().isEmpty())
            hasTotals = true;

    if (entries.empty()) {
        Box b;
        const FontSpec ef{base.size, false, true};
        const double y = addLines(
            b, o.value(QStringLiteral("emptyText")).toString(tr("Nessun dato da stampare")), ef,
            m_style.muted, padX, padY * 2, width - 2 * padX, Qt::AlignLeft);
        b.height = y + padY * 2;
        f.pieces.append(b);
        return f;
    }

    // Group bands: a heading when the key changes and the group's totals.
    const QJsonObject band = o.value(QStringLiteral("group")).toObject();
    const QString bandBy = band.value(QStringLiteral("by")).toString();
    int shade = 0;
    std::size_t i = 0;
    while (i < entries.size()) {
        std::size_t end = entries.size();
        std::vector<const db::Row*> bandRows;
        if (!bandBy.isEmpty()) {
            auto keyOf = [&](const Entry& e) {
                Scope rs;
                rs.row = e.row;
                rs.parent = &s;
                return formatValue(expr(bandBy).evaluate(rs));
            };
            const QString key = keyOf(entries[i]);
            end = i + 1;
            while (end < entries.size() && keyOf(entries[end]) == key)
                ++end;
            for (std::size_t k = i; k < end; ++k) {
                if (entries[k].grouped)
                    bandRows.insert(bandRows.end(), entries[k].group.begin(),
                                    entries[k].group.end());
                else
                    bandRows.push_back(entries[k].row);
            }
            Scope hs;
            hs.row = entries[i].row;
            hs.parent = &s;
            Box h;
            FontSpec hf = base;
            hf.bold = true;
            const double y =
                addLines(h, fill(band.value(QStringLiteral("header")).toString(), hs), hf,
                         m_style.accent, padX, padY * 2.2, width - 2 * padX, Qt::AlignLeft);
            h.height = y + padY;
            h.keepWithNext = true;
            f.pieces.append(h);
            shade = 0;
        }
        for (std::size_t k = i; k < end; ++k) {
            const Entry& e = entries[k];
            Scope rs;
            rs.row = e.row;
            rs.group = e.grouped ? &e.group : nullptr;
            rs.parent = &s;
            f.pieces.append(rowBox(rs, zebra && (shade++ % 2 == 1), false, QString()));
        }
        if (!bandBy.isEmpty() && hasTotals && band.value(QStringLiteral("totals")).toBool(true)) {
            Scope gs;
            gs.row = entries[i].row;
            gs.group = &bandRows;
            gs.parent = &s;
            f.pieces.append(
                rowBox(gs, false, true,
                       fill(band.value(QStringLiteral("footer")).toString(tr("Totale")), gs)));
        }
        i = end;
    }

    if (hasTotals && o.value(QStringLiteral("totals")).toBool(true)) {
        Scope ts;
        ts.group = &kept;
        ts.parent = &s;
        Box t = rowBox(ts, false, true,
                       fill(o.value(QStringLiteral("totalsLabel")).toString(tr("Totale")), ts));
        if (!bandBy.isEmpty()) {
            // The grand total under group totals stands out on its own band.
            Box shaded;
            shaded.rect(QRectF(0, 0, width, t.height), m_style.accentLight, 0, QColor());
            shaded.add(t, 0, 0);
            shaded.height = t.height;
            t = shaded;
        }
        f.pieces.append(t);
    } else if (!rowLines) {
        Box end;
        end.line(QPointF(0, 0), QPointF(width, 0), 0.5, m_style.rule);
        f.pieces.append(end);
    }
    return f;
}

void Renderer::newPage(bool continuation) {
    m_out.pages.append(RenderedPage());
    m_vars.insert(QStringLiteral("page"), int(m_out.pages.size()));
    m_y = m_top;
    if (m_t.value(QStringLiteral("halfPage")).toBool()) {
        Box cut;
        cut.line(QPointF(6 * mm, m_pageHeight),
                 QPointF(m_out.pageSize.width() - 6 * mm, m_pageHeight), 0.3, m_style.rule, true);
        for (const DrawItem& d : cut.items)
            m_out.pages.last().items.append(d);
    }
    if (continuation && m_scope) {
        const double width = m_right - m_left;
        for (const QJsonValue& v : m_t.value(QStringLiteral("pageHeader")).toArray())
            emitBox(build(v.toObject(), width, *m_scope).flatten());
    }
    m_contentStart = m_y;
}

void Renderer::emitBox(const Box& b) {
    RenderedPage& page = m_out.pages.last();
    for (DrawItem item : b.items) {
        item.rect.translate(m_left, m_y);
        page.items.append(item);
    }
    m_y += b.height;
}

void Renderer::place(const Flow& f) {
    for (int i = 0; i < f.pieces.size(); ++i) {
        double need = f.pieces[i].height;
        for (int j = i; j + 1 < f.pieces.size() && f.pieces[j].keepWithNext; ++j)
            need += f.pieces[j + 1].height;
        if (m_y + need > m_bottom + eps && m_y > m_contentStart + eps) {
            newPage(true);
            if (f.hasRepeat && i > f.repeatAfter)
                emitBox(f.repeat);
        }
        emitBox(f.pieces[i]);
    }
}

void Renderer::placeBlocks(const QJsonArray& blocks, const Scope& s) {
    const double width = m_right - m_left;
    for (const QJsonValue& v : blocks)
        place(build(v.toObject(), width, s));
}

void Renderer::placeClosing(const QJsonArray& blocks, const Scope& s) {
    const double width = m_right - m_left;
    Box all;
    for (const QJsonValue& v : blocks) {
        const Box b = build(v.toObject(), width, s).flatten();
        all.add(b, 0, all.height);
        all.height += b.height;
    }
    if (all.items.isEmpty())
        return;
    if (m_y + all.height > m_bottom + eps && m_y > m_contentStart + eps)
        newPage(true);
    m_y = std::max(m_y, m_bottom - all.height);
    emitBox(all);
}

void Renderer::drawFooters() {
    const QJsonObject footer = m_t.value(QStringLiteral("footer")).toObject();
    if (footer.isEmpty())
        return;
    const FontSpec f{numberOf(footer, "size", 7), false, false};
    const double width = m_right - m_left;
    m_vars.insert(QStringLiteral("pages"), int(m_out.pages.size()));
    for (int p = 0; p < m_out.pages.size(); ++p) {
        m_vars.insert(QStringLiteral("page"), p + 1);
        Scope s;
        s.parent = m_scope;
        s.variables = &m_vars;
        s.unknown = &m_unknown;
        Box b;
        b.line(QPointF(0, 0), QPointF(width, 0), 0.4, m_style.rule);
        const double y = 1.2 * mm;
        const double h = lh(f);
        const std::pair<const char*, int> parts[] = {
            {"left", Qt::AlignLeft}, {"center", Qt::AlignHCenter}, {"right", Qt::AlignRight}};
        for (const auto& [key, align] : parts) {
            const QString t = footer.value(QLatin1String(key)).toString();
            if (!t.isEmpty())
                b.text(QRectF(0, y, width, h), fill(t, s), f, m_style.muted, align);
        }
        for (DrawItem item : b.items) {
            item.rect.translate(m_left, m_footerTop);
            m_out.pages[p].items.append(item);
        }
    }
}

RenderedReport Renderer::run() {
    const bool landscape = m_t.value(QStringLiteral("orientation")).toString() == u"landscape";
    m_out.landscape = landscape;
    m_out.pageSize = landscape ? QSizeF(a4Height, a4Width) : QSizeF(a4Width, a4Height);
    m_out.fontFamilies = families(m_t);
    m_out.title = m_t.value(QStringLiteral("title")).toString();
    m_pageHeight = m_out.pageSize.height();
    if (m_t.value(QStringLiteral("halfPage")).toBool())
        m_pageHeight /= 2;

    const QJsonObject margins = m_t.value(QStringLiteral("margins")).toObject();
    m_left = numberOf(margins, "left", 15) * mm;
    m_right = m_out.pageSize.width() - numberOf(margins, "right", 15) * mm;
    m_top = numberOf(margins, "top", 12) * mm;
    const double bottomMargin = numberOf(margins, "bottom", 10) * mm;
    const bool hasFooter = !m_t.value(QStringLiteral("footer")).toObject().isEmpty();
    m_footerTop = m_pageHeight - bottomMargin - (hasFooter ? 6 * mm : 0);
    m_bottom = hasFooter ? m_footerTop - 2 * mm : m_pageHeight - bottomMargin;

    if (m_t.value(QStringLiteral("requiresRows")).toBool() && m_d.main.empty())
        throw RenderError{tr("Nessun dato da stampare: il documento richiesto non esiste o non ha "
                             "righe")};

    for (auto it = m_d.company.begin(); it != m_d.company.end(); ++it)
        m_vars.insert(QStringLiteral("ditta.") + it.key(), it.value());
    m_vars.insert(QStringLiteral("haslogo"), !m_d.logo.isNull());
    m_vars.insert(QStringLiteral("letterhead"), m_d.request.letterhead);
    m_vars.insert(QStringLiteral("title"), m_out.title);
    m_vars.insert(QStringLiteral("parametro"), m_d.request.parameter);
    m_vars.insert(QStringLiteral("today"), QDate::currentDate());
    m_vars.insert(QStringLiteral("rowcount"), int(m_d.main.size()));
    m_vars.insert(QStringLiteral("page"), 1);

    std::vector<const db::Row*> records;
    if (m_t.value(QStringLiteral("perRecord")).toBool())
        for (const db::Row& r : m_d.main)
            records.push_back(&r);
    if (records.empty())
        records.push_back(m_d.main.empty() ? nullptr : &m_d.main.first());

    for (const db::Row* record : records) {
        Scope scope;
        scope.row = record;
        scope.variables = &m_vars;
        scope.unknown = &m_unknown;
        std::vector<const db::Row*> all;
        for (const db::Row& r : m_d.main)
            all.push_back(&r);
        scope.group = &all;
        m_scope = &scope;
        const QJsonObject let = m_t.value(QStringLiteral("let")).toObject();
        for (auto it = let.begin(); it != let.end(); ++it)
            m_vars.insert(it.key().toLower(), expr(it.value().toString()).evaluate(scope));
        newPage(false);
        if (m_d.request.letterhead)
            placeBlocks(m_t.value(QStringLiteral("letterhead")).toArray(), scope);
        else
            m_y += numberOf(m_t, "letterheadSpace", 0) * mm;
        placeBlocks(m_t.value(QStringLiteral("header")).toArray(), scope);
        placeBlocks(m_t.value(QStringLiteral("body")).toArray(), scope);
        placeClosing(m_t.value(QStringLiteral("closing")).toArray(), scope);
        m_scope = nullptr;
    }
    Scope footerScope;
    footerScope.row = records.front();
    footerScope.variables = &m_vars;
    footerScope.unknown = &m_unknown;
    m_scope = &footerScope;
    drawFooters();
    m_scope = nullptr;
    QStringList unknown(m_unknown.begin(), m_unknown.end());
    unknown.sort(Qt::CaseInsensitive);
    m_out.unknownNames = unknown;
    return m_out;
}

} // namespace

RenderedReport ReportRenderer::render(const QJsonObject& tmpl, const ReportData& data) {
    Renderer r(tmpl, data);
    return r.run();
}

} // namespace printing
