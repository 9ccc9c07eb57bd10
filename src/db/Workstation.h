#pragma once

#include <QString>

namespace db {

// The workstation name that partitions scratch rows and grid layouts: the
// host name cut to 15 characters, "SenzaNome" when there is none.
// OSSARION_WORKSTATION overrides it (terminal servers, tests).
QString workstationName();

} // namespace db
