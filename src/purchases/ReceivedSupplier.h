#pragma once

#include "db/Database.h"
#include "purchases/ReceivedInvoice.h"
#include "purchases/SupplierOptions.h"

namespace purchases {

// The seller of a received file in the supplier registry: found by VAT
// number or tax code, created or brought up to date when the options ask,
// renamed on all its documents when its name changed.
class ReceivedSupplier {
public:
    struct Found {
        qint64 id = 0;    // 0: not in the registry and not created
        QString name;     // what the documents are named after, never empty
        qint64 terms = 0; // the supplier's Pagamento_ID
    };
    // In the caller's transaction.
    static Found apply(db::Database& db, const ReceivedSeller& seller,
                       const SupplierOptions& options);

    // A text as the archive can hold it: control characters dropped, cut to
    // maxLength characters without splitting a character in two.
    static QString fit(const QString& text, int maxLength);
};

} // namespace purchases
