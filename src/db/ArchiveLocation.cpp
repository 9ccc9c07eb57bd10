#include "db/ArchiveLocation.h"

#include "common/Installation.h"
#include "db/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace db {

ArchiveLocation::ArchiveLocation(const QString& installationFolder)
    : m_folder(installationFolder.isEmpty() ? common::Installation::folder() : installationFolder) {
}

QString ArchiveLocation::filePath() const {
    return QDir(m_folder).filePath(fileName());
}

QString ArchiveLocation::defaultArchive() const {
    return QDir(QDir(m_folder).absolutePath()).filePath(defaultArchiveName());
}

QString ArchiveLocation::read() {
    m_recreated = false;
    QFile file(filePath());
    if (file.open(QIODevice::ReadOnly)) {
        const QString text = QString::fromUtf8(file.readAll()).trimmed();
        if (!text.isEmpty())
            return resolve(text);
    }
    m_recreated = true;
    const QString archive = defaultArchive();
    write(archive);
    return archive;
}

bool ArchiveLocation::write(const QString& archive) const {
    QDir().mkpath(m_folder);
    QSaveFile file(filePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write(archive.trimmed().toUtf8());
    file.write("\n");
    return file.commit();
}

QString ArchiveLocation::resolve(const QString& archive) const {
    const QString a = archive.trimmed();
    if (a.isEmpty() || db::Database::isPostgresAddress(a))
        return a;
    return QDir::cleanPath(QDir(m_folder).absoluteFilePath(a));
}

QString ArchiveLocation::archiveFolder(const QString& archive) const {
    if (db::Database::isPostgresAddress(archive))
        return QDir(m_folder).absolutePath();
    return QFileInfo(resolve(archive)).absolutePath();
}

} // namespace db
