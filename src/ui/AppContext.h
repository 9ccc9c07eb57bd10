#pragma once

#include <QDate>
#include <QString>

namespace db {
class Database;
}
namespace common {
class Interaction;
}

namespace ui {

class ScreenRegistry;

// What every screen needs: the archive, the way to ask the user, and the
// working mode the main window chose.
struct AppContext {
    db::Database* db = nullptr;
    common::Interaction* interaction = nullptr;
    bool history = false; // lists show documents moved to history
    // The range typed on the history tab, set while history is true: the
    // history lists select the documents dated from historyFrom to the end
    // of historyTo, whatever their Storico flag.
    QDate historyFrom;
    QDate historyTo;
    // The record a screen opened by name starts on (the instalment or the
    // appointment double-clicked in the reminder); 0 for none.
    qint64 recordKey = 0;
    // Every screen by name, for a screen that opens one of another
    // subsystem (the invoice's "prima nota" opens the cash-book card).
    const ScreenRegistry* screens = nullptr;
};

} // namespace ui
