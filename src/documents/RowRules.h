#pragma once

#include "common/Interaction.h"
#include "db/Database.h"
#include "documents/DocumentKind.h"
#include "documents/DocumentOptions.h"

#include <QVariantMap>
#include <optional>

namespace documents {

// Rules on one row of a customer invoice or credit note (fattdett,
// NotaCreditoRighe) as column → value.
class RowRules {
public:
    // The row editor's save checks, in order: description, VAT rate, unit
    // price, quantity.
    static std::optional<common::Failure> validate(const QVariantMap& row);
    // The same for any customer document: delivery notes and receipts ask
    // for description and quantity, quotes for quantity, unit price and VAT
    // rate, orders for nothing; invoices and credit notes as above. A row
    // the archive cannot hold is refused whatever the kind.
    static std::optional<common::Failure> validate(DocumentKind kind, const QVariantMap& row);

    // Refuses a row whose gross the archive cannot hold exactly.
    static std::optional<common::Failure> fitsArchive(const QVariantMap& row);

    // Row gross: the net plus its VAT.
    static double rowGross(bool round, double quantity, double unitPrice, double discount,
                           double vatRate);
    // TotaleImponibile (net, unrounded) and ValoreTotale (gross, rounded).
    static void computeAmounts(QVariantMap& row);

    // The unit price that gives the row's ValoreTotale: the failure when
    // ValoreTotale is empty, else the price (the row's rate when it has a
    // VAT code, the company's otherwise; quantity 1 when empty).
    static std::optional<common::Failure>
    unitPriceFromTotal(const QVariantMap& row, const DocumentOptions& options, double* unitPrice);

    // Ledger account of a new or imported row: collection and transport
    // costs by their option, an article's own account when set, else the
    // goods account.
    static qint64 defaultAccount(db::Database& db, DocumentKind kind, const QString& rowType,
                                 qint64 articleId, const DocumentOptions& options);

    // Fills a row from a price-list article for the customer: account,
    // department, discount (the customer's unless the price is imposed),
    // price, VAT, quantity 1, kind "N" and the amounts. False when the
    // article does not exist.
    static bool fillFromArticle(db::Database& db, DocumentKind kind, QVariantMap& row,
                                qint64 articleId, qint64 customerId,
                                const DocumentOptions& options);
};

} // namespace documents
