#pragma once

#include <QByteArray>
#include <QStringList>
#include <QXmlStreamWriter>

namespace einvoice {

// The element writer of the electronic invoice. Each text is fitted to its
// schema type by the rules of ElementRules; what cannot be fitted is kept
// as a problem that stops the export, what was changed as a note for the
// user, both naming the program's field behind the element.
class XmlOut {
public:
    explicit XmlOut(QByteArray* buffer);

    // index: the position of a repeated block (a row's line number), shown
    // in the messages.
    void start(const QString& name, qint64 index = 0);
    void end();
    // A mandatory element: an empty text is a problem.
    void element(const QString& name, const QString& text);
    // Left out when its text is empty once fitted.
    void optional(const QString& name, const QString& text);
    QXmlStreamWriter& raw() { return m_xml; }

    const QStringList& problems() const { return m_problems; }
    const QStringList& notes() const { return m_notes; }

private:
    void write(const QString& name, const QString& text, bool mandatory);
    QString field(const QString& name) const;

    QXmlStreamWriter m_xml;
    QStringList m_path;
    QStringList m_problems;
    QStringList m_notes;
};

} // namespace einvoice
