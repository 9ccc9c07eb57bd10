#pragma once

#include <QByteArray>
#include <QXmlStreamWriter>

namespace einvoice {

// The element writer of the electronic invoice: every text goes through
// xmlSafeText, optional elements are left out when their text is empty.
class XmlOut {
public:
    explicit XmlOut(QByteArray* buffer);

    void start(const QString& name) { m_xml.writeStartElement(name); }
    void end() { m_xml.writeEndElement(); }
    void element(const QString& name, const QString& text);
    // Written only when text is not empty.
    void optional(const QString& name, const QString& text);
    QXmlStreamWriter& raw() { return m_xml; }

private:
    QXmlStreamWriter m_xml;
};

} // namespace einvoice
