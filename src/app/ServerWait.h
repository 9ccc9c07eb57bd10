#pragma once

#include <QString>

namespace common {
class Interaction;
}

namespace app {

// Before a PostgreSQL archive is opened: waits for its server off the
// window's thread, under the progress window with "Interrompi", for at most
// the connection timeout. False when the server did not answer (the user has
// been told) or the user stopped waiting; true at once for an SQLite archive.
bool reachArchiveServer(common::Interaction& ui, const QString& archive);

} // namespace app
