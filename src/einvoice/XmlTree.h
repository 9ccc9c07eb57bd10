#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

struct _xmlDoc;
struct _xmlNode;

namespace einvoice {

// A parsed XML file read along element paths ("DatiGenerali/Data"): each
// step picks the child elements of that local name, in document order.
class XmlTree {
public:
    using Node = _xmlNode*;

    explicit XmlTree(const QByteArray& xml);
    ~XmlTree();
    XmlTree(const XmlTree&) = delete;
    XmlTree& operator=(const XmlTree&) = delete;

    bool parsed() const { return m_doc != nullptr; }
    Node root() const;

    std::vector<Node> nodes(Node context, const QString& path) const;
    QStringList texts(Node context, const QString& path) const;
    // The text of the first match; empty when there is none.
    QString text(Node context, const QString& path) const;
    bool has(Node context, const QString& path) const { return !nodes(context, path).empty(); }
    // The value of an attribute of the node; empty when it is missing.
    static QString attribute(Node node, const char* name);

private:
    _xmlDoc* m_doc = nullptr;
};

} // namespace einvoice
