#pragma once

#include "db/Database.h"

namespace einvoice {

// The progressive of the files handed to the exchange system, kept in a
// counter of its own (ProgressivoTrasmissione). Each export takes the next
// number in its own transaction and stores it on the document, so no number
// is ever given twice: not on a second export of the same document, not
// after a document is deleted.
class TransmissionCounter {
public:
    static qint64 take(db::Database& db, qint64 documentId);
};

} // namespace einvoice
