#pragma once

#include "db/Database.h"

#include <QStringList>

namespace documents {

// The consistency check support staff run on an archive: the engine's own
// integrity check, then the archive's rules on documents, instalments, the
// cash book and contract rows. Reads only; each problem is one Italian line
// naming the document (kind, number, date) or the row concerned.
class ArchiveCheck {
public:
    // Everything below, in this order; empty for a sound archive.
    static QStringList run(db::Database& db);

    // SQLite's integrity check; PostgreSQL keeps its catalogue itself.
    static QStringList engineIntegrity(db::Database& db);
    // Rows of every document table whose header is missing.
    static QStringList rowsWithoutHeader(db::Database& db);
    // Header totals against what the rows give, to the cent.
    static QStringList totals(db::Database& db);
    // Customer documents whose instalments do not add up to the amount to pay.
    static QStringList instalments(db::Database& db);
    // Customer documents sharing a number in the same year, series and kind.
    static QStringList duplicateNumbers(db::Database& db);
    // Cash-book movements naming a document or an instalment that is gone.
    static QStringList cashBook(db::Database& db);
    // Contract rows marked invoiced by an invoice that is gone.
    static QStringList contractRows(db::Database& db);
};

} // namespace documents
