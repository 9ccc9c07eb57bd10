#pragma once

#include <QByteArray>

namespace common {

// Every date the program shows or reads from PostgreSQL is converted in
// local time. Without TZ in the environment the C library looks at
// /etc/localtime again at each conversion, a system call per value; naming
// that same file once spares them and changes no date. Leaves a TZ the user
// set, and does nothing where the file is missing. Called first in main(),
// before any thread starts. `zoneFile` is for the tests.
void readTimeZoneOnce(const QByteArray& zoneFile = QByteArrayLiteral("/etc/localtime"));

} // namespace common
