#pragma once

#include <QStringList>

namespace admin {

// import-fatturapa ARCHIVE FILE... [--forza]: imports received electronic
// invoices (files, folders, .zip); one line per file; exit 1 when any file
// was refused. A file addressed to another company is skipped unless
// --forza is given.
int importFatturaPa(const QStringList& args);

} // namespace admin
