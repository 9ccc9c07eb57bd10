#include "purchases/InvoiceView.h"

#include "common/Installation.h"
#include "common/Titles.h"

#include <QDir>
#include <QFile>
#include <libxml/parser.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

namespace purchases {

namespace {

common::Failure failure(const QString& text) {
    return {common::titles::error, text, QString()};
}

} // namespace

QString InvoiceView::stylesheetFor(const QString& xmlPath) {
    QFile f(xmlPath);
    const bool pa = f.open(QIODevice::ReadOnly) && f.read(4096).contains("FPA12");
    return QDir(common::Installation::dataFolder(QStringLiteral("xsl")))
        .filePath(pa ? QStringLiteral("Foglio_di_stile_fattura_PA_ver1.2.2.xsl")
                     : QStringLiteral("Foglio_di_stile_fattura_ordinaria_ver1.2.2.xsl"));
}

std::optional<common::Failure> InvoiceView::render(const QString& xmlPath, const QString& xslPath,
                                                   const QString& htmlPath) {
    if (xmlPath.isEmpty() || !QFile::exists(xmlPath))
        return failure(QStringLiteral("Attenzione il documento non ha il file della fattura "
                                      "elettronica ricevuta"));
    xsltStylesheetPtr style = xsltParseStylesheetFile(
        reinterpret_cast<const xmlChar*>(QFile::encodeName(xslPath).constData()));
    if (!style)
        return failure(QStringLiteral("Foglio di stile non leggibile: ") + xslPath);
    xmlDocPtr doc = xmlReadFile(QFile::encodeName(xmlPath).constData(), nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    std::optional<common::Failure> result;
    if (!doc) {
        result = failure(QStringLiteral("Il file della fattura non è leggibile: ") + xmlPath);
    } else {
        xmlDocPtr html = xsltApplyStylesheet(style, doc, nullptr);
        if (!html ||
            xsltSaveResultToFilename(QFile::encodeName(htmlPath).constData(), html, style, 0) < 0)
            result = failure(QStringLiteral("Impossibile preparare la fattura da visualizzare"));
        if (html)
            xmlFreeDoc(html);
        xmlFreeDoc(doc);
    }
    xsltFreeStylesheet(style);
    return result;
}

} // namespace purchases
