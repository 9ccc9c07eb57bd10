#pragma once

#include "db/Database.h"

#include <QStringList>
#include <QVariantMap>

namespace db {

// One row of a registry table while it is edited: column → value, columns
// spelled as the schema spells them. Dates are QDate, yes/no values bool,
// amounts double, references qint64 (null when unset).
using RegistryRecord = QVariantMap;

// The row with that key, each value converted after its column's type; an
// empty record when there is no such row.
RegistryRecord readRecord(db::Database& db, const QString& table, qint64 key);

// The record as columns and values to write, without the key column.
db::Values recordValues(const RegistryRecord& record, const QString& keyColumn = "ID");

// A column's value, its name matched without regard to case when the
// exact spelling is absent.
QVariant recordValue(const RegistryRecord& record, const QString& column);

// Text of a column, trimmed; empty for a missing or null value.
QString recordText(const RegistryRecord& record, const QString& column);

// A reference column's key, 0 when unset.
qint64 RecordKey(const RegistryRecord& record, const QString& column);

// A date column given as QDate or as text typed dd/MM/yyyy.
QDate recordDate(const RegistryRecord& record, const QString& column);

// True when some row of the tables refers to the key through that column.
bool isReferenced(db::Database& db, const QStringList& tables, const QString& column, qint64 key);

} // namespace db
