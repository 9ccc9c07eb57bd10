#pragma once

#include "common/Interaction.h"

#include <QVariant>
#include <QVariantMap>
#include <optional>

// Rules of the payment-terms card (table ModPagamento).

namespace registries {

// At most 12 instalments: a larger number typed becomes 12.
QVariant clampInstalments(const QVariant& numeroScadenze);

// The card's checks in order, keyed by column name: Tipologia
// (PA_ModalitaPagamento_Codice), Descrizione, then the days of each of the
// first NumeroScadenze instalments (GG1Scadenza ...).
std::optional<common::Failure> validatePaymentTerms(const QVariantMap& values);

} // namespace registries
