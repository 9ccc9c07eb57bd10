#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <utility>

namespace db {
class Database;
class Row;
} // namespace db

namespace printing {

// What a screen hands over when it asks for a report: the report code, the
// current document (single-document reports), the list's own selection
// (list reports), the optional parameter and, for the export of a document
// to a file, the target path.
struct ReportCall {
    int code = 0;
    QVariant documentId; // null: no current document
    QString selection;   // Jet condition added with AND to the list's own
    QString parameter;   // Parametro, for the reports that take one
    bool exportDocument = false;
    QString exportFile;
};

// One TempStampa row, every column.
struct RequestRow {
    qint64 id = 0;
    QString program;         // NomeProgramma
    QString report;          // NomeReport
    QString reportLandscape; // NomeReportLandscape
    QString query;
    QString subQuery[3]; // QuerySottoreport1..3
    bool filter = false;
    bool setup = false;
    bool letterhead = false; // PresenzaTestata
    QString parameter;
    QString workstation; // NomeComputer
    bool exportMode = false;
    QString exportFile;
    int exportType = 0;

    static RequestRow fromRow(const db::Row& row);
};

// Starts the print program; wait = true returns only once it ended. Gives
// false when it could not be started. The environment entries are added to
// the child's.
using Launcher = std::function<bool(const QString& program, bool wait,
                                    const QList<std::pair<QString, QString>>& environment)>;

class ReportRequests {
public:
    static QString programName() { return QStringLiteral("Ossarion"); }

    // The folder of the running program with its trailing separator.
    static QString programFolder();
    // The print program next to the given program folder.
    static QString printProgram(const QString& programFolder);

    // Replaces this workstation's request with the one the call selects and
    // gives back the row as written. Must run outside a write transaction,
    // so that the print program sees the row.
    static RequestRow write(db::Database& db, const ReportCall& call,
                            const QString& programFolder = QString());

    // This workstation's request, if there is one.
    static std::optional<RequestRow> read(db::Database& db);
    static std::optional<RequestRow> read(db::Database& db, const QString& workstation);

    // Starts a program with QProcess.
    static bool launch(const QString& program, bool wait,
                       const QList<std::pair<QString, QString>>& environment);
};

// Writes the request and starts the print program from the program folder:
// in print mode it returns at once, in export mode once the print program
// ended, so that the file exists. A failure to start is not reported.
// The environment entries reach the print program (OSSARION_ARCHIVE for a
// caller whose archive is not the one of percorso.txt).
void StampaReport(db::Database& db, const ReportCall& call, const Launcher& launcher = {},
                  const QList<std::pair<QString, QString>>& environment = {});

} // namespace printing
