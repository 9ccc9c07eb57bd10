#pragma once

#include <QStringList>

namespace admin {

constexpr int UnknownCommand = -1;

// Runs one command with its arguments (the archive first); returns the exit
// code. Failures of the archive are thrown as db::DbError.
int runCommand(const QString& command, const QStringList& args);

} // namespace admin
