#include "einvoice/XmlText.h"

#include "einvoice/Transliteration.h"

#include <QHash>

namespace einvoice {

namespace {

// Characters outside Latin-1 with a plain replacement.
const QHash<char32_t, QString>& replacements() {
    static const QHash<char32_t, QString> map = {
        {0x2018, QStringLiteral("'")},   {0x2019, QStringLiteral("'")},
        {0x201A, QStringLiteral("'")},   {0x201B, QStringLiteral("'")},
        {0x2032, QStringLiteral("'")},   {0x2039, QStringLiteral("<")},
        {0x203A, QStringLiteral(">")},   {0x201C, QStringLiteral("\"")},
        {0x201D, QStringLiteral("\"")},  {0x201E, QStringLiteral("\"")},
        {0x201F, QStringLiteral("\"")},  {0x2033, QStringLiteral("\"")},
        {0x2010, QStringLiteral("-")},   {0x2011, QStringLiteral("-")},
        {0x2012, QStringLiteral("-")},   {0x2013, QStringLiteral("-")},
        {0x2014, QStringLiteral("-")},   {0x2015, QStringLiteral("-")},
        {0x2212, QStringLiteral("-")},   {0x2022, QStringLiteral("-")},
        {0x2026, QStringLiteral("...")}, {0x20AC, QStringLiteral("EUR")},
        {0x2122, QStringLiteral("TM")},  {0x0152, QStringLiteral("OE")},
        {0x0153, QStringLiteral("oe")},  {0x2020, QStringLiteral("+")},
        {0x2044, QStringLiteral("/")},   {0x2215, QStringLiteral("/")},
        {0x2264, QStringLiteral("<=")},  {0x2265, QStringLiteral(">=")},
        {0x2260, QStringLiteral("!=")},  {0x2248, QStringLiteral("~")},
        {0x2192, QStringLiteral("->")},  {0x2190, QStringLiteral("<-")},
    };
    return map;
}

bool isAllowed(char32_t c) {
    if (c == u'\t' || c == u'\n' || c == u'\r')
        return true;
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
        return false;
    return c <= 0xFF;
}

} // namespace

QString xmlSafeText(const QString& typed) {
    // Composed first: "a" with a combining grave accent is "à".
    const QString text = typed.normalized(QString::NormalizationForm_C);
    bool plain = true;
    for (QChar c : text)
        if (!isAllowed(c.unicode()) || c.isSurrogate()) {
            plain = false;
            break;
        }
    if (plain)
        return text;

    QString out;
    out.reserve(text.size());
    const QList<uint> chars = text.toUcs4();
    for (qsizetype i = 0; i < chars.size(); ++i) {
        const char32_t c = chars[i];
        if (isAllowed(c)) {
            out += QString::fromUcs4(&c, 1);
            continue;
        }
        QString latin;
        if (i + 1 < chars.size() && greekPair(c, chars[i + 1], &latin)) {
            out += latin;
            ++i;
            continue;
        }
        latin = latinForm(c);
        if (!latin.isNull()) {
            out += latin;
            continue;
        }
        if (c < 0x100)
            continue; // control characters
        const auto mapped = replacements().constFind(c);
        if (mapped != replacements().constEnd()) {
            out += *mapped;
            continue;
        }
        // Spaces of any width become a blank; invisible ones vanish.
        if ((c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F || c == 0x3000) {
            out += u' ';
            continue;
        }
        // Compatibility decomposition: "ş" → "s", "ﬁ" → "fi"; combining
        // marks and whatever still falls outside Latin-1 are dropped.
        const QString decomposed =
            QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
        for (char32_t d : decomposed.toUcs4())
            if (d >= 0x20 && isAllowed(d))
                out += QString::fromUcs4(&d, 1);
    }
    return out;
}

} // namespace einvoice
