#pragma once

// The layout engine behind ReportRenderer: blocks measured into boxes, then
// placed on pages. Internal to the printing library.

#include "printing/Expression.h"
#include "printing/Formats.h"
#include "printing/RenderedReport.h"
#include "printing/ReportData.h"
#include "printing/ReportRenderer.h"
#include "printing/TextMeasure.h"

#include <QDate>
#include <QFileInfo>
#include <QJsonArray>
#include <algorithm>

namespace printing::layout {

inline constexpr double mm = 72.0 / 25.4;
inline constexpr double a4Width = 210 * mm;
inline constexpr double a4Height = 297 * mm;
inline constexpr double eps = 0.01;

struct Box {
    double height = 0;
    QList<DrawItem> items;
    bool keepWithNext = false;
    bool splittable = false; // may be cut between its lines across pages

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

    // The largest height not above limit at which no text line is cut; 0
    // when the first line does not fit.
    double cutBefore(double limit) const {
        double best = 0;
        for (const DrawItem& d : items) {
            if (d.kind != DrawItem::Text)
                continue;
            const double y = d.rect.bottom();
            if (y > limit + eps || y <= best)
                continue;
            bool crosses = false;
            for (const DrawItem& o : items)
                if (o.kind == DrawItem::Text && o.rect.top() < y - eps && o.rect.bottom() > y + eps)
                    crosses = true;
            if (!crosses)
                best = y;
        }
        return best;
    }
    // Top of the last text line: a cut above it leaves a line to follow.
    double lastLineTop() const {
        double top = 0;
        for (const DrawItem& d : items)
            if (d.kind == DrawItem::Text)
                top = std::max(top, d.rect.top());
        return top;
    }
    // Cuts at height y: *this keeps what is above (frames closed pad
    // below), the result holds the rest from pad below its top.
    Box splitAt(double y, double pad) {
        Box top, rest;
        rest.splittable = splittable;
        rest.keepWithNext = keepWithNext;
        for (const DrawItem& d : items) {
            const bool straddles = d.rect.top() < y - eps && d.rect.bottom() > y + eps &&
                                   (d.kind == DrawItem::Rect || d.kind == DrawItem::Line);
            if (straddles) {
                DrawItem a = d, b = d;
                a.rect.setBottom(y + pad);
                b.rect.setTop(y - pad);
                top.items.append(a);
                b.rect.translate(0, -y + pad);
                rest.items.append(b);
            } else if (d.rect.top() < y - eps ||
                       (d.rect.top() <= y + eps && d.rect.bottom() <= y + eps)) {
                top.items.append(d);
            } else {
                DrawItem b = d;
                b.rect.translate(0, -y + pad);
                rest.items.append(b);
            }
        }
        top.height = y + pad;
        rest.height = height - y + pad;
        items = top.items;
        height = top.height;
        return rest;
    }
};

// A block laid out for one width: pieces that stay whole, and for tables
// the header repeated on the pages the table continues on.
struct Flow {
    QList<Box> pieces;
    bool hasRepeat = false;
    Box repeat;
    int repeatAfter = -1;
    // Running total of a table: after each piece the text carried to the
    // next page when the page breaks there (empty: nothing to carry).
    QStringList carry;
    QString carryOut; // "A riportare" label at the foot of the page
    QString carryIn;  // "Riporto" label under the repeated heading
    // Group headings said again when a group goes on to a new page: for
    // each piece the index of its heading in bands, or -1.
    QList<Box> bands;
    QList<int> bandOf;

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

inline QColor colorOf(const QJsonValue& v, const QColor& fallback) {
    if (!v.isString())
        return fallback;
    const QColor c = QColor::fromString(v.toString());
    return c.isValid() ? c : fallback;
}

inline int alignOf(const QJsonValue& v, int fallback = Qt::AlignLeft) {
    const QString s = v.toString();
    if (s == u"right")
        return Qt::AlignRight;
    if (s == u"center")
        return Qt::AlignHCenter;
    if (s == u"left")
        return Qt::AlignLeft;
    return fallback;
}

inline double numberOf(const QJsonObject& o, const char* key, double fallback) {
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isDouble() ? v.toDouble() : fallback;
}

inline QString tr(const char* s) {
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

    // Wrapped lines of text from y on; returns the new y. A word wider than
    // the column (a long code, an e-mail address, a large amount) is drawn
    // smaller rather than cut in two, down to 60% of the size; past that
    // it goes on after one of its separators.
    double addLines(Box& b, const QString& text, FontSpec f, const QColor& c, double x, double y,
                    double width, int align) {
        double widest = 0;
        for (const QString& word : text.split(u' ', Qt::SkipEmptyParts))
            for (const QString& part : word.split(u'\n', Qt::SkipEmptyParts))
                widest = std::max(widest, m_measure.width(part, f));
        if (width > 0 && widest > width)
            f.size = std::max(f.size * 0.6, f.size * width / widest * 0.98);
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
        if (const auto it = m_d.related.constFind(name.toLower()); it != m_d.related.constEnd())
            return &it.value();
        // A related source the data were not read for has no row.
        static const db::Result none;
        const QJsonObject related = m_t.value(QStringLiteral("related")).toObject();
        for (auto it = related.begin(); it != related.end(); ++it)
            if (it.key().compare(name, Qt::CaseInsensitive) == 0)
                return &none;
        throw RenderError{tr("Modello di stampa: sorgente dati \"%1\" sconosciuta").arg(name)};
    }

    // Every name the template reads, matched with the sources carrying it.
    void checkNames();
    void checkNames(const QJsonValue& v, const QString& key, const QString& context);
    void checkName(const QString& name, const QString& context);
    QSet<QString> columnsOf(const QString& source) const;

    void newPage(bool continuation);
    void emitBox(const Box& b);
    // tail: the height that must stand on the page of the flow's last piece
    // after it (the closing blocks, so that totals never stand alone).
    void place(const Flow& f, double tail = 0);
    Box carryBox(const QString& label, const QString& value);
    void placeBlocks(const QJsonArray& blocks, const Scope& s, double tail = 0);
    Box buildClosing(const QJsonArray& blocks, const Scope& s);
    void placeClosing(const Box& all);
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
    QSet<QString> m_letNames;                   // lower case
    QHash<QString, const db::Result*> m_tables; // related rows by name
    RenderedReport m_out;
    const Scope* m_scope = nullptr;

    double m_pageHeight = a4Height; // height the content is laid out in
    double m_left = 0, m_right = 0, m_top = 0, m_bottom = 0, m_footerTop = 0;
    double m_y = 0, m_contentStart = 0;
};

} // namespace printing::layout
