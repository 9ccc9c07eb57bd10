#pragma once

#include "printing/ReportRequest.h"

#include <QString>
#include <optional>

namespace db {
class Database;
}

namespace printing {

// The documents that can be exported to a file and sent by e-mail.
enum class ExportKind { Invoice, Quote, Receipt };

// One document's export: the file, and what the e-mail screen is opened with.
struct DocumentExport {
    int code = 0; // report code of the document
    qint64 documentId = 0;
    QString file;      // folder + prefix + number + "_" + year + "." + extension
    QString subject;   // "Fattura numero12 del : 01/03/2026"
    QString recipient; // the customer's EMail, empty when none
};

class DocumentExports {
public:
    // Folder of the option CartellaEsportazioneDocumenti when it exists,
    // else the fallback given, else the user's export folder.
    static QString folder(db::Database& db, const QString& fallback = QString());

    // The export of one document; none when the document is not found.
    static std::optional<DocumentExport> prepare(db::Database& db, ExportKind kind,
                                                 qint64 documentId,
                                                 const QString& fallback = QString());

    // Writes the export request and waits for the print program; true when
    // the file exists afterwards.
    static bool run(db::Database& db, const DocumentExport& e, const Launcher& launcher = {});
};

} // namespace printing
