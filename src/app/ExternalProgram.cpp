#include "app/ExternalProgram.h"

#include "common/Installation.h"
#include "common/Interaction.h"
#include "common/Titles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace app {

namespace {

QStringList defaultFolders() {
    QStringList out{QCoreApplication::applicationDirPath(), common::Installation::folder()};
    out.removeDuplicates();
    return out;
}

} // namespace

QString ExternalProgram::find(const QString& name, const QStringList& folders) {
    const QStringList where = folders.isEmpty() ? defaultFolders() : folders;
    QString base = name;
    if (base.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive))
        base.chop(4);
    for (const QString& folder : where) {
        for (const QString& file : {base, base + QStringLiteral(".exe"), base.toLower()}) {
            const QFileInfo info(QDir(folder).filePath(file));
            if (info.isFile() && info.isExecutable())
                return info.absoluteFilePath();
        }
    }
    return QString();
}

bool ExternalProgram::start(const QString& name, const QStringList& arguments,
                            common::Interaction& interaction, const QStringList& folders) {
    const QString path = find(name, folders);
    const QString title = common::titles::warning;
    if (path.isEmpty()) {
        const QStringList where = folders.isEmpty() ? defaultFolders() : folders;
        interaction.warning(title, QStringLiteral("Attenzione il programma %1 non è installato "
                                                  "nella cartella del programma (%2)")
                                       .arg(name, QDir::toNativeSeparators(where.first())));
        return false;
    }
    if (!QProcess::startDetached(path, arguments, QFileInfo(path).absolutePath())) {
        interaction.error(common::titles::error,
                          QStringLiteral("Impossibile avviare il programma ") + path);
        return false;
    }
    return true;
}

} // namespace app
