#include "ReceivedFiles.h"

#include <QDir>
#include <QFile>
#include <openssl/bio.h>
#include <openssl/cms.h>

namespace bench {

namespace {

QByteArray invoice(int n) {
    const int supplier = n % 40;
    const int rows = 5 + (n * 7) % 46;
    QString x = QStringLiteral(
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><p:FatturaElettronica "
                    "versione=\"FPR12\" "
                    "xmlns:p=\"http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2\">"
                    "<FatturaElettronicaHeader><DatiTrasmissione><FormatoTrasmissione>FPR12"
                    "</FormatoTrasmissione><CodiceDestinatario>0000000</CodiceDestinatario>"
                    "</DatiTrasmissione><CedentePrestatore><DatiAnagrafici><IdFiscaleIVA><IdPaese>"
                    "IT</IdPaese><IdCodice>%1</IdCodice></IdFiscaleIVA><Anagrafica><Denominazione>"
                    "Fornitore %2 S.r.l.</Denominazione></Anagrafica></DatiAnagrafici><Sede>"
                    "<Indirizzo>Via Roma</Indirizzo><CAP>00100</CAP><Comune>Roma</Comune>"
                    "<Provincia>RM</Provincia><Nazione>IT</Nazione></Sede></CedentePrestatore>"
                    "</FatturaElettronicaHeader><FatturaElettronicaBody><DatiGenerali>"
                    "<DatiGeneraliDocumento><TipoDocumento>TD01</TipoDocumento><Divisa>EUR</Divisa>"
                    "<Data>2025-%3-10</Data><Numero>B%4</Numero></DatiGeneraliDocumento>"
                    "</DatiGenerali><DatiBeniServizi>")
                    .arg(10000000000LL + supplier)
                    .arg(supplier)
                    .arg(1 + n % 12, 2, 10, QLatin1Char('0'))
                    .arg(n);
    for (int r = 1; r <= rows; ++r)
        x += QStringLiteral("<DettaglioLinee><NumeroLinea>%1</NumeroLinea><Descrizione>Articolo "
                            "n° %1 è pronto</Descrizione><Quantita>2.00</Quantita>"
                            "<PrezzoUnitario>12.50</PrezzoUnitario><PrezzoTotale>25.00"
                            "</PrezzoTotale><AliquotaIVA>22.00</AliquotaIVA></DettaglioLinee>")
                 .arg(r);
    x += QStringLiteral("</DatiBeniServizi><DatiPagamento><CondizioniPagamento>TP02"
                        "</CondizioniPagamento><DettaglioPagamento><ModalitaPagamento>MP05"
                        "</ModalitaPagamento><DataScadenzaPagamento>2025-12-31"
                        "</DataScadenzaPagamento><ImportoPagamento>%1</ImportoPagamento>"
                        "</DettaglioPagamento></DatiPagamento></FatturaElettronicaBody>"
                        "</p:FatturaElettronica>")
             .arg(rows * 30.5, 0, 'f', 2);
    return x.toUtf8();
}

QByteArray envelope(const QByteArray& content) {
    BIO* in = BIO_new_mem_buf(content.constData(), int(content.size()));
    CMS_ContentInfo* cms = CMS_data_create(in, CMS_BINARY);
    BIO* out = BIO_new(BIO_s_mem());
    i2d_CMS_bio(out, cms);
    char* data = nullptr;
    const long size = BIO_get_mem_data(out, &data);
    QByteArray der(data, int(size));
    BIO_free(out);
    BIO_free(in);
    CMS_ContentInfo_free(cms);
    return der;
}

} // namespace

QString writeReceivedFiles(const QString& folder, int count) {
    QDir().mkpath(folder);
    for (int n = 0; n < count; ++n) {
        const bool signedFile = n % 3 == 0;
        QFile f(QDir(folder).filePath(QStringLiteral("IT%1_%2.xml%3")
                                          .arg(10000000000LL + n % 40)
                                          .arg(n, 5, 10, QLatin1Char('0'))
                                          .arg(signedFile ? QStringLiteral(".p7m") : QString())));
        if (f.open(QIODevice::WriteOnly))
            f.write(signedFile ? envelope(invoice(n)) : invoice(n));
    }
    return folder;
}

} // namespace bench
