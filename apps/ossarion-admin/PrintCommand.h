#pragma once

#include <QStringList>

namespace admin {

// print ARCHIVE CODE [--id DOCUMENT_ID] [--export FILE]: writes the report
// request as the program would and starts the print program; with --export
// it returns once the file exists.
int printCommand(const QStringList& args);

} // namespace admin
