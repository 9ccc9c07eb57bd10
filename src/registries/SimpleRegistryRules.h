#pragma once

#include "common/Interaction.h"

#include <QVariantMap>
#include <optional>

namespace db {
class Database;
}

// Rules of the small registries: VAT codes, banks, municipalities,
// provinces, departments, categories, transport data, invoicing series.

namespace registries {

// "Attenzione manca <what>" (title "Messaggio di Errore") when the column is
// empty or blank.
std::optional<common::Failure> requireText(const QVariantMap& values, const QString& field,
                                           const QString& what);

// Invoicing series: the code (Serie) is required.
std::optional<common::Failure> validateInvoicingSeries(const QVariantMap& values);

// VAT code: description, then the rate; an exempt rate (0%) needs its nature.
std::optional<common::Failure> validateVatCode(const QVariantMap& values);

// Rows of a registry (Clienti, Defunti) keep a copy of their category's
// colour: after a category is saved its colour reaches them.
void copyCategoryColour(db::Database& db, const QString& table, qint64 categoryId,
                        const QVariant& colour);

// Before a customer category is deleted: its customers lose the copy of its
// colour (they keep Categoria_ID, as the old archives did).
void clearCustomerCategoryColour(db::Database& db, qint64 categoryId);
// The whole deletion, in one transaction.
void deleteCustomerCategory(db::Database& db, qint64 categoryId);

// IBAN as stored: upper case, no spaces.
QVariant normalisedIban(const QVariant& iban);

} // namespace registries
