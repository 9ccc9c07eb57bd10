#include "einvoice/XmlOut.h"

#include "einvoice/XmlText.h"

namespace einvoice {

XmlOut::XmlOut(QByteArray* buffer) : m_xml(buffer) {
    m_xml.setAutoFormatting(true);
    m_xml.setAutoFormattingIndent(2);
}

void XmlOut::element(const QString& name, const QString& text) {
    m_xml.writeTextElement(name, xmlSafeText(text));
}

void XmlOut::optional(const QString& name, const QString& text) {
    if (!text.isEmpty())
        element(name, text);
}

} // namespace einvoice
