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
    if (m_doc)
        return;
    const xmlError* e = xmlGetLastError();
    m_error = e && e->message ? QStringLiteral("riga %1: %2")
                                    .arg(e->line)
                                    .arg(QString::fromUtf8(e->message).trimmed())
                              : QStringLiteral("file vuoto o illeggibile");
}

XmlTree::~XmlTree() {
    if (m_doc)
        xmlFreeDoc(m_doc);
}

XmlTree::Node XmlTree::root() const {
    return m_doc ? xmlDocGetRootElement(m_doc) : nullptr;
}

std::vector<XmlTree::Node> XmlTree::nodes(Node context, const QString& path,
                                          Qt::CaseSensitivity names) {
    std::vector<Node> level;
    if (context)
        level.push_back(context);
    for (const QString& step : path.split(u'/', Qt::SkipEmptyParts)) {
        const QByteArray bytes = step.toUtf8();
        const auto matches = [&](Node n) {
            return names == Qt::CaseSensitive ? bytes == reinterpret_cast<const char*>(n->name)
                                              : name(n).compare(step, Qt::CaseInsensitive) == 0;
        };
        std::vector<Node> next;
        for (Node parent : level)
            for (Node n = parent->children; n; n = n->next)
                if (n->type == XML_ELEMENT_NODE && matches(n))
                    next.push_back(n);
        level.swap(next);
    }
    return level;
}

QString XmlTree::name(Node node) {
    return node ? fromXml(node->name) : QString();
}

QStringList XmlTree::texts(Node context, const QString& path) {
    QStringList out;
    for (Node n : nodes(context, path)) {
        xmlChar* text = xmlNodeGetContent(n);
        out << fromXml(text).trimmed();
        xmlFree(text);
    }
    return out;
}

QString XmlTree::text(Node context, const QString& path) {
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
