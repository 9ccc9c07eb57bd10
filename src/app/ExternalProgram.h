#pragma once

#include <QString>
#include <QStringList>

namespace common {
class Interaction;
}

namespace app {

// Outside programs started from the main window ("Tessarin", "Esportazioni"),
// looked for in the program's folder and in the installation folder, with or
// without the ".exe" ending.
class ExternalProgram {
public:
    // Full path, or empty when not installed.
    static QString find(const QString& name, const QStringList& folders = {});
    // Starts it without waiting; a message when it is missing or fails.
    static bool start(const QString& name, const QStringList& arguments,
                      common::Interaction& interaction, const QStringList& folders = {});
};

} // namespace app
