#include "registries/SimpleRegistryRules.h"

#include "common/Titles.h"
#include "db/Database.h"

namespace registries {

std::optional<common::Failure> requireText(const QVariantMap& values, const QString& field,
                                           const QString& what) {
    const QVariant v = values.value(field);
    if (v.isNull() || !v.isValid() || v.toString().trimmed().isEmpty())
        return common::Failure{common::titles::errorCapitalised,
                               QStringLiteral("Attenzione manca ") + what, field};
    return std::nullopt;
}

std::optional<common::Failure> validateInvoicingSeries(const QVariantMap& values) {
    return requireText(values, QStringLiteral("Serie"), QStringLiteral("la Serie"));
}

std::optional<common::Failure> validateVatCode(const QVariantMap& values) {
    if (auto f =
            requireText(values, QStringLiteral("Descrizione"), QStringLiteral("la Descrizione")))
        return f;
    const QVariant rate = values.value(QStringLiteral("Iva"));
    if (rate.isNull() || !rate.isValid())
        return common::Failure{common::titles::errorCapitalised,
                               QStringLiteral("Attenzione manca l'Aliquota Iva"),
                               QStringLiteral("Iva")};
    if (rate.toDouble() == 0.0)
        return requireText(values, QStringLiteral("Pa_Natura_Codice"), QStringLiteral("la Natura"));
    return std::nullopt;
}

void copyCategoryColour(db::Database& db, const QString& table, qint64 categoryId,
                        const QVariant& colour) {
    db::Transaction tx(db);
    db.exec(QStringLiteral("UPDATE %1 SET ColoreCategoria = ? WHERE Categoria_ID = ?").arg(table),
            {colour, categoryId});
    tx.commit();
}

void clearCustomerCategoryColour(db::Database& db, qint64 categoryId) {
    db.exec(QStringLiteral("UPDATE Clienti INNER JOIN ClientiCategoria ON Clienti.Categoria_ID = "
                           "ClientiCategoria.ID SET Clienti.ColoreCategoria = null where "
                           "ClientiCategoria.ID = ") +
            QString::number(categoryId));
}

void deleteCustomerCategory(db::Database& db, qint64 categoryId) {
    db::Transaction tx(db);
    clearCustomerCategoryColour(db, categoryId);
    db.exec(QStringLiteral("delete * from ClientiCategoria where ID = ?"), {categoryId});
    tx.commit();
}

QVariant normalisedIban(const QVariant& iban) {
    if (iban.isNull() || !iban.isValid())
        return iban;
    QString s = iban.toString().toUpper();
    s.remove(u' ');
    return s.isEmpty() ? QVariant() : QVariant(s);
}

} // namespace registries
