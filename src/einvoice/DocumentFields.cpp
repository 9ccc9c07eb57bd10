#include "einvoice/DocumentFields.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

namespace einvoice {

namespace {

const QHash<QString, QString>& labels() {
    static const QHash<QString, QString> map = {
        {QStringLiteral("IdPaese"), QStringLiteral("Nazione")},
        {QStringLiteral("IdCodice"), QStringLiteral("Partita IVA")},
        {QStringLiteral("CodiceFiscale"), QStringLiteral("Codice fiscale")},
        {QStringLiteral("Denominazione"), QStringLiteral("Ragione sociale")},
        {QStringLiteral("Nome"), QStringLiteral("Nome")},
        {QStringLiteral("Cognome"), QStringLiteral("Cognome")},
        {QStringLiteral("Titolo"), QStringLiteral("Titolo")},
        {QStringLiteral("CodEORI"), QStringLiteral("Codice EORI")},
        {QStringLiteral("Indirizzo"), QStringLiteral("Via")},
        {QStringLiteral("NumeroCivico"), QStringLiteral("Numero civico")},
        {QStringLiteral("CAP"), QStringLiteral("Cap")},
        {QStringLiteral("Comune"), QStringLiteral("Comune")},
        {QStringLiteral("Provincia"), QStringLiteral("Provincia")},
        {QStringLiteral("Nazione"), QStringLiteral("Nazione")},
        {QStringLiteral("Telefono"), QStringLiteral("Telefono")},
        {QStringLiteral("Fax"), QStringLiteral("Fax")},
        {QStringLiteral("Email"), QStringLiteral("Email")},
        {QStringLiteral("RegimeFiscale"), QStringLiteral("Regime fiscale")},
        {QStringLiteral("AlboProfessionale"), QStringLiteral("Albo professionale")},
        {QStringLiteral("ProvinciaAlbo"), QStringLiteral("Provincia dell'albo")},
        {QStringLiteral("NumeroIscrizioneAlbo"), QStringLiteral("Numero di iscrizione all'albo")},
        {QStringLiteral("DataIscrizioneAlbo"), QStringLiteral("Data di iscrizione all'albo")},
        {QStringLiteral("Ufficio"), QStringLiteral("Ufficio REA")},
        {QStringLiteral("NumeroREA"), QStringLiteral("Numero REA")},
        {QStringLiteral("CapitaleSociale"), QStringLiteral("Capitale sociale")},
        {QStringLiteral("SocioUnico"), QStringLiteral("Socio unico")},
        {QStringLiteral("StatoLiquidazione"), QStringLiteral("Stato di liquidazione")},
        {QStringLiteral("RiferimentoAmministrazione"),
         QStringLiteral("Riferimento amministrazione")},
        {QStringLiteral("SoggettoEmittente"), QStringLiteral("Soggetto emittente")},
        {QStringLiteral("ProgressivoInvio"), QStringLiteral("Progressivo di trasmissione")},
        {QStringLiteral("FormatoTrasmissione"), QStringLiteral("Formato di trasmissione")},
        {QStringLiteral("CodiceDestinatario"), QStringLiteral("Codice destinatario")},
        {QStringLiteral("PECDestinatario"), QStringLiteral("Pec")},
        {QStringLiteral("TipoDocumento"), QStringLiteral("Tipo documento")},
        {QStringLiteral("Divisa"), QStringLiteral("Divisa")},
        {QStringLiteral("Data"), QStringLiteral("Data")},
        {QStringLiteral("Numero"), QStringLiteral("Numero")},
        {QStringLiteral("ImportoBollo"), QStringLiteral("Importo del bollo")},
        {QStringLiteral("ImportoTotaleDocumento"), QStringLiteral("Totale")},
        {QStringLiteral("Causale"), QStringLiteral("Causale")},
        {QStringLiteral("IdDocumento"), QStringLiteral("Numero")},
        {QStringLiteral("CodiceCommessaConvenzione"), QStringLiteral("Codice commessa")},
        {QStringLiteral("CodiceCUP"), QStringLiteral("Codice CUP")},
        {QStringLiteral("CodiceCIG"), QStringLiteral("Codice CIG")},
        {QStringLiteral("NumeroLicenzaGuida"), QStringLiteral("Numero della patente")},
        {QStringLiteral("NumeroColli"), QStringLiteral("Colli")},
        {QStringLiteral("Descrizione"), QStringLiteral("Descrizione")},
        {QStringLiteral("DataInizioTrasporto"), QStringLiteral("Data del trasporto")},
        {QStringLiteral("TipoResa"), QStringLiteral("Porto")},
        {QStringLiteral("NumeroLinea"), QStringLiteral("Numero")},
        {QStringLiteral("CodiceValore"), QStringLiteral("Codice articolo")},
        {QStringLiteral("Quantita"), QStringLiteral("Quantità")},
        {QStringLiteral("DataInizioPeriodo"), QStringLiteral("Data di inizio periodo")},
        {QStringLiteral("DataFinePeriodo"), QStringLiteral("Data di fine periodo")},
        {QStringLiteral("PrezzoUnitario"), QStringLiteral("Prezzo unitario")},
        {QStringLiteral("Percentuale"), QStringLiteral("Sconto")},
        {QStringLiteral("Importo"), QStringLiteral("Importo dello sconto")},
        {QStringLiteral("PrezzoTotale"), QStringLiteral("Totale imponibile")},
        {QStringLiteral("AliquotaIVA"), QStringLiteral("Aliquota IVA")},
        {QStringLiteral("Natura"), QStringLiteral("Natura del codice IVA")},
        {QStringLiteral("ImponibileImporto"), QStringLiteral("Imponibile")},
        {QStringLiteral("Imposta"), QStringLiteral("Imposta")},
        {QStringLiteral("EsigibilitaIVA"), QStringLiteral("Esigibilità IVA")},
        {QStringLiteral("CondizioniPagamento"), QStringLiteral("Condizioni di pagamento")},
        {QStringLiteral("Beneficiario"), QStringLiteral("Beneficiario della banca")},
        {QStringLiteral("ModalitaPagamento"), QStringLiteral("Modalità di pagamento")},
        {QStringLiteral("DataScadenzaPagamento"), QStringLiteral("Data di scadenza")},
        {QStringLiteral("ImportoPagamento"), QStringLiteral("Importo")},
        {QStringLiteral("IstitutoFinanziario"), QStringLiteral("Banca")},
        {QStringLiteral("IBAN"), QStringLiteral("IBAN")},
        {QStringLiteral("NomeAttachment"), QStringLiteral("Nome")},
        {QStringLiteral("AlgoritmoCompressione"), QStringLiteral("Compressione")},
        {QStringLiteral("FormatoAttachment"), QStringLiteral("Formato")},
        {QStringLiteral("DescrizioneAttachment"), QStringLiteral("Descrizione")},
        {QStringLiteral("Attachment"), QStringLiteral("Contenuto")},
    };
    return map;
}

// Whose the element is, from the blocks it sits in: the innermost known
// block wins ("della stabile organizzazione del cliente" before "del
// cliente").
QString owner(const QStringList& parts) {
    auto has = [&](const char* block) {
        for (const QString& p : parts)
            if (p.section(u'[', 0, 0) == QLatin1String(block))
                return true;
        return false;
    };
    auto numbered = [&](const char* block, const QString& what) -> QString {
        for (const QString& p : parts)
            if (p.section(u'[', 0, 0) == QLatin1String(block)) {
                const QString n = p.section(u'[', 1).chopped(1);
                return n.isEmpty() ? what : what + u' ' + n;
            }
        return {};
    };
    const bool customer = has("CessionarioCommittente");
    if (has("StabileOrganizzazione"))
        return customer ? QStringLiteral("della stabile organizzazione del cliente")
                        : QStringLiteral("della stabile organizzazione della ditta");
    if (has("RappresentanteFiscale"))
        return customer ? QStringLiteral("del rappresentante fiscale del cliente")
                        : QStringLiteral("del rappresentante fiscale della ditta");
    if (customer)
        return QStringLiteral("del cliente");
    if (has("TerzoIntermediarioOSoggettoEmittente"))
        return QStringLiteral("dell'intermediario");
    if (has("IscrizioneREA"))
        return QStringLiteral("dell'iscrizione REA della ditta");
    if (has("CedentePrestatore") || has("IdTrasmittente") || has("ContattiTrasmittente"))
        return QStringLiteral("della ditta");
    if (has("DatiTrasmissione"))
        return parts.last() == u"ProgressivoInvio" || parts.last() == u"FormatoTrasmissione"
                   ? QStringLiteral("del documento")
                   : QStringLiteral("del cliente");
    if (has("DettaglioLinee"))
        return QStringLiteral("della ") + numbered("DettaglioLinee", QStringLiteral("riga"));
    if (has("DatiRiepilogo"))
        return QStringLiteral("del ") + numbered("DatiRiepilogo", QStringLiteral("riepilogo IVA"));
    if (has("DettaglioPagamento"))
        return QStringLiteral("della ") + numbered("DettaglioPagamento", QStringLiteral("rata"));
    if (has("DatiPagamento"))
        return QStringLiteral("del documento");
    if (has("Allegati"))
        return QStringLiteral("dell'") + numbered("Allegati", QStringLiteral("allegato"));
    if (has("DatiOrdineAcquisto"))
        return QStringLiteral("dell'") + numbered("DatiOrdineAcquisto", QStringLiteral("ordine"));
    if (has("DatiFattureCollegate"))
        return QStringLiteral("della fattura di riferimento");
    if (has("DatiAnagraficiVettore"))
        return QStringLiteral("del vettore");
    if (has("DatiTrasporto"))
        return QStringLiteral("del trasporto");
    return QStringLiteral("del documento");
}

} // namespace

QString DocumentFields::of(const QString& elementPath) {
    const QStringList parts = elementPath.split(u'/', Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return QStringLiteral("Documento");
    const QString name = parts.last().section(u'[', 0, 0);
    const QString label = labels().value(name, name);
    // A block as a whole ("DettaglioLinee[3]") is named by its owner.
    if (!labels().contains(name))
        return QStringLiteral("Dati ") + owner(parts);
    return label + u' ' + owner(parts);
}

} // namespace einvoice
