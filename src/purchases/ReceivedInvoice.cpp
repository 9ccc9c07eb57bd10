#include "purchases/ReceivedInvoice.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

namespace purchases {

namespace {

QString nameOf(const xmlNode* n) {
    return QString::fromUtf8(reinterpret_cast<const char*>(n->name));
}

const xmlNode* child(const xmlNode* parent, const char* name) {
    if (!parent)
        return nullptr;
    for (const xmlNode* c = parent->children; c; c = c->next)
        if (c->type == XML_ELEMENT_NODE && xmlStrcmp(c->name, BAD_CAST name) == 0)
            return c;
    return nullptr;
}

// Children whose name matches without regard to case.
QList<const xmlNode*> children(const xmlNode* parent, const char* name) {
    QList<const xmlNode*> out;
    if (!parent)
        return out;
    const QString wanted = QString::fromLatin1(name);
    for (const xmlNode* c = parent->children; c; c = c->next)
        if (c->type == XML_ELEMENT_NODE && nameOf(c).compare(wanted, Qt::CaseInsensitive) == 0)
            out.append(c);
    return out;
}

// The text of the element at the path ("A/B/C"), trimmed; empty when any
// step is missing.
QString text(const xmlNode* node, const char* path) {
    const xmlNode* n = node;
    for (const QByteArray& step : QByteArray(path).split('/')) {
        n = child(n, step.constData());
        if (!n)
            return {};
    }
    xmlChar* content = xmlNodeGetContent(n);
    const QString s = QString::fromUtf8(reinterpret_cast<const char*>(content)).trimmed();
    xmlFree(content);
    return s;
}

double number(const xmlNode* node, const char* path, double empty = 0) {
    const QString s = text(node, path);
    bool ok = false;
    const double v = s.toDouble(&ok);
    return ok ? v : empty;
}

QDate date(const xmlNode* node, const char* path) {
    return QDate::fromString(text(node, path).left(10), QStringLiteral("yyyy-MM-dd"));
}

ReceivedLine lineOf(const xmlNode* l) {
    ReceivedLine line;
    line.number = text(l, "NumeroLinea").toInt();
    line.description = text(l, "Descrizione");
    line.quantity = number(l, "Quantita", 1);
    line.unitPrice = number(l, "PrezzoUnitario");
    const double basePrice = line.unitPrice;
    int discount = 0;
    for (const xmlNode* s : children(l, "ScontoMaggiorazione")) {
        const QString type = text(s, "Tipo").toUpper();
        const double percent = number(s, "Percentuale");
        const double amount = number(s, "Importo");
        if (type == QLatin1String("SC")) {
            if (discount < 4)
                line.discounts[discount++] = percent;
        } else if (type == QLatin1String("MG")) {
            line.unitPrice += amount > 0 ? amount : basePrice * percent / 100;
        }
    }
    line.total = number(l, "PrezzoTotale");
    line.vatRate = number(l, "AliquotaIVA");
    line.nature = text(l, "Natura");
    return line;
}

ReceivedBody bodyOf(const xmlNode* b) {
    ReceivedBody body;
    const xmlNode* general = child(child(b, "DatiGenerali"), "DatiGeneraliDocumento");
    body.type = text(general, "TipoDocumento").toUpper();
    body.number = text(general, "Numero");
    body.date = date(general, "Data");
    body.total = number(general, "ImportoTotaleDocumento");
    for (const xmlNode* w : children(general, "DatiRitenuta"))
        body.withholding += number(w, "ImportoRitenuta");
    body.stamp = number(general, "DatiBollo/ImportoBollo");
    body.stampVirtual = text(general, "DatiBollo/BolloVirtuale").toUpper() == QLatin1String("SI");
    for (const xmlNode* f : children(child(b, "DatiGenerali"), "DatiFattureCollegate"))
        body.links.append({text(f, "IdDocumento"), date(f, "Data")});
    for (const xmlNode* l : children(child(b, "DatiBeniServizi"), "DettaglioLinee"))
        body.lines.append(lineOf(l));
    for (const xmlNode* group : children(b, "DatiPagamento")) {
        const QString conditions = text(group, "CondizioniPagamento");
        for (const xmlNode* p : children(group, "DettaglioPagamento"))
            body.payments.append({conditions, text(p, "ModalitaPagamento"),
                                  date(p, "DataScadenzaPagamento"), number(p, "ImportoPagamento"),
                                  text(p, "CodicePagamento")});
    }
    for (const xmlNode* a : children(b, "Allegati")) {
        ReceivedAttachment att{text(a, "NomeAttachment"), text(a, "FormatoAttachment"),
                               text(a, "DescrizioneAttachment"),
                               QByteArray::fromBase64(text(a, "Attachment").toLatin1())};
        if (!att.name.isEmpty() && !att.data.isEmpty())
            body.attachments.append(att);
    }
    return body;
}

void readHeader(const xmlNode* h, ReceivedInvoice& r) {
    const xmlNode* t = child(h, "DatiTrasmissione");
    r.format = text(t, "FormatoTrasmissione").toUpper();
    r.recipientCode = text(t, "CodiceDestinatario");
    r.recipientPec = text(t, "PECDestinatario");
    const xmlNode* seller = child(h, "CedentePrestatore");
    const xmlNode* data = child(seller, "DatiAnagrafici");
    ReceivedSeller& s = r.seller;
    s.country = text(data, "IdFiscaleIVA/IdPaese");
    s.vatNumber = text(data, "IdFiscaleIVA/IdCodice");
    s.taxCode = text(data, "CodiceFiscale");
    s.name = text(data, "Anagrafica/Denominazione");
    s.firstName = text(data, "Anagrafica/Nome");
    s.lastName = text(data, "Anagrafica/Cognome");
    s.title = text(data, "Anagrafica/Titolo");
    s.eori = text(data, "Anagrafica/CodEORI");
    const xmlNode* seat = child(seller, "Sede");
    s.street = text(seat, "Indirizzo");
    s.civic = text(seat, "NumeroCivico");
    s.postcode = text(seat, "CAP");
    s.town = text(seat, "Comune");
    s.province = text(seat, "Provincia");
    s.nation = text(seat, "Nazione");
    s.phone = text(seller, "Contatti/Telefono");
    s.fax = text(seller, "Contatti/Fax");
    s.email = text(seller, "Contatti/Email");
    const xmlNode* buyer = child(child(h, "CessionarioCommittente"), "DatiAnagrafici");
    r.buyerTaxCode = text(buyer, "CodiceFiscale");
    r.buyerVatNumber = text(buyer, "IdFiscaleIVA/IdCodice");
}

} // namespace

QString ReceivedSeller::displayName() const {
    if (!name.isEmpty())
        return name;
    return (lastName + u' ' + firstName).trimmed();
}

ReceivedInvoice ReceivedInvoice::parse(const QByteArray& xml) {
    ReceivedInvoice r;
    xmlDocPtr doc = xmlReadMemory(xml.constData(), int(xml.size()), nullptr, nullptr,
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!doc) {
        const xmlError* e = xmlGetLastError();
        r.error = QStringLiteral("Il file non è un XML valido o è incompleto");
        if (e && e->message)
            r.error += QStringLiteral(" (riga %1: %2)")
                           .arg(e->line)
                           .arg(QString::fromUtf8(e->message).trimmed());
        return r;
    }
    const xmlNode* root = xmlDocGetRootElement(doc);
    const QString rootName = root ? nameOf(root) : QString();
    if (rootName.compare(QLatin1String("FatturaElettronicaSemplificata"), Qt::CaseInsensitive) ==
        0) {
        r.error = QStringLiteral("Le fatture semplificate non sono gestite dall'importazione");
    } else if (rootName.compare(QLatin1String("FatturaElettronica"), Qt::CaseInsensitive) != 0) {
        r.error = QStringLiteral("Il file non è una fattura elettronica (elemento radice: %1)")
                      .arg(rootName.isEmpty() ? QStringLiteral("nessuno") : rootName);
    } else {
        for (const xmlNode* c = root->children; c; c = c->next) {
            if (c->type != XML_ELEMENT_NODE)
                continue;
            const QString n = nameOf(c).toUpper();
            if (n == QLatin1String("FATTURAELETTRONICAHEADER"))
                readHeader(c, r);
            else if (n == QLatin1String("FATTURAELETTRONICABODY"))
                r.bodies.append(bodyOf(c));
        }
        if (r.format == QLatin1String("FSM10"))
            r.error = QStringLiteral("Le fatture semplificate (FSM10) non sono gestite "
                                     "dall'importazione");
    }
    xmlFreeDoc(doc);
    return r;
}

} // namespace purchases
