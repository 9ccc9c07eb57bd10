#include "einvoice/SchemaCheck.h"

#include "einvoice/DocumentFields.h"

#include <QFile>
#include <QRegularExpression>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlschemas.h>
#include <mutex>

namespace einvoice {

namespace {

QByteArray resource(const char* name) {
    QFile f(QStringLiteral(":/einvoice/schema/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const char* const signatureSchema = "xmldsig-core-schema.xsd";

// The FatturaPA schema imports the signature schema by a relative name:
// while the schema is parsed, that name is served from the resources and
// nothing is looked for on disk or on the network.
xmlExternalEntityLoader defaultLoader = nullptr;

xmlParserInputPtr resourceLoader(const char* url, const char* id, xmlParserCtxtPtr context) {
    if (url && QByteArray(url).endsWith(signatureSchema)) {
        static const QByteArray text = resource(signatureSchema);
        return xmlNewStringInputStream(context, reinterpret_cast<const xmlChar*>(text.constData()));
    }
    return defaultLoader ? defaultLoader(url, id, context) : nullptr;
}

xmlSchemaPtr loadSchema() {
    const QByteArray text = resource("Schema_VFPA12_V1.2.3.xsd");
    defaultLoader = xmlGetExternalEntityLoader();
    xmlSetExternalEntityLoader(resourceLoader);
    xmlSchemaParserCtxtPtr parser = xmlSchemaNewMemParserCtxt(text.constData(), int(text.size()));
    xmlSchemaPtr schema = parser ? xmlSchemaParse(parser) : nullptr;
    xmlSchemaFreeParserCtxt(parser);
    xmlSetExternalEntityLoader(defaultLoader);
    return schema;
}

xmlSchemaPtr schema() {
    static std::once_flag once;
    static xmlSchemaPtr loaded = nullptr;
    std::call_once(once, [] { loaded = loadSchema(); });
    return loaded;
}

QString textOf(xmlNodePtr node) {
    xmlChar* text = xmlNodeGetContent(node);
    const QString out = QString::fromUtf8(reinterpret_cast<const char*>(text));
    xmlFree(text);
    return out;
}

// The element's path; the blocks that repeat carry their position among
// their siblings, a row its line number ("DettaglioLinee[12]").
QString pathOf(xmlNodePtr node) {
    static const QStringList repeated = {
        QStringLiteral("DettaglioLinee"),     QStringLiteral("DatiRiepilogo"),
        QStringLiteral("DettaglioPagamento"), QStringLiteral("Allegati"),
        QStringLiteral("DatiOrdineAcquisto"), QStringLiteral("Causale")};
    QStringList parts;
    for (xmlNodePtr n = node; n && n->type == XML_ELEMENT_NODE; n = n->parent) {
        QString name = QString::fromUtf8(reinterpret_cast<const char*>(n->name));
        if (repeated.contains(name)) {
            QString position;
            int count = 0;
            for (xmlNodePtr s = n->parent ? n->parent->children : n; s; s = s->next)
                if (s->type == XML_ELEMENT_NODE && xmlStrEqual(s->name, n->name)) {
                    ++count;
                    if (s == n)
                        position = QString::number(count);
                }
            for (xmlNodePtr c = n->children; c; c = c->next)
                if (c->type == XML_ELEMENT_NODE &&
                    xmlStrEqual(c->name, reinterpret_cast<const xmlChar*>("NumeroLinea")))
                    position = textOf(c);
            if (name != u"Causale" || count > 1)
                name += u'[' + position + u']';
        }
        parts.prepend(name);
    }
    return u'/' + parts.join(u'/');
}

void collect(void* context, xmlErrorPtr error) {
    auto* out = static_cast<std::vector<SchemaProblem>*>(context);
    SchemaProblem p;
    const QString message = QString::fromUtf8(error->message).trimmed();
    auto* node = static_cast<xmlNodePtr>(error->node);
    if (node && node->type == XML_ELEMENT_NODE) {
        p.path = pathOf(node);
        bool leaf = true;
        for (xmlNodePtr c = node->children; c; c = c->next)
            leaf = leaf && c->type != XML_ELEMENT_NODE;
        if (leaf)
            p.value = textOf(node);
    }
    static const QRegularExpression expected(QStringLiteral("Expected is[^(]*\\( *([^ ,)]+)"));
    if (message.contains(QLatin1String("Missing child element"))) {
        p.kind = SchemaProblem::Kind::Missing;
        p.missing = expected.match(message).captured(1).section(u':', -1);
        p.value.clear();
    } else if (message.contains(QLatin1String("This element is not expected"))) {
        p.kind = SchemaProblem::Kind::Unexpected;
        p.value.clear();
    } else if (message.contains(QLatin1String("is not a valid value")) ||
               message.contains(QLatin1String("is not accepted by the pattern")) ||
               message.contains(QLatin1String("[facet"))) {
        p.kind = SchemaProblem::Kind::Value;
    }
    // libxml2 reports a bad value once per facet and once for its type:
    // one problem per element is enough.
    for (const SchemaProblem& seen : *out)
        if (seen.path == p.path && seen.kind == p.kind)
            return;
    out->push_back(p);
}

} // namespace

std::vector<SchemaProblem> SchemaCheck::problems(const QByteArray& xml) {
    std::vector<SchemaProblem> out;
    xmlSchemaPtr s = schema();
    if (!s) {
        out.push_back({QString(), QString(), SchemaProblem::Kind::Other, QString()});
        return out;
    }
    xmlDocPtr doc =
        xmlReadMemory(xml.constData(), int(xml.size()), "fattura.xml", nullptr, XML_PARSE_NONET);
    if (!doc) {
        out.push_back({QString(), QString(), SchemaProblem::Kind::Other, QString()});
        return out;
    }
    xmlSchemaValidCtxtPtr v = xmlSchemaNewValidCtxt(s);
    xmlSchemaSetValidStructuredErrors(v, collect, &out);
    const int rc = xmlSchemaValidateDoc(v, doc);
    xmlSchemaFreeValidCtxt(v);
    xmlFreeDoc(doc);
    if (rc != 0 && out.empty())
        out.push_back({QString(), QString(), SchemaProblem::Kind::Other, QString()});
    return out;
}

QString SchemaCheck::message(const std::vector<SchemaProblem>& problems) {
    const int shown = 10;
    QStringList lines;
    for (const SchemaProblem& p : problems) {
        if (lines.size() == shown) {
            lines << QStringLiteral("… e altri %1 errori.").arg(problems.size() - shown);
            break;
        }
        if (p.path.isEmpty()) {
            lines << QStringLiteral("il documento non si può verificare.");
            continue;
        }
        switch (p.kind) {
        case SchemaProblem::Kind::Value:
            lines << QStringLiteral("%1: il valore \"%2\" non è ammesso.")
                         .arg(DocumentFields::of(p.path), p.value);
            break;
        case SchemaProblem::Kind::Missing:
            lines
                << QStringLiteral("%1: manca.").arg(DocumentFields::of(p.path + u'/' + p.missing));
            break;
        case SchemaProblem::Kind::Unexpected:
            lines << QStringLiteral("%1: non è ammesso in quella posizione.")
                         .arg(DocumentFields::of(p.path));
            break;
        case SchemaProblem::Kind::Other:
            lines << QStringLiteral("%1: non è conforme al tracciato.")
                         .arg(DocumentFields::of(p.path));
            break;
        }
    }
    return QStringLiteral("Il file non è stato scritto: il Sistema di Interscambio lo "
                          "scarterebbe perché non rispetta il tracciato FatturaPA (codice SdI "
                          "00200).\n\n") +
           lines.join(u'\n');
}

} // namespace einvoice
