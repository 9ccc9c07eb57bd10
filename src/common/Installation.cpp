#include "common/Installation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace common {

QString Installation::folder() {
    const QString env = qEnvironmentVariable("OSSARION_HOME").trimmed();
    QString dir;
    if (!env.isEmpty()) {
        dir = env;
    } else {
        const QString exeDir = QCoreApplication::applicationDirPath();
        if (!exeDir.isEmpty() && QFileInfo(exeDir).isWritable())
            dir = exeDir;
        else
            dir = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
                      .filePath(QStringLiteral("ossarion"));
    }
    QDir().mkpath(dir);
    return QDir(dir).absolutePath();
}

QString Installation::filePath(const QString& name) {
    return QDir(folder()).filePath(name);
}

QString Installation::exportFolder() {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // The desktop's documents folder when there is one; Qt names one that may
    // not exist, or the home folder itself, when the desktop has none.
    if (documents.isEmpty() || !QFileInfo(documents).isDir() || QDir(documents) == QDir::home())
        documents = QDir::home().filePath(QStringLiteral("Documenti"));
    const QString dir = QDir(documents).filePath(QStringLiteral("Ossarion"));
    QDir().mkpath(dir);
    return dir;
}

QString Installation::dataFolder(const QString& subfolder) {
    // Installed: <prefix>/share/ossarion/<sub>. In the build tree the source
    // folder is found by walking up from the executable.
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QStringList candidates = {
        QDir(exeDir).filePath(QStringLiteral("../share/ossarion/") + subfolder),
        QStringLiteral(OSSARION_SOURCE_DIR "/") + subfolder,
    };
    for (const QString& c : candidates)
        if (QFileInfo(c).isDir())
            return QDir(c).absolutePath();
    return candidates.last();
}

} // namespace common
