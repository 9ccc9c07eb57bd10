#include "einvoice/XmlTree.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

namespace einvoice {

namespace {

QString fromXml(const xmlChar* text) {
    return QString::fromUtf8(reinterpret_cast<const char*>(text));
}

} // namespace

XmlTree::XmlTree(const QByteArray& xml) {
    m_doc = xmlReadMemory(xml.constData(), int(xml.size()), nullptr, nullptr,
                          XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
}

XmlTree::~XmlTree() {
    if (m_doc)
        xmlFreeDoc(m_doc);
}

XmlTree::Node XmlTree::root() const {
    return m_doc ? xmlDocGetRootElement(m_doc) : nullptr;
}

std::vector<XmlTree::Node> XmlTree::nodes(Node context, const QString& path) const {
    std::vector<Node> level;
    if (context)
        level.push_back(context);
    for (const QString& step : path.split(u'/', Qt::SkipEmptyParts)) {
        const QByteArray name = step.toUtf8();
        std::vector<Node> next;
        for (Node parent : level)
            for (Node n = parent->children; n; n = n->next)
                if (n->type == XML_ELEMENT_NODE && name == reinterpret_cast<const char*>(n->name))
                    next.push_back(n);
        level.swap(next);
    }
    return level;
}

QStringList XmlTree::texts(Node context, const QString& path) const {
    QStringList out;
    for (Node n : nodes(context, path)) {
        xmlChar* text = xmlNodeGetContent(n);
        out << fromXml(text).trimmed();
        xmlFree(text);
    }
    return out;
}

QString XmlTree::text(Node context, const QString& path) const {
    const QStringList all = texts(context, path);
    return all.isEmpty() ? QString() : all.first();
}

QString XmlTree::attribute(Node node, const char* name) {
    if (!node)
        return {};
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    const QString out = value ? fromXml(value) : QString();
    xmlFree(value);
    return out;
}

} // namespace einvoice
