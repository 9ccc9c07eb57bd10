#include "einvoice/XmlOut.h"

#include "einvoice/DocumentFields.h"
#include "einvoice/ElementRules.h"
#include "einvoice/TextFit.h"
#include "einvoice/XmlText.h"

namespace einvoice {

XmlOut::XmlOut(QByteArray* buffer) : m_xml(buffer) {
    m_xml.setAutoFormatting(true);
    m_xml.setAutoFormattingIndent(2);
}

void XmlOut::start(const QString& name, qint64 index) {
    m_xml.writeStartElement(name);
    m_path << (index > 0 ? QStringLiteral("%1[%2]").arg(name).arg(index) : name);
}

void XmlOut::end() {
    m_xml.writeEndElement();
    if (!m_path.isEmpty())
        m_path.removeLast();
}

void XmlOut::element(const QString& name, const QString& text) {
    write(name, text, true);
}

void XmlOut::optional(const QString& name, const QString& text) {
    write(name, text, false);
}

QString XmlOut::field(const QString& name) const {
    return DocumentFields::of(u'/' + m_path.join(u'/') + u'/' + name);
}

void XmlOut::write(const QString& name, const QString& text, bool mandatory) {
    const QString parent = m_path.isEmpty() ? QString() : m_path.last().section(u'[', 0, 0);
    const ElementRule* rule = ElementRules::find(name, parent);
    if (!rule) {
        const QString safe = xmlSafeText(text);
        if (safe.isEmpty() && !mandatory)
            return;
        m_xml.writeTextElement(name, safe);
        return;
    }
    const FittedText fitted = fitText(*rule, text);
    if (!fitted.problem.isEmpty())
        m_problems << QStringLiteral("%1: %2 (codice SdI 00200).").arg(field(name), fitted.problem);
    else if (fitted.pieces.isEmpty() && mandatory)
        m_problems << QStringLiteral("%1: manca (codice SdI 00200).").arg(field(name));
    const QString note = QStringLiteral("%1: %2.").arg(field(name), fitted.note);
    if (!fitted.note.isEmpty() && !m_notes.contains(note))
        m_notes << note;
    for (const QString& piece : fitted.pieces)
        m_xml.writeTextElement(name, piece);
}

} // namespace einvoice
