#include "ReceivedXml.h"

namespace receivedXml {

namespace {

QString esc(const QString& s) {
    return s.toHtmlEscaped();
}

} // namespace

QString text(const File& f) {
    QString x = QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>\n").arg(f.encoding);
    x += QStringLiteral("<p:FatturaElettronica versione=\"FPR12\" "
                        "xmlns:p=\"http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2\">"
                        "<FatturaElettronicaHeader><DatiTrasmissione><FormatoTrasmissione>FPR12"
                        "</FormatoTrasmissione><CodiceDestinatario>0000000</CodiceDestinatario>"
                        "</DatiTrasmissione><CedentePrestatore><DatiAnagrafici><IdFiscaleIVA>"
                        "<IdPaese>IT</IdPaese><IdCodice>");
    x += esc(f.vat) + QStringLiteral("</IdCodice></IdFiscaleIVA><Anagrafica>");
    if (!f.name.isEmpty())
        x += QStringLiteral("<Denominazione>") + esc(f.name) + QStringLiteral("</Denominazione>");
    else
        x += QStringLiteral("<Nome>") + esc(f.firstName) + QStringLiteral("</Nome><Cognome>") +
             esc(f.lastName) + QStringLiteral("</Cognome>");
    x += QStringLiteral("</Anagrafica></DatiAnagrafici><Sede><Indirizzo>Via Roma</Indirizzo>"
                        "<CAP>00100</CAP><Comune>Roma</Comune><Provincia>RM</Provincia><Nazione>IT"
                        "</Nazione></Sede></CedentePrestatore><CessionarioCommittente>"
                        "<DatiAnagrafici><CodiceFiscale>RSSMRA80A01H501U</CodiceFiscale>"
                        "</DatiAnagrafici></CessionarioCommittente></FatturaElettronicaHeader>");
    for (const Body& b : f.bodies) {
        x += QStringLiteral("<FatturaElettronicaBody><DatiGenerali><DatiGeneraliDocumento>"
                            "<TipoDocumento>%1</TipoDocumento><Divisa>EUR</Divisa><Data>%2</Data>"
                            "<Numero>%3</Numero></DatiGeneraliDocumento>")
                 .arg(b.type, b.date, esc(b.number));
        if (!b.linkedNumber.isEmpty())
            x += QStringLiteral("<DatiFattureCollegate><IdDocumento>%1</IdDocumento><Data>%2</Data>"
                                "</DatiFattureCollegate>")
                     .arg(esc(b.linkedNumber), b.linkedDate);
        x += QStringLiteral("</DatiGenerali><DatiBeniServizi>");
        int n = 0;
        for (const Line& l : b.lines) {
            x += QStringLiteral("<DettaglioLinee><NumeroLinea>%1</NumeroLinea><Descrizione>%2"
                                "</Descrizione><Quantita>%3</Quantita><PrezzoUnitario>%4"
                                "</PrezzoUnitario>")
                     .arg(++n)
                     .arg(esc(l.description), l.quantity, l.price);
            for (const QString& d : l.discounts)
                x += QStringLiteral("<ScontoMaggiorazione><Tipo>SC</Tipo><Percentuale>%1"
                                    "</Percentuale></ScontoMaggiorazione>")
                         .arg(d);
            x += QStringLiteral("<PrezzoTotale>%1</PrezzoTotale><AliquotaIVA>%2</AliquotaIVA>"
                                "</DettaglioLinee>")
                     .arg(l.total, l.rate);
        }
        x += QStringLiteral("</DatiBeniServizi>");
        if (!b.payments.isEmpty()) {
            x += QStringLiteral("<DatiPagamento><CondizioniPagamento>TP02</CondizioniPagamento>");
            for (const QString& p : b.payments)
                x += QStringLiteral("<DettaglioPagamento><ModalitaPagamento>MP05"
                                    "</ModalitaPagamento><DataScadenzaPagamento>2025-04-30"
                                    "</DataScadenzaPagamento><ImportoPagamento>%1"
                                    "</ImportoPagamento></DettaglioPagamento>")
                         .arg(p);
            x += QStringLiteral("</DatiPagamento>");
        }
        x += QStringLiteral("</FatturaElettronicaBody>");
    }
    x += QStringLiteral("</p:FatturaElettronica>\n");
    return x;
}

QByteArray utf8(const File& f) {
    return text(f).toUtf8();
}

} // namespace receivedXml
