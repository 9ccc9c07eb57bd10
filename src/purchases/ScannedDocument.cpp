#include "purchases/ScannedDocument.h"

#include "common/Titles.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace purchases {

std::optional<common::Failure> ScannedDocument::checkViewable(const QString& path) {
    if (path.trimmed().isEmpty())
        return common::Failure{common::titles::error,
                               QStringLiteral("Attenzione manca il percorso dell'immagine"),
                               QStringLiteral("Immagine")};
    if (!QFileInfo::exists(path))
        return common::Failure{common::titles::error,
                               QStringLiteral("Il file: ") + path +
                                   QStringLiteral(" non esiste più!!!"),
                               QStringLiteral("Immagine")};
    return std::nullopt;
}

std::optional<common::Failure> ScannedDocument::scan(const QString& target) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("scanimage"));
    if (program.isEmpty())
        return common::Failure{common::titles::error,
                               QStringLiteral("Attenzione il programma di acquisizione scanimage "
                                              "(SANE) non è installato: impossibile usare lo "
                                              "scanner"),
                               QStringLiteral("Immagine")};
    QProcess p;
    p.start(program, {QStringLiteral("--format=png"), QStringLiteral("-o"), target});
    if (!p.waitForFinished(120000) || p.exitCode() != 0 || !QFileInfo::exists(target)) {
        QFile::remove(target);
        return common::Failure{common::titles::error,
                               QStringLiteral("Acquisizione dallo scanner non riuscita: ") +
                                   QString::fromLocal8Bit(p.readAllStandardError()).trimmed(),
                               QStringLiteral("Immagine")};
    }
    return std::nullopt;
}

} // namespace purchases
