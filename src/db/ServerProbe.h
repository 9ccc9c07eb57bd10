#pragma once

#include <QString>
#include <functional>

namespace db {

// Whether the server of a PostgreSQL archive answers, tried on a thread of
// its own: a server or a network that never answers would otherwise hold
// the caller for the whole connection timeout with no way to stop waiting.
// The caller shows its progress window from `keepWaiting` (about every 50 ms)
// and ends the wait when the user asks to.
class ServerProbe {
public:
    enum class Outcome { Reached, Unreachable, Stopped };

    // An SQLite archive, or a server reached through a local socket, is
    // Reached at once. `why` receives the system's words for a failure.
    static Outcome reach(const QString& archive, const std::function<bool()>& keepWaiting,
                         int timeoutMs = 10000, QString* why = nullptr);
};

} // namespace db
