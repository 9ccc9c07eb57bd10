#pragma once

#include <QString>

namespace db {

// The workstation name that partitions scratch rows, print requests and grid
// layouts: the host name, "SenzaNome" when there is none.
// OSSARION_WORKSTATION overrides it (terminal servers, tests).
QString workstationName();

// A name as the archive keeps it, in 15 characters: a longer one keeps its
// first ten and a tag of the whole name, so two workstations never share one.
QString fittedWorkstationName(const QString& name);

} // namespace db
