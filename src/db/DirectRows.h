#pragma once

#include <QSqlError>
#include <QStringList>
#include <QVariantList>
#include <vector>

namespace db {

// The rows of one SELECT read straight through an engine's C interface,
// each value as Qt's driver for that engine would give it.
struct DirectRows {
    QStringList names; // as the engine names the columns
    std::vector<QVariantList> rows;
    // Set when the engine refused the statement once sent, worded as Qt's
    // driver words it, so that the refusal is reported as every other one.
    QSqlError error;
};

} // namespace db
