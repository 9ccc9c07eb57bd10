#include "einvoice/FatturaPaWriter.h"

#include "einvoice/DocumentLines.h"
#include "einvoice/GeneralDataWriter.h"
#include "einvoice/GoodsServicesWriter.h"
#include "einvoice/HeaderWriter.h"
#include "einvoice/PaymentWriter.h"
#include "einvoice/XmlOut.h"

namespace einvoice {

namespace {

const char* const fatturaNamespace =
    "http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2";

} // namespace

WrittenDocument FatturaPaWriter::build(db::Database& db, const ExportSource& source,
                                       const QList<QByteArray>& attachments) {
    QByteArray buffer;
    XmlOut out(&buffer);
    QXmlStreamWriter& xml = out.raw();
    xml.writeStartDocument(QStringLiteral("1.0"));
    xml.writeStartElement(QStringLiteral("p:FatturaElettronica"));
    xml.writeAttribute(QStringLiteral("versione"),
                       source.header.text(QStringLiteral("DatiTrasmissione_FormatoTrasmissione")));
    xml.writeAttribute(QStringLiteral("xmlns:ds"),
                       QStringLiteral("http://www.w3.org/2000/09/xmldsig#"));
    xml.writeAttribute(QStringLiteral("xmlns:p"), QLatin1String(fatturaNamespace));
    xml.writeAttribute(QStringLiteral("xmlns:xsi"),
                       QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"));
    xml.writeAttribute(QStringLiteral("xsi:schemaLocation"),
                       QLatin1String(fatturaNamespace) +
                           QStringLiteral(" fatturaordinaria_v1.2.1.xsd "));

    HeaderWriter::write(out, source);

    const std::vector<LineValues> lines = DocumentLines::lines(source);
    const std::vector<SummaryGroup> summaries = DocumentLines::summaries(source);
    out.start(QStringLiteral("FatturaElettronicaBody"));
    GeneralDataWriter::write(out, db, source);
    GoodsServicesWriter::write(out, lines, summaries,
                               source.header.boolean(QStringLiteral("ScissionePagamenti")));
    PaymentWriter::writePayment(out, db, source);
    PaymentWriter::writeAttachments(out, source, attachments);
    out.end();

    xml.writeEndElement();
    xml.writeEndDocument();
    return {buffer, out.problems(), out.notes()};
}

} // namespace einvoice
