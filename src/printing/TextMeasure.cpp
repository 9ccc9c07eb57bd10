#include "printing/TextMeasure.h"

#include <QFontMetricsF>

namespace printing {

namespace {
constexpr double referenceDpi = 720.0;
constexpr double toPoints = 72.0 / referenceDpi;
} // namespace

QFont RenderedReport::font(const FontSpec& fontStyle) const {
    QFont f;
    if (!fontFamilies.isEmpty())
        f.setFamilies(fontFamilies);
    f.setPointSizeF(fontStyle.size);
    f.setBold(fontStyle.bold);
    f.setItalic(fontStyle.italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    // No ligatures: "fi" or "tt" drawn as one glyph would not read back as
    // text from the PDF.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

QStringList RenderedReport::texts(int page) const {
    QStringList out;
    for (int i = 0; i < pages.size(); ++i) {
        if (page >= 0 && i != page)
            continue;
        for (const DrawItem& item : pages[i].items)
            if (item.kind == DrawItem::Text)
                out << item.text;
    }
    return out;
}

TextMeasure::TextMeasure(const QStringList& families)
    : m_families(families), m_device(8, 8, QImage::Format_ARGB32) {
    const int dpm = int(referenceDpi / 0.0254 + 0.5);
    m_device.setDotsPerMeterX(dpm);
    m_device.setDotsPerMeterY(dpm);
}

QFont TextMeasure::font(const FontSpec& fontStyle) const {
    RenderedReport r;
    r.fontFamilies = m_families;
    return r.font(fontStyle);
}

double TextMeasure::width(const QString& text, const FontSpec& fontStyle) const {
    const QFontMetricsF fm(font(fontStyle), &m_device);
    return fm.horizontalAdvance(text) * toPoints;
}

double TextMeasure::lineHeight(const FontSpec& fontStyle) const {
    const QFontMetricsF fm(font(fontStyle), &m_device);
    return std::max(fm.height() * toPoints, fontStyle.size * 1.2);
}

QStringList TextMeasure::wrap(const QString& text, const FontSpec& fontStyle, double width) const {
    const QFontMetricsF fm(font(fontStyle), &m_device);
    const double limit = width / toPoints;
    QStringList lines;
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalized.replace(u'\r', u'\n');
    normalized.replace(u'\t', u' ');
    for (const QString& paragraph : normalized.split(u'\n')) {
        const QStringList words = paragraph.split(u' ', Qt::SkipEmptyParts);
        if (words.isEmpty()) {
            lines << QString();
            continue;
        }
        QString line;
        for (QString word : words) {
            const QString candidate = line.isEmpty() ? word : line + u' ' + word;
            if (fm.horizontalAdvance(candidate) <= limit) {
                line = candidate;
                continue;
            }
            if (!line.isEmpty()) {
                lines << line;
                line.clear();
            }
            // A word wider than the column goes on after one of its own
            // separators (a code's dash, an address's dot or at sign), and
            // is cut anywhere only when it has none that fits.
            while (fm.horizontalAdvance(word) > limit && word.size() > 1) {
                int n = word.size() - 1;
                while (n > 1 && fm.horizontalAdvance(word.left(n)) > limit)
                    --n;
                for (int k = n; k > 1; --k) {
                    const QChar c = word[k - 1];
                    const QChar next = word[k];
                    if (c == u'-' || c == u'/' || c == u'_' || next == u'.' || next == u'@') {
                        n = k;
                        break;
                    }
                }
                lines << word.left(n);
                word = word.mid(n);
            }
            line = word;
        }
        lines << line;
    }
    return lines;
}

} // namespace printing
