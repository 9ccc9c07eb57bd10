#pragma once

#include <QString>

namespace common {

// Where this installation keeps its own files (permessi.kyn, percorso.txt,
// the logo): OSSARION_HOME when set, else the program's folder when it can be
// written, else the user's data folder.
class Installation {
public:
    static QString folder();
    static QString filePath(const QString& name);
    // Read-only data shipped with the program (help pages, report templates).
    static QString dataFolder(const QString& subfolder);
    // Where exports and saved PDFs go unless the options name a folder: the
    // user's documents folder (~/Documenti when the desktop names none),
    // subfolder Ossarion, created here.
    static QString exportFolder();
};

} // namespace common
