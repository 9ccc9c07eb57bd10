#pragma once

#include <QStringList>

namespace admin {

// export-calendar ARCHIVE FILE [--dal DATE] [--al DATE]: the appointments of
// the working list (dated in the range when given) as an iCalendar file, the
// same file the calendar list exports.
int exportCalendar(const QStringList& args);

} // namespace admin
