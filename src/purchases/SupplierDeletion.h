#pragma once

#include "db/Database.h"
#include "purchases/SupplierTables.h"

namespace purchases {

// Deleting a supplier invoice or credit note with everything hanging on it:
// cash-book movements, instalments, rows (their stock given back), header.
class SupplierDeletion {
public:
    static QString question(DocumentKind kind);
    static void remove(db::Database& db, DocumentKind kind, qint64 documentId);
};

} // namespace purchases
