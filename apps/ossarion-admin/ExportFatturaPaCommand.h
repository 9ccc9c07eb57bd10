#pragma once

#include <QStringList>

namespace admin {

// export-fatturapa ARCHIVE DOCUMENT_ID FILE [--forza]: writes the electronic
// invoice of a customer invoice or credit note into FILE without dialogs.
// Every message is printed. A refusal, or a question (the reports of the
// checks), exits with 1 and writes nothing; --forza answers the questions
// Yes and the export goes on.
int exportFatturaPa(const QStringList& args);

} // namespace admin
