#include "einvoice/ElementRules.h"

#include <QHash>

namespace einvoice {

namespace {

using Chars = ElementRule::Chars;
using Overflow = ElementRule::Overflow;

const char* const twoLetters = "[A-Z]{2}";
// EmailType of the schema: dot-separated atoms either side of "@".
const char* const emailAddress = "[!#-'*+/-9=?A-Z^-~-]+(\\.[!#-'*+/-9=?A-Z^-~-]+)*@[!#-'*+/"
                                 "-9=?A-Z^-~-]+(\\.[!#-'*+/-9=?A-Z^-~-]+)*";

ElementRule latin(int max, Overflow overflow = Overflow::Stop) {
    return {1, max, Chars::Latin1, overflow, nullptr};
}
ElementRule basic(int max, int min = 1) {
    return {min, max, Chars::BasicLatin, Overflow::Stop, nullptr};
}
ElementRule code(const char* pattern) {
    return {1, 0, Chars::Code, Overflow::Stop, pattern};
}

// Keyed by element, or by "parent/element" where one name has two types.
const QHash<QString, ElementRule>& table() {
    static const QHash<QString, ElementRule> rules = {
        // Parties.
        {QStringLiteral("IdPaese"), code(twoLetters)},
        {QStringLiteral("IdCodice"), basic(28)},
        {QStringLiteral("CodiceFiscale"), code("[A-Z0-9]{11,16}")},
        {QStringLiteral("Denominazione"), latin(80)},
        {QStringLiteral("Nome"), latin(60)},
        {QStringLiteral("Cognome"), latin(60)},
        {QStringLiteral("Titolo"), basic(10, 2)},
        {QStringLiteral("CodEORI"), basic(17, 13)},
        {QStringLiteral("AlboProfessionale"), latin(60)},
        {QStringLiteral("ProvinciaAlbo"), code(twoLetters)},
        {QStringLiteral("NumeroIscrizioneAlbo"), basic(60)},
        {QStringLiteral("Indirizzo"), latin(60)},
        {QStringLiteral("NumeroCivico"), basic(8)},
        {QStringLiteral("CAP"), code("[0-9]{5}")},
        {QStringLiteral("Comune"), latin(60)},
        {QStringLiteral("Provincia"), code(twoLetters)},
        {QStringLiteral("Nazione"), code(twoLetters)},
        {QStringLiteral("Ufficio"), code(twoLetters)},
        {QStringLiteral("NumeroREA"), basic(20)},
        {QStringLiteral("Telefono"), {5, 12, Chars::Phone, Overflow::Stop, nullptr}},
        {QStringLiteral("Fax"), {5, 12, Chars::Phone, Overflow::Stop, nullptr}},
        {QStringLiteral("Email"), {7, 256, Chars::Email, Overflow::Stop, ".+@.+[.]+.+"}},
        {QStringLiteral("RiferimentoAmministrazione"), basic(20)},
        // Transmission.
        {QStringLiteral("ProgressivoInvio"), basic(10)},
        {QStringLiteral("CodiceDestinatario"), code("[A-Z0-9]{6,7}")},
        {QStringLiteral("PECDestinatario"), {1, 256, Chars::Email, Overflow::Stop, emailAddress}},
        // Document.
        {QStringLiteral("DatiGeneraliDocumento/Numero"), basic(20)},
        {QStringLiteral("Causale"), latin(200, Overflow::Split)},
        {QStringLiteral("IdDocumento"), basic(20)},
        {QStringLiteral("CodiceCommessaConvenzione"), latin(100)},
        {QStringLiteral("CodiceCUP"), basic(15)},
        {QStringLiteral("CodiceCIG"), basic(15)},
        {QStringLiteral("NumeroLicenzaGuida"), basic(20)},
        {QStringLiteral("DatiTrasporto/Descrizione"), latin(100)},
        {QStringLiteral("TipoResa"), code("[A-Z]{3}")},
        {QStringLiteral("DettaglioLinee/Descrizione"), latin(1000, Overflow::Cut)},
        {QStringLiteral("CodiceValore"), latin(35)},
        // Payment and attachments.
        {QStringLiteral("Beneficiario"), latin(200)},
        {QStringLiteral("IstitutoFinanziario"), latin(80)},
        {QStringLiteral("IBAN"), code("[A-Z]{2}[0-9]{2}[A-Z0-9]{11,30}")},
        {QStringLiteral("NomeAttachment"), latin(60, Overflow::KeepExtension)},
        {QStringLiteral("AlgoritmoCompressione"), basic(10)},
        {QStringLiteral("FormatoAttachment"), basic(10)},
        {QStringLiteral("DescrizioneAttachment"), latin(100, Overflow::Cut)},
    };
    return rules;
}

} // namespace

const ElementRule* ElementRules::find(const QString& element, const QString& parent) {
    const auto& rules = table();
    auto it = rules.constFind(parent + u'/' + element);
    if (it == rules.constEnd())
        it = rules.constFind(element);
    return it == rules.constEnd() ? nullptr : &*it;
}

} // namespace einvoice
