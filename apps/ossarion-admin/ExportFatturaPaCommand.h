#pragma once

#include <QStringList>

namespace admin {

// export-fatturapa ARCHIVE DOCUMENT_ID FILE: writes the electronic invoice of
// a customer invoice or credit note into FILE without dialogs. The reports
// of the checks are printed and the export goes on; a refusal (customer
// without codes, missing rows...) prints its message and exits with 1.
int exportFatturaPa(const QStringList& args);

} // namespace admin
