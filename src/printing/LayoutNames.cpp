#include "printing/LayoutRenderer.h"

namespace printing::layout {

// Before anything is drawn, every name the template reads is matched with
// the sources that carry it. A name that two of them carry (a column of the
// record and a name of the template, a column of a table's rows and one of
// the record...) would be a silent pick: it is an error, to be written
// qualified ("main.Numero", "sub1.Numero", "ditta.Via").
namespace {

const QStringList& builtinNames() {
    static const QStringList names = {QStringLiteral("haslogo"), QStringLiteral("letterhead"),
                                      QStringLiteral("title"),   QStringLiteral("parametro"),
                                      QStringLiteral("today"),   QStringLiteral("rowcount"),
                                      QStringLiteral("page"),    QStringLiteral("pages")};
    return names;
}

bool isExpressionKey(const QString& key) {
    return key == u"if" || key == u"where" || key == u"orderBy" || key == u"groupBy" ||
           key == u"by";
}

bool isTableKey(const QString& key) {
    return key == u"columns" || key == u"where" || key == u"groupBy" || key == u"orderBy" ||
           key == u"group";
}

} // namespace

QSet<QString> Renderer::columnsOf(const QString& source) const {
    QSet<QString> out;
    for (const QString& c : this->source(source)->columns)
        out.insert(c.toLower());
    return out;
}

void Renderer::checkName(const QString& name, const QString& context) {
    const QString key = name.toLower();
    const qsizetype dot = key.indexOf(u'.');
    if (dot > 0) {
        const QString qualifier = key.left(dot);
        const QJsonObject related = m_t.value(QStringLiteral("related")).toObject();
        bool isRelated = false;
        for (auto it = related.begin(); it != related.end(); ++it)
            isRelated = isRelated || it.key().compare(qualifier, Qt::CaseInsensitive) == 0;
        if (qualifier != u"ditta" && qualifier != u"main" && qualifier != u"sub1" &&
            qualifier != u"sub2" && qualifier != u"sub3" && !isRelated)
            throw RenderError{tr("Modello di stampa: \"%1\" non indica né la ditta né una delle "
                                 "fonti dati (main, sub1, sub2, sub3, related)")
                                  .arg(name)};
        return;
    }
    QStringList carriers;
    if (context != u"main" && columnsOf(context).contains(key))
        carriers << tr("colonna di %1").arg(context);
    if (columnsOf(QStringLiteral("main")).contains(key))
        carriers << tr("colonna di main");
    if (m_letNames.contains(key))
        carriers << tr("nome calcolato del modello");
    if (builtinNames().contains(key))
        carriers << tr("variabile di stampa");
    if (carriers.size() > 1)
        throw RenderError{tr("Modello di stampa: il nome \"%1\" è ambiguo (%2); va scritto con "
                             "la sua fonte, per esempio \"%3.%1\"")
                              .arg(name, carriers.join(QStringLiteral(", ")),
                                   context == u"main" ? QStringLiteral("main") : context)};
}

void Renderer::checkNames(const QJsonValue& v, const QString& key, const QString& context) {
    if (v.isString()) {
        const QString text = v.toString();
        QStringList names;
        if (isExpressionKey(key) || key == u"let") {
            names = expr(text).names();
        } else if (text.contains(u'{')) {
            names = templ(text).names();
        }
        for (const QString& n : names)
            checkName(n, context);
        return;
    }
    if (v.isArray()) {
        for (const QJsonValue& item : v.toArray())
            checkNames(item, key, context);
        return;
    }
    if (!v.isObject())
        return;
    const QJsonObject o = v.toObject();
    const bool table = o.value(QStringLiteral("type")).toString() == u"table";
    const QString tableSource =
        table ? o.value(QStringLiteral("source")).toString(QStringLiteral("main")) : QString();
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (it.key() == u"type" || it.key() == u"id" || it.key() == u"source")
            continue;
        const QString inner = table && isTableKey(it.key()) ? tableSource : context;
        checkNames(it.value(), key == u"let" ? key : it.key(), inner);
    }
}

void Renderer::checkNames() {
    const QJsonObject let = m_t.value(QStringLiteral("let")).toObject();
    for (auto it = let.begin(); it != let.end(); ++it)
        m_letNames.insert(it.key().toLower());
    for (auto it = let.begin(); it != let.end(); ++it) {
        checkName(it.key(), QStringLiteral("main"));
        checkNames(it.value(), QStringLiteral("let"), QStringLiteral("main"));
    }
    for (const char* part : {"letterhead", "header", "pageHeader", "body", "closing", "footer"})
        checkNames(m_t.value(QLatin1String(part)), QString::fromLatin1(part),
                   QStringLiteral("main"));
}

} // namespace printing::layout
