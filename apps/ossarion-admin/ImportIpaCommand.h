#pragma once

#include <QStringList>

namespace admin {

// import-ipa ARCHIVE FILE: replaces the directory of public offices with the
// open-data file of the IndicePA.
int importIpa(const QStringList& args);

} // namespace admin
