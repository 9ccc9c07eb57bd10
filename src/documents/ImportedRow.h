#pragma once

#include "db/Database.h"

#include <QStringList>

namespace db {
class Row;
}

namespace documents {

struct DocumentOptions;

// A row of another document (quote, contract) copied onto an invoice: the
// listed columns that hold a value, the next row number, the default
// account and the history flag of the invoice, plus the link columns the
// caller gives; article rows move the stock unless told
// otherwise. Runs inside the caller's
// transaction.
// The row columns every imported document shares with an invoice row, and
// the kind's own ones.
QStringList importedRowColumns(const QStringList& ownColumns = {});

void insertImportedRow(db::Database& db, qint64 invoiceId, const db::Row& source,
                       const QStringList& copiedColumns, const db::Values& links,
                       const DocumentOptions& options, bool moveStock = true);

// The row of `table` that links a source document to an invoice, written
// once: nothing when the invoice already has a link with `sourceColumn` =
// `sourceId`. `values` are the link's other columns. Runs inside the
// caller's transaction.
void linkOnce(db::Database& db, const QString& table, qint64 invoiceId, const QString& sourceColumn,
              qint64 sourceId, const db::Values& values = {});

} // namespace documents
