#include "einvoice/CustomerChecks.h"

#include "common/Titles.h"
#include "registries/TaxCodes.h"

namespace einvoice {

std::optional<common::Failure> CustomerChecks::check(const ExportSource& source) {
    const QString title = common::titles::error;
    if (!source.customer)
        // A document without an existing customer cannot say where it goes.
        return common::Failure{title,
                               QStringLiteral("Attenzione ! Il Cliente della fattura non è più "
                                              "presente in anagrafica ! Prego sceglierne uno."),
                               QStringLiteral("Cliente_ID")};
    const db::Row& c = *source.customer;
    const QString country = c.text(QStringLiteral("IdPaese"));
    const bool foreign = !country.isEmpty() && country.compare(u"IT", Qt::CaseInsensitive) != 0;
    // An Italian customer is known to the exchange system by one of the two.
    if (!foreign && c.text(QStringLiteral("Iva")).trimmed().isEmpty() &&
        c.text(QStringLiteral("CodFiscale")).trimmed().isEmpty())
        return common::Failure{
            title,
            QStringLiteral("Attenzione ! Il Cliente della fattura non ha né la partita IVA né il "
                           "codice fiscale: il Sistema di Interscambio scarterebbe la fattura "
                           "(codice SdI 00417). Prego impostare il codice fiscale nella scheda "
                           "anagrafica, o la nazione se il cliente è estero !"),
            QStringLiteral("CodFiscale")};
    if (c.boolean(QStringLiteral("PubblicaAmministrazione"))) {
        if (c.text(QStringLiteral("CodiceUnivocoUfficio")).isEmpty())
            return common::Failure{
                title,
                QStringLiteral("Attenzione ! Nella scheda anagrafica del Cliente della fattura "
                               "non è impostato il Codice Univoco Ufficio, necessario per le "
                               "fatture elettroniche ! Prego impostarlo nella scheda anagrafica !"),
                QString()};
        return std::nullopt;
    }
    if (!foreign && c.text(QStringLiteral("CodiceUnivocoUfficio")).isEmpty() &&
        c.text(QStringLiteral("Pec")).isEmpty() && !c.text(QStringLiteral("Iva")).isEmpty())
        return common::Failure{
            title,
            QStringLiteral("Attenzione ! Nella scheda anagrafica del Cliente della fattura non è "
                           "impostato la pec o il codice sdi. Necessarii per le fatture "
                           "elettroniche verso i privati! Prego impostarlo nella scheda "
                           "anagrafica !"),
            QString()};
    return std::nullopt;
}

QStringList CustomerChecks::taxNumberProblems(const ExportSource& source) {
    QStringList out;
    if (!source.customer)
        return out;
    const db::Row& c = *source.customer;
    const QString country = c.text(QStringLiteral("IdPaese"));
    const QString vat = c.text(QStringLiteral("Iva"));
    if (const QString w = registries::TaxCodes::vatNumberWarning(vat, country); !w.isEmpty())
        out << QStringLiteral("Errore 00305 - partita IVA del cliente \"%1\": %2.").arg(vat, w);
    const bool italian = country.isEmpty() || country.compare(u"IT", Qt::CaseInsensitive) == 0;
    const QString code = c.text(QStringLiteral("CodFiscale"));
    if (const QString w = registries::TaxCodes::taxCodeWarning(code); italian && !w.isEmpty())
        out << QStringLiteral("Errore 00306 - codice fiscale del cliente \"%1\": %2.").arg(code, w);
    return out;
}

} // namespace einvoice
