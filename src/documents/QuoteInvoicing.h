#pragma once

#include "db/Database.h"
#include "documents/DocumentStore.h"

namespace documents {

// "Fattura preventivo": a quote becomes an invoice in one step.
class QuoteInvoicing {
public:
    // A new invoice numbered as "Aggiungi" numbers it, for the quote's
    // customer, with the quote imported; all in one transaction. The new
    // invoice's Id, 0 when the quote does not exist.
    static qint64 invoice(db::Database& db, qint64 quoteId,
                          const DocumentStore::NewDocument& request);
};

} // namespace documents
