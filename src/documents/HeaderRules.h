#pragma once

#include "common/Interaction.h"
#include "db/Database.h"
#include "documents/DocumentKind.h"
#include "documents/DocumentOptions.h"

#include <QVariantMap>
#include <optional>

namespace documents {

// Rules on the header of a customer invoice or credit note while it is
// edited. The header is a fattura row as column → value (see
// db::readRecord); these functions only change the record.
class HeaderRules {
public:
    // The save checks in their order; the first failure wins. Fields are
    // column names (Data, Num, Cliente_ID, ModPagamento_Id, IdMarcaBollo).
    static std::optional<common::Failure> validate(DocumentKind kind, const QVariantMap& header,
                                                   const DocumentOptions& options);

    // What a saved header may keep but the user should know: a credit note
    // dated before the invoice it credits, which the exchange system refuses.
    // Empty when there is nothing to say.
    static QString warning(DocumentKind kind, const QVariantMap& header);

    // Copies what choosing a customer brings: name, split payment, payment
    // terms (when the customer has some), transmission format and, with
    // withholding managed, whether it applies (customers with a VAT number).
    // False when the customer does not exist.
    static bool applyCustomer(db::Database& db, QVariantMap& header, qint64 customerId,
                              const DocumentOptions& options);

    // Kind of a stored header (by FattNota).
    static DocumentKind kindOf(const QVariantMap& header);
};

} // namespace documents
