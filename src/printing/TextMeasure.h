#pragma once

#include "printing/RenderedReport.h"

#include <QFont>
#include <QImage>
#include <QStringList>

namespace printing {

// Text widths and line breaks in points, measured on a fine reference
// device so that they do not depend on the screen.
class TextMeasure {
public:
    explicit TextMeasure(const QStringList& families);

    QFont font(const FontSpec& fontStyle) const;
    double width(const QString& text, const FontSpec& fontStyle) const;
    double lineHeight(const FontSpec& fontStyle) const;
    // Breaks the text into lines no wider than width; "\n" starts a new line.
    QStringList wrap(const QString& text, const FontSpec& fontStyle, double width) const;

private:
    QStringList m_families;
    QImage m_device;
};

} // namespace printing
