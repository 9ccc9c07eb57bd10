#pragma once

#include "printing/RenderedReport.h"
#include "printing/ReportRequest.h"

#include <QString>
#include <QStringList>

namespace db {
class Database;
}

namespace printing {

// The print program's work: this workstation's request, drawn.
struct PrintJob {
    RequestRow request;
    RenderedReport report;
};

class PrintJobs {
public:
    // The archive the print program opens: OSSARION_ARCHIVE when set (a
    // caller working on another archive), else the one percorso.txt names in
    // the installation folder. Empty with *error when there is none.
    static QString archiveAddress(QString* error);

    // Reads the workstation's request, runs its queries, lays out its
    // template. Throws RenderError with the message for the user.
    static PrintJob prepare(db::Database& db, const QStringList& templateFolders = {});
    static PrintJob prepare(db::Database& db, const RequestRow& request,
                            const QStringList& templateFolders = {});

    // Export mode: writes FileEsportazione. Throws RenderError.
    static void writeExport(const PrintJob& job);
};

} // namespace printing
