#include "einvoice/HeaderWriter.h"

#include "einvoice/FileNameRule.h"
#include "einvoice/ValueFormat.h"
#include "registries/TaxCodes.h"

#include <cmath>

namespace einvoice {

namespace {

QString t(const db::Row& row, const char* column) {
    return row.text(QLatin1String(column));
}

void writeIdFiscale(XmlOut& out, const QString& country, const QString& code,
                    const QString& element = QStringLiteral("IdFiscaleIVA")) {
    out.start(element);
    out.element(QStringLiteral("IdPaese"), country);
    out.element(QStringLiteral("IdCodice"), vatIdCode(country, code));
    out.end();
}

bool italian(const QString& country) {
    return country.isEmpty() || country.compare(u"IT", Qt::CaseInsensitive) == 0;
}

// The identifier the exchange system accepts for a foreign customer without
// any tax number: seven zeros within the European Union, eleven nines
// outside it.
QString foreignPlaceholder(const QString& country) {
    static const QStringList union_ = {
        QStringLiteral("AT"), QStringLiteral("BE"), QStringLiteral("BG"), QStringLiteral("CY"),
        QStringLiteral("CZ"), QStringLiteral("DE"), QStringLiteral("DK"), QStringLiteral("EE"),
        QStringLiteral("EL"), QStringLiteral("GR"), QStringLiteral("ES"), QStringLiteral("FI"),
        QStringLiteral("FR"), QStringLiteral("HR"), QStringLiteral("HU"), QStringLiteral("IE"),
        QStringLiteral("LT"), QStringLiteral("LU"), QStringLiteral("LV"), QStringLiteral("MT"),
        QStringLiteral("NL"), QStringLiteral("PL"), QStringLiteral("PT"), QStringLiteral("RO"),
        QStringLiteral("SE"), QStringLiteral("SI"), QStringLiteral("SK")};
    return union_.contains(country.toUpper()) ? QStringLiteral("0000000")
                                              : QStringLiteral("99999999999");
}

// Address blocks (Sede, StabileOrganizzazione). The postcode element takes
// Italian postcodes only: a foreign address carries "00000" and its own
// postcode goes into the street text.
void writeAddress(XmlOut& out, const QString& element, const QString& street, const QString& number,
                  const QString& postcode, const QString& town, const QString& province,
                  const QString& country) {
    const bool foreign = !country.isEmpty() && country.toUpper() != u"IT";
    const QString code = postcode.trimmed();
    out.start(element);
    out.element(QStringLiteral("Indirizzo"), foreign && !code.isEmpty() && code != u"00000"
                                                 ? street.trimmed() + QStringLiteral(", ") + code
                                                 : street);
    out.optional(QStringLiteral("NumeroCivico"), number);
    out.element(QStringLiteral("CAP"), foreign ? QStringLiteral("00000") : postcode);
    out.element(QStringLiteral("Comune"), town);
    out.optional(QStringLiteral("Provincia"), province);
    out.element(QStringLiteral("Nazione"), country);
    out.end();
}

void writeStableOrganisation(XmlOut& out, const db::Row& r) {
    writeAddress(out, QStringLiteral("StabileOrganizzazione"),
                 t(r, "StabileOrganizzazione_Indirizzo"),
                 t(r, "StabileOrganizzazione_NumeroCivico"), t(r, "StabileOrganizzazione_CAP"),
                 t(r, "StabileOrganizzazione_Comune"), t(r, "StabileOrganizzazione_Provincia"),
                 t(r, "StabileOrganizzazione_Nazione"));
}

void writeTransmission(XmlOut& out, const ExportSource& s) {
    const db::Row& c = s.company;
    const db::Row& h = s.header;
    out.start(QStringLiteral("DatiTrasmissione"));
    writeIdFiscale(out, t(c, "IdPaese"), FileNameRule::transmitterCode(c),
                   QStringLiteral("IdTrasmittente"));
    out.element(QStringLiteral("ProgressivoInvio"), s.progressive);
    out.element(QStringLiteral("FormatoTrasmissione"),
                t(h, "DatiTrasmissione_FormatoTrasmissione"));
    const QString code = HeaderWriter::recipientCode(s);
    out.element(QStringLiteral("CodiceDestinatario"), code);
    if (!t(c, "Tel").isEmpty() || !t(c, "Email").isEmpty()) {
        out.start(QStringLiteral("ContattiTrasmittente"));
        out.optional(QStringLiteral("Telefono"), t(c, "Tel"));
        out.optional(QStringLiteral("Email"), t(c, "Email"));
        out.end();
    }
    const QString pec = s.customer ? t(*s.customer, "Pec") : QString();
    if (code == u"0000000" && !pec.isEmpty())
        out.element(QStringLiteral("PECDestinatario"), pec);
    out.end();
}

void writeSeller(XmlOut& out, const db::Row& c) {
    out.start(QStringLiteral("CedentePrestatore"));
    out.start(QStringLiteral("DatiAnagrafici"));
    writeIdFiscale(out, t(c, "IdPaese"), t(c, "PIva"));
    out.optional(QStringLiteral("CodiceFiscale"), t(c, "CodFisc").toUpper());
    writeAnagrafica(out, t(c, "RagSoc"), t(c, "Nome"), t(c, "Cognome"), t(c, "Titolo"),
                    t(c, "CodOERI"));
    out.optional(QStringLiteral("AlboProfessionale"), t(c, "AlboProfessionale"));
    out.optional(QStringLiteral("ProvinciaAlbo"), t(c, "ProvinciaAlbo"));
    out.optional(QStringLiteral("NumeroIscrizioneAlbo"), t(c, "NumeroIscrizioneAlbo"));
    if (!c.isNull(QStringLiteral("DataIscrizioneAlbo")))
        out.element(QStringLiteral("DataIscrizioneAlbo"),
                    xmlDate(c.date(QStringLiteral("DataIscrizioneAlbo"))));
    out.element(QStringLiteral("RegimeFiscale"), t(c, "RegimeFiscale"));
    out.end();

    writeAddress(out, QStringLiteral("Sede"), t(c, "Via"), t(c, "Numero"), t(c, "Cap"),
                 t(c, "Comune"), t(c, "Provincia"), t(c, "IdPaese"));
    if (c.boolean(QStringLiteral("StabileOrganizzazione")))
        writeStableOrganisation(out, c);
    if (c.boolean(QStringLiteral("Iscrizione_REA"))) {
        out.start(QStringLiteral("IscrizioneREA"));
        out.element(QStringLiteral("Ufficio"), t(c, "Iscrizione_REA_Ufficio"));
        out.element(QStringLiteral("NumeroREA"), t(c, "Iscrizione_REA_NumeroREA"));
        const double capital = c.number(QStringLiteral("Iscrizione_REA_CapitaleSociale"));
        if (std::nearbyint(capital) > 0)
            out.element(QStringLiteral("CapitaleSociale"), xmlAmount2(capital));
        out.optional(QStringLiteral("SocioUnico"), t(c, "Iscrizione_REA_SocioUnico"));
        out.element(QStringLiteral("StatoLiquidazione"), t(c, "Iscrizione_REA_StatoLiquidazione"));
        out.end();
    }
    if (c.boolean(QStringLiteral("Contatti"))) {
        out.start(QStringLiteral("Contatti"));
        out.optional(QStringLiteral("Telefono"), t(c, "Tel"));
        out.optional(QStringLiteral("Fax"), t(c, "Fax"));
        out.optional(QStringLiteral("Email"), t(c, "Email"));
        out.end();
    }
    out.optional(QStringLiteral("RiferimentoAmministrazione"), t(c, "RiferimentoAmministrazione"));
    out.end();
}

void writeSellerRepresentative(XmlOut& out, const db::Row& c) {
    if (!c.boolean(QStringLiteral("RappresentanteFiscale")))
        return;
    out.start(QStringLiteral("RappresentanteFiscale"));
    out.start(QStringLiteral("DatiAnagrafici"));
    writeIdFiscale(out, t(c, "RappresentanteFiscale_DatiAnagrafici_IdPaese"),
                   t(c, "RappresentanteFiscale_DatiAnagrafici_IdCodice"));
    out.optional(QStringLiteral("CodiceFiscale"),
                 t(c, "RappresentanteFiscale_DatiAnagrafici_CodiceFiscale").toUpper());
    writeAnagrafica(out, t(c, "RappresentanteFiscale_DatiAnagrafici_Denominazione"),
                    t(c, "RappresentanteFiscale_DatiAnagrafici_Nome"),
                    t(c, "RappresentanteFiscale_DatiAnagrafici_Cognome"),
                    t(c, "RappresentanteFiscale_DatiAnagrafici_Titolo"),
                    t(c, "RappresentanteFiscale_DatiAnagrafici_CodEORI"));
    out.end();
    out.end();
}

void writeCustomer(XmlOut& out, const db::Row& k) {
    out.start(QStringLiteral("CessionarioCommittente"));
    out.start(QStringLiteral("DatiAnagrafici"));
    const QString country = t(k, "IdPaese");
    if (!t(k, "Iva").isEmpty())
        writeIdFiscale(out, country, t(k, "Iva"));
    else if (!italian(country))
        writeIdFiscale(out, country,
                       t(k, "CodFiscale").isEmpty() ? foreignPlaceholder(country)
                                                    : t(k, "CodFiscale"));
    // The element holds Italian tax codes only: a foreign one went above.
    if (italian(country))
        out.optional(QStringLiteral("CodiceFiscale"), t(k, "CodFiscale").toUpper());
    writeAnagrafica(out, t(k, "Cliente"), t(k, "Nome"), t(k, "Cognome"), t(k, "Titolo"),
                    t(k, "CodEORI"), true);
    out.end();
    // The seat is where the address is, whatever country issued the VAT number.
    const QString seat = t(k, "Sede_Nazione").isEmpty() ? country : t(k, "Sede_Nazione");
    writeAddress(out, QStringLiteral("Sede"), t(k, "Via"), t(k, "Numero"), t(k, "Cap"),
                 t(k, "Citta"), t(k, "Provincia"), seat);
    if (k.boolean(QStringLiteral("StabileOrganizzazione")))
        writeStableOrganisation(out, k);
    if (k.boolean(QStringLiteral("RappresentanteFiscale"))) {
        out.start(QStringLiteral("RappresentanteFiscale"));
        writeIdFiscale(out, t(k, "RappresentanteFiscale_Nazione"),
                       t(k, "RappresentanteFiscale_IdCodice"));
        if (!t(k, "RappresentanteFiscale_Denominazione").isEmpty()) {
            out.element(QStringLiteral("Denominazione"),
                        t(k, "RappresentanteFiscale_Denominazione"));
        } else {
            out.optional(QStringLiteral("Nome"), t(k, "RappresentanteFiscale_Nome"));
            out.optional(QStringLiteral("Cognome"), t(k, "RappresentanteFiscale_Cognome"));
        }
        out.end();
    }
    out.end();
}

void writeIntermediary(XmlOut& out, const db::Row& c) {
    if (!c.boolean(QStringLiteral("TerzoIntermediarioOSoggettoEmittente")))
        return;
    out.start(QStringLiteral("TerzoIntermediarioOSoggettoEmittente"));
    out.start(QStringLiteral("DatiAnagrafici"));
    if (!t(c, "TerzoIntermediarioOSoggettoEmittente_IdCodice").isEmpty())
        writeIdFiscale(out, t(c, "TerzoIntermediarioOSoggettoEmittente_IdPaese"),
                       t(c, "TerzoIntermediarioOSoggettoEmittente_IdCodice"));
    out.optional(QStringLiteral("CodiceFiscale"),
                 t(c, "TerzoIntermediarioOSoggettoEmittente_CodiceFiscale").toUpper());
    writeAnagrafica(out, t(c, "TerzoIntermediarioOSoggettoEmittente_Denominazione"),
                    t(c, "TerzoIntermediarioOSoggettoEmittente_Nome"),
                    t(c, "TerzoIntermediarioOSoggettoEmittente_Cognome"),
                    t(c, "TerzoIntermediarioOSoggettoEmittente_Titolo"),
                    t(c, "TerzoIntermediarioOSoggettoEmittente_CodEORI"));
    out.end();
    out.end();
}

} // namespace

QString vatIdCode(const QString& country, const QString& code) {
    return registries::TaxCodes::withoutCountryPrefix(code, country);
}

void writeAnagrafica(XmlOut& out, const QString& denomination, const QString& firstName,
                     const QString& lastName, const QString& title, const QString& eori,
                     bool extrasWithName) {
    out.start(QStringLiteral("Anagrafica"));
    const bool firm = !denomination.isEmpty();
    if (firm) {
        out.element(QStringLiteral("Denominazione"), denomination);
    } else {
        out.optional(QStringLiteral("Nome"), firstName);
        out.optional(QStringLiteral("Cognome"), lastName);
    }
    if (!firm || extrasWithName) {
        out.optional(QStringLiteral("Titolo"), title);
        out.optional(QStringLiteral("CodEORI"), eori);
    }
    out.end();
}

QString HeaderWriter::recipientCode(const ExportSource& source) {
    if (!source.customer)
        return QStringLiteral("0000000");
    const db::Row& k = *source.customer;
    const QString code = t(k, "CodiceUnivocoUfficio").trimmed().toUpper();
    if (!code.isEmpty() || t(source.header, "DatiTrasmissione_FormatoTrasmissione") == u"FPA12")
        return code;
    return italian(t(k, "IdPaese")) ? QStringLiteral("0000000") : QStringLiteral("XXXXXXX");
}

void HeaderWriter::write(XmlOut& out, const ExportSource& source) {
    out.start(QStringLiteral("FatturaElettronicaHeader"));
    writeTransmission(out, source);
    writeSeller(out, source.company);
    writeSellerRepresentative(out, source.company);
    if (source.customer)
        writeCustomer(out, *source.customer);
    writeIntermediary(out, source.company);
    out.optional(QStringLiteral("SoggettoEmittente"), t(source.company, "SoggettoEmittente"));
    out.end();
}

} // namespace einvoice
