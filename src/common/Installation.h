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
};

} // namespace common
