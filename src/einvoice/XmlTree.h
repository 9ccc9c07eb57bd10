#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

struct _xmlDoc;
struct _xmlNode;

namespace einvoice {

// A parsed XML file read along element paths ("DatiGenerali/Data"): each
// step picks the child elements of that local name, in document order. The
// readers work on any node of a tree that is alive.
class XmlTree {
public:
    using Node = _xmlNode*;

    explicit XmlTree(const QByteArray& xml);
    ~XmlTree();
    XmlTree(const XmlTree&) = delete;
    XmlTree& operator=(const XmlTree&) = delete;

    bool parsed() const { return m_doc != nullptr; }
    // Why the file could not be parsed ("riga 3: …"); empty when it was.
    const QString& error() const { return m_error; }
    Node root() const;

    static std::vector<Node> nodes(Node context, const QString& path,
                                   Qt::CaseSensitivity names = Qt::CaseSensitive);
    static QStringList texts(Node context, const QString& path);
    // The text of the first match, trimmed; empty when there is none.
    static QString text(Node context, const QString& path);
    static bool has(Node context, const QString& path) { return !nodes(context, path).empty(); }
    // The element's local name; empty for none.
    static QString name(Node node);
    // The value of an attribute of the node; empty when it is missing.
    static QString attribute(Node node, const char* name);

private:
    _xmlDoc* m_doc = nullptr;
    QString m_error;
};

} // namespace einvoice
