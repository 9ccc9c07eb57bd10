#pragma once

#include "db/Database.h"

#include <QVariantMap>

namespace documents {

// The record's values for the columns the table has, spelled as the schema
// spells them, without the key; each column once. Text typed on screen is
// turned into the column's kind (dd/MM/yyyy dates, Italian amounts).
db::Values columnValues(const QString& table, const QVariantMap& record);

} // namespace documents
