#pragma once

#include <QStringList>

namespace admin {

// send-mail ARCHIVE --to ADDR... [--subject S] [--text T] [--attach FILE]...
// One message per recipient with the archive's mail options; 0 when every
// message was sent, 1 when any was not, 2 for a wrong command line.
int sendMail(const QStringList& args);

} // namespace admin
