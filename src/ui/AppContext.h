#pragma once

#include <QString>

namespace db {
class Database;
}
namespace common {
class Interaction;
}

namespace ui {

// What every screen needs: the archive, the way to ask the user, and the
// working mode the main window chose.
struct AppContext {
    db::Database* db = nullptr;
    common::Interaction* interaction = nullptr;
    bool history = false; // lists show documents moved to history
};

} // namespace ui
