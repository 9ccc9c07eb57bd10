#pragma once

#include "common/Interaction.h"
#include "db/RegistryRecord.h"

#include <optional>

namespace registries {

// Rules of the article and service registry (prezziar). The price including
// VAT (PrezzoCompleto) follows the net price (Prezzo), the discount (Sconto)
// and the VAT rate; typing the price including VAT gives the net price back.
class ArticleRules {
public:
    // round2 of the net price less the discount plus VAT.
    static double grossPrice(double net, double vatRate, double discount = 0);
    // round2 of the net price that gives that price including VAT.
    static double netPrice(double gross, double vatRate, double discount = 0);

    // The rate (percent) of a VAT code; 0 when there is none.
    static double vatRate(db::Database& db, qint64 vatId);

    // Net price, discount or rate changed: PrezzoCompleto recomputed.
    static void priceChanged(db::RegistryRecord& record);
    // PrezzoCompleto typed: Prezzo recomputed.
    static void grossChanged(db::RegistryRecord& record);
    // A VAT code chosen (0 clears it): its key and rate copied, PrezzoCompleto recomputed.
    static void vatChanged(db::Database& db, db::RegistryRecord& record, qint64 vatId);

    static std::optional<common::Failure> validate(db::Database& db,
                                                   const db::RegistryRecord& record);
    // A new row dated today, with the default VAT code of the options.
    static qint64 insertNew(db::Database& db);
    // Validates and writes in one transaction; a new row gets today's date
    // as DataInserimento. On success the record holds the key.
    static std::optional<common::Failure> save(db::Database& db, db::RegistryRecord& record);
    // For a card that has just written the row itself, inside its save
    // transaction: the stored rate follows the VAT code, a row without a
    // creation date gets today's.
    static void completeSave(db::Database& db, qint64 articleId, db::RegistryRecord& record);
    // Why the article cannot be deleted (a document row refers to it), or nothing.
    static std::optional<common::Failure> deleteCheck(db::Database& db, qint64 articleId);
    // Deletes the article unless deleteCheck objects.
    static std::optional<common::Failure> remove(db::Database& db, qint64 articleId);

    static QString lookupSql();
};

} // namespace registries
