#include "printing/LayoutRenderer.h"

namespace printing::layout {

// Placing boxes on pages: page breaks, closing blocks, footers.
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

Box Renderer::carryBox(const QString& label, const QString& value) {
    const double width = m_right - m_left;
    FontSpec f{m_baseSize - 0.5, true, true};
    Box b;
    const double h = lh(f);
    b.text(QRectF(0, 0.8 * mm, width - 1.5 * mm, h), label + QStringLiteral("  ") + value, f,
           m_style.muted, Qt::AlignRight);
    b.height = h + 1.6 * mm;
    return b;
}

void Renderer::place(const Flow& f, double tail) {
    const bool carries = !f.carry.isEmpty();
    const double carryHeight = carries ? carryBox(f.carryOut, QString()).height : 0;
    QString carried; // the running total as far as the pieces placed
    auto breakPage = [&](int next) {
        const bool carry = carries && !carried.isEmpty() && next < f.pieces.size();
        if (carry)
            emitBox(carryBox(f.carryOut, carried));
        newPage(true);
        if (f.hasRepeat && next > f.repeatAfter)
            emitBox(f.repeat);
        if (next < f.bandOf.size() && f.bandOf[next] >= 0)
            emitBox(f.bands[f.bandOf[next]]);
        if (carry)
            emitBox(carryBox(f.carryIn, carried));
    };
    for (int i = 0; i < f.pieces.size(); ++i) {
        Box piece = f.pieces[i];
        const bool last = i + 1 == f.pieces.size();
        const double below = last ? tail : 0;
        // Rows of a table leave room for the line carried to the next page.
        const double bottom = m_bottom - (carries && !last ? carryHeight : 0);
        if (piece.splittable) {
            // A long text fills the page and goes on on the next one.
            while (m_y + piece.height + below > bottom + eps) {
                const double pad = 1.2 * mm;
                double cut = piece.cutBefore(bottom - m_y - pad);
                if (below > 0 && m_y + piece.height <= bottom + eps)
                    cut = std::min(cut, piece.cutBefore(piece.lastLineTop()));
                if (cut <= eps) {
                    if (m_y <= m_contentStart + eps)
                        break; // not even one line fits an empty page
                    breakPage(i);
                    continue;
                }
                Box rest = piece.splitAt(cut, pad);
                emitBox(piece);
                breakPage(i);
                piece = rest;
            }
            emitBox(piece);
            continue;
        }
        double need = piece.height;
        int j = i;
        for (; j + 1 < f.pieces.size() && f.pieces[j].keepWithNext; ++j)
            need += f.pieces[j + 1].height;
        if (j + 1 == f.pieces.size())
            need += tail;
        if (m_y + need > bottom + eps && m_y > m_contentStart + eps)
            breakPage(i);
        emitBox(piece);
        if (carries && !f.carry[i].isEmpty())
            carried = f.carry[i];
    }
}

void Renderer::placeBlocks(const QJsonArray& blocks, const Scope& s, double tail) {
    const double width = m_right - m_left;
    QList<Flow> flows;
    for (const QJsonValue& v : blocks)
        flows.append(build(v.toObject(), width, s));
    int lastFull = -1;
    for (int i = 0; i < flows.size(); ++i)
        if (!flows[i].pieces.isEmpty())
            lastFull = i;
    for (int i = 0; i < flows.size(); ++i)
        place(flows[i], i == lastFull ? tail : 0);
}

Box Renderer::buildClosing(const QJsonArray& blocks, const Scope& s) {
    const double width = m_right - m_left;
    Box all;
    for (const QJsonValue& v : blocks) {
        const Box b = build(v.toObject(), width, s).flatten();
        all.add(b, 0, all.height);
        all.height += b.height;
    }
    return all;
}

void Renderer::placeClosing(const Box& all) {
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
        const QString left = fill(footer.value(QStringLiteral("left")).toString(), s);
        const QString center = fill(footer.value(QStringLiteral("center")).toString(), s);
        const QString right = fill(footer.value(QStringLiteral("right")).toString(), s);
        // The middle text goes under the others when it would run into them.
        const double gap = 3 * mm;
        const double half = m_measure.width(center, f) / 2;
        const bool apart =
            center.isEmpty() || (m_measure.width(left, f) + half + gap <= width / 2 &&
                                 m_measure.width(right, f) + half + gap <= width / 2);
        if (!left.isEmpty())
            b.text(QRectF(0, y, width, h), left, f, m_style.muted, Qt::AlignLeft);
        if (!right.isEmpty())
            b.text(QRectF(0, y, width, h), right, f, m_style.muted, Qt::AlignRight);
        if (!center.isEmpty())
            b.text(QRectF(0, apart ? y : y + h, width, h), center, f, m_style.muted,
                   apart ? Qt::AlignHCenter : Qt::AlignLeft);
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

    checkNames();
    for (auto it = m_d.company.begin(); it != m_d.company.end(); ++it)
        m_vars.insert(QStringLiteral("ditta.") + it.key(), it.value());
    m_tables.insert(QStringLiteral("main"), &m_d.main);
    for (int i = 0; i < 3; ++i)
        m_tables.insert(QStringLiteral("sub%1").arg(i + 1), &m_d.sub[i]);
    // Related rows: "name.column" reads the first row; lookup() the others.
    for (auto rel = m_d.related.begin(); rel != m_d.related.end(); ++rel) {
        m_tables.insert(rel.key(), &rel.value());
        for (const QString& c : rel->columns)
            m_vars.insert(rel.key() + u'.' + c.toLower(),
                          rel->empty() ? QVariant() : rel->first().value(c));
    }
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
        scope.source = QStringLiteral("main");
        scope.tables = &m_tables;
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
        // The closing blocks are measured first: the body's last piece stays
        // on their page, so that totals never stand alone on a page.
        const Box closing = buildClosing(m_t.value(QStringLiteral("closing")).toArray(), scope);
        const double tail = closing.items.isEmpty() ? 0 : closing.height;
        const QJsonArray body = m_t.value(QStringLiteral("body")).toArray();
        placeBlocks(m_t.value(QStringLiteral("header")).toArray(), scope,
                    body.isEmpty() ? tail : 0);
        placeBlocks(body, scope, tail);
        placeClosing(closing);
        m_scope = nullptr;
    }
    Scope footerScope;
    footerScope.row = records.front();
    footerScope.source = QStringLiteral("main");
    footerScope.tables = &m_tables;
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

} // namespace printing::layout
