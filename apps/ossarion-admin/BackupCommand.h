#pragma once

#include <QStringList>

namespace admin {

// backup ARCHIVE FILE: writes a backup of the archive and of its files.
int backup(const QStringList& args);
// restore FILE ARCHIVE: checks the backup, then replaces the archive.
int restore(const QStringList& args);

} // namespace admin
