#include "purchases/ReceivedInvoice.h"

#include "einvoice/XmlTree.h"

namespace purchases {

namespace {

using einvoice::XmlTree;
using Node = XmlTree::Node;

Node child(Node parent, const char* name) {
    const std::vector<Node> found = XmlTree::nodes(parent, QLatin1String(name));
    return found.empty() ? nullptr : found.front();
}

// Children whose name matches without regard to case.
std::vector<Node> children(Node parent, const char* name) {
    return XmlTree::nodes(parent, QLatin1String(name), Qt::CaseInsensitive);
}

QString text(Node node, const char* path) {
    return XmlTree::text(node, QLatin1String(path));
}

double number(Node node, const char* path, double empty = 0) {
    const QString s = text(node, path);
    bool ok = false;
    const double v = s.toDouble(&ok);
    return ok ? v : empty;
}

QDate date(Node node, const char* path) {
    return QDate::fromString(text(node, path).left(10), QStringLiteral("yyyy-MM-dd"));
}

ReceivedLine lineOf(Node l) {
    ReceivedLine line;
    line.number = text(l, "NumeroLinea").toInt();
    line.description = text(l, "Descrizione");
    line.quantity = number(l, "Quantita", 1);
    line.unitPrice = number(l, "PrezzoUnitario");
    const double basePrice = line.unitPrice;
    int discount = 0;
    for (Node s : children(l, "ScontoMaggiorazione")) {
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

ReceivedBody bodyOf(Node b) {
    ReceivedBody body;
    Node general = child(child(b, "DatiGenerali"), "DatiGeneraliDocumento");
    body.type = text(general, "TipoDocumento").toUpper();
    body.number = text(general, "Numero");
    body.date = date(general, "Data");
    body.total = number(general, "ImportoTotaleDocumento");
    for (Node w : children(general, "DatiRitenuta"))
        body.withholding += number(w, "ImportoRitenuta");
    body.stamp = number(general, "DatiBollo/ImportoBollo");
    body.stampVirtual = text(general, "DatiBollo/BolloVirtuale").toUpper() == QLatin1String("SI");
    for (Node f : children(child(b, "DatiGenerali"), "DatiFattureCollegate"))
        body.links.append({text(f, "IdDocumento"), date(f, "Data")});
    for (Node l : children(child(b, "DatiBeniServizi"), "DettaglioLinee"))
        body.lines.append(lineOf(l));
    for (Node group : children(b, "DatiPagamento")) {
        const QString conditions = text(group, "CondizioniPagamento");
        for (Node p : children(group, "DettaglioPagamento"))
            body.payments.append({conditions, text(p, "ModalitaPagamento"),
                                  date(p, "DataScadenzaPagamento"), number(p, "ImportoPagamento"),
                                  text(p, "CodicePagamento")});
    }
    for (Node a : children(b, "Allegati")) {
        ReceivedAttachment att{text(a, "NomeAttachment"), text(a, "FormatoAttachment"),
                               text(a, "DescrizioneAttachment"),
                               QByteArray::fromBase64(text(a, "Attachment").toLatin1())};
        if (!att.name.isEmpty() && !att.data.isEmpty())
            body.attachments.append(att);
    }
    return body;
}

void readHeader(Node h, ReceivedInvoice& r) {
    Node t = child(h, "DatiTrasmissione");
    r.format = text(t, "FormatoTrasmissione").toUpper();
    r.recipientCode = text(t, "CodiceDestinatario");
    r.recipientPec = text(t, "PECDestinatario");
    Node seller = child(h, "CedentePrestatore");
    Node data = child(seller, "DatiAnagrafici");
    ReceivedSeller& s = r.seller;
    s.country = text(data, "IdFiscaleIVA/IdPaese");
    s.vatNumber = text(data, "IdFiscaleIVA/IdCodice");
    s.taxCode = text(data, "CodiceFiscale");
    s.name = text(data, "Anagrafica/Denominazione");
    s.firstName = text(data, "Anagrafica/Nome");
    s.lastName = text(data, "Anagrafica/Cognome");
    s.title = text(data, "Anagrafica/Titolo");
    s.eori = text(data, "Anagrafica/CodEORI");
    Node seat = child(seller, "Sede");
    s.street = text(seat, "Indirizzo");
    s.civic = text(seat, "NumeroCivico");
    s.postcode = text(seat, "CAP");
    s.town = text(seat, "Comune");
    s.province = text(seat, "Provincia");
    s.nation = text(seat, "Nazione");
    s.phone = text(seller, "Contatti/Telefono");
    s.fax = text(seller, "Contatti/Fax");
    s.email = text(seller, "Contatti/Email");
    Node buyer = child(child(h, "CessionarioCommittente"), "DatiAnagrafici");
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
    const XmlTree tree(xml);
    if (!tree.parsed()) {
        r.error =
            QStringLiteral("Il file non è un XML valido o è incompleto (%1)").arg(tree.error());
        return r;
    }
    const Node root = tree.root();
    const QString rootName = XmlTree::name(root);
    if (rootName.compare(QLatin1String("FatturaElettronicaSemplificata"), Qt::CaseInsensitive) ==
        0) {
        r.error = QStringLiteral("Le fatture semplificate non sono gestite dall'importazione");
    } else if (rootName.compare(QLatin1String("FatturaElettronica"), Qt::CaseInsensitive) != 0) {
        r.error = QStringLiteral("Il file non è una fattura elettronica (elemento radice: %1)")
                      .arg(rootName.isEmpty() ? QStringLiteral("nessuno") : rootName);
    } else {
        for (Node c :
             XmlTree::nodes(root, QStringLiteral("FatturaElettronicaHeader"), Qt::CaseInsensitive))
            readHeader(c, r);
        for (Node c :
             XmlTree::nodes(root, QStringLiteral("FatturaElettronicaBody"), Qt::CaseInsensitive))
            r.bodies.append(bodyOf(c));
        if (r.format == QLatin1String("FSM10"))
            r.error = QStringLiteral("Le fatture semplificate (FSM10) non sono gestite "
                                     "dall'importazione");
    }
    return r;
}

} // namespace purchases
