#include "printing/LayoutRenderer.h"

namespace printing::layout {

// Tables: columns, groups, subtotals and the header repeated on each page.
Flow Renderer::buildTable(const QJsonObject& o, double width, const Scope& s) {
    Flow f;
    const QString sourceName = o.value(QStringLiteral("source")).toString(QStringLiteral("main"));
    const db::Result* rows = source(sourceName);
    const QJsonArray columns = o.value(QStringLiteral("columns")).toArray();
    if (columns.isEmpty())
        return f;

    // Rows kept by the filter, then grouped and ordered.
    const QString where = o.value(QStringLiteral("where")).toString();
    std::vector<const db::Row*> kept;
    for (const db::Row& r : *rows) {
        if (!where.isEmpty()) {
            Scope rs;
            rs.source = sourceName;
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
            rs.source = sourceName;
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
            rs.source = sourceName;
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

    // A running total carried from page to page: "carry": {"value", "out", "in"}.
    const QJsonObject carry = o.value(QStringLiteral("carry")).toObject();
    const QString carryValue = carry.value(QStringLiteral("value")).toString();
    f.carryOut = carry.value(QStringLiteral("out")).toString(tr("A riportare"));
    f.carryIn = carry.value(QStringLiteral("in")).toString(tr("Riporto"));
    std::vector<const db::Row*> upTo;

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
                rs.source = sourceName;
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
            hs.source = sourceName;
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
            // The heading said again on a page the group goes on to.
            Box again;
            const double ay = addLines(
                again, fill(band.value(QStringLiteral("header")).toString(), hs) + tr(" (segue)"),
                hf, m_style.accent, padX, padY * 2.2, width - 2 * padX, Qt::AlignLeft);
            again.height = ay + padY;
            f.bands.append(again);
        }
        const int bandIndex = bandBy.isEmpty() ? -1 : int(f.bands.size()) - 1;
        auto markBand = [&] {
            while (f.bandOf.size() < f.pieces.size())
                f.bandOf << -1;
            f.bandOf.last() = bandIndex;
        };
        for (std::size_t k = i; k < end; ++k) {
            const Entry& e = entries[k];
            Scope rs;
            rs.source = sourceName;
            rs.row = e.row;
            rs.group = e.grouped ? &e.group : nullptr;
            rs.parent = &s;
            f.pieces.append(rowBox(rs, zebra && (shade++ % 2 == 1), false, QString()));
            markBand();
            if (!carryValue.isEmpty()) {
                if (e.grouped)
                    upTo.insert(upTo.end(), e.group.begin(), e.group.end());
                else
                    upTo.push_back(e.row);
                Scope cs;
                cs.source = sourceName;
                cs.group = &upTo;
                cs.parent = &s;
                while (f.carry.size() + 1 < f.pieces.size())
                    f.carry << QString();
                f.carry << fill(carryValue, cs);
            }
        }
        if (!bandBy.isEmpty() && hasTotals && band.value(QStringLiteral("totals")).toBool(true)) {
            Scope gs;
            gs.source = sourceName;
            gs.row = entries[i].row;
            gs.group = &bandRows;
            gs.parent = &s;
            // A group's total goes with its last row, never alone atop a page.
            f.pieces.last().keepWithNext = true;
            f.pieces.append(
                rowBox(gs, false, true,
                       fill(band.value(QStringLiteral("footer")).toString(tr("Totale")), gs)));
            markBand();
        }
        i = end;
    }

    if (hasTotals && o.value(QStringLiteral("totals")).toBool(true)) {
        f.pieces.last().keepWithNext = true;
        Scope ts;
        ts.source = sourceName;
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
    if (!f.carry.isEmpty())
        while (f.carry.size() < f.pieces.size())
            f.carry << QString();
    return f;
}

} // namespace printing::layout
