#pragma once

#include <QStringList>

namespace admin {

// check ARCHIVE: the archive's consistency check; one line per problem on
// the standard output, exit code 1 when there is any.
int checkArchive(const QStringList& args);

} // namespace admin
