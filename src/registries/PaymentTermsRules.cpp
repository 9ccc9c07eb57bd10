#include "registries/PaymentTermsRules.h"

#include "common/Titles.h"

namespace registries {

namespace {

bool empty(const QVariantMap& values, const QString& field) {
    const QVariant v = values.value(field);
    return v.isNull() || !v.isValid() || v.toString().trimmed().isEmpty();
}

} // namespace

QVariant clampInstalments(const QVariant& numeroScadenze) {
    if (numeroScadenze.isNull() || !numeroScadenze.isValid())
        return numeroScadenze;
    return numeroScadenze.toLongLong() > 12 ? QVariant(qint64(12)) : numeroScadenze;
}

std::optional<common::Failure> validatePaymentTerms(const QVariantMap& values) {
    if (empty(values, QStringLiteral("PA_ModalitaPagamento_Codice")))
        return common::Failure{common::titles::error,
                               QStringLiteral("Attenzione manca la Tipologia"),
                               QStringLiteral("PA_ModalitaPagamento_Codice")};
    if (empty(values, QStringLiteral("Descrizione")))
        return common::Failure{common::titles::errorCapitalised,
                               QStringLiteral("Attenzione manca la Descrizione"),
                               QStringLiteral("Descrizione")};
    const qint64 count = values.value(QStringLiteral("NumeroScadenze")).toLongLong();
    if (count == 1 && empty(values, QStringLiteral("GG1Scadenza")))
        return common::Failure{
            common::titles::errorCapitalised,
            QStringLiteral("Attenzione manca il numero dei Giorni di scadenza Pagamento"),
            QStringLiteral("GG1Scadenza")};
    if (count >= 2 && count <= 12)
        for (int i = 1; i <= count; ++i) {
            const QString field = QStringLiteral("GG%1Scadenza").arg(i);
            if (empty(values, field))
                return common::Failure{
                    common::titles::errorCapitalised,
                    QStringLiteral("Attenzione manca un numero dei Giorni di scadenza Pagamento"),
                    field};
        }
    return std::nullopt;
}

} // namespace registries
