#include "db/ServerProbe.h"

#include "db/Database.h"

#include <QUrl>
#include <QUrlQuery>
#include <atomic>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace db {

namespace {

// Shared by the caller and the probing thread, which may outlive the wait.
struct ProbeState {
    std::atomic<bool> done{false};
    std::atomic<bool> reached{false};
    std::atomic<bool> abandoned{false};
    std::mutex lock;
    std::string why;

    void finish(bool ok, const std::string& text) {
        {
            std::lock_guard<std::mutex> guard(lock);
            why = text;
        }
        reached = ok;
        done = true;
    }
};

// One TCP connection attempt, given up when the caller stops waiting.
bool connectTo(const addrinfo* a, const ProbeState& state, std::string& why) {
    const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) {
        why = std::strerror(errno);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL, 0) | O_NONBLOCK);
    bool ok = ::connect(fd, a->ai_addr, a->ai_addrlen) == 0;
    if (!ok && errno == EINPROGRESS) {
        pollfd p{fd, POLLOUT, 0};
        while (!state.abandoned) {
            const int n = ::poll(&p, 1, 100);
            if (n < 0 && errno != EINTR)
                break;
            if (n > 0) {
                int err = 0;
                socklen_t len = sizeof err;
                ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len);
                ok = err == 0;
                if (!ok)
                    why = std::strerror(err);
                break;
            }
        }
    } else if (!ok) {
        why = std::strerror(errno);
    }
    ::close(fd);
    return ok;
}

void probe(const std::shared_ptr<ProbeState>& state, const std::string& host,
           const std::string& port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int rc = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found);
    if (rc != 0) {
        state->finish(false, ::gai_strerror(rc));
        return;
    }
    std::string why;
    bool ok = false;
    for (const addrinfo* a = found; a && !ok && !state->abandoned; a = a->ai_next)
        ok = connectTo(a, *state, why);
    ::freeaddrinfo(found);
    state->finish(ok, why);
}

} // namespace

ServerProbe::Outcome ServerProbe::reach(const QString& archive,
                                        const std::function<bool()>& keepWaiting, int timeoutMs,
                                        QString* why) {
    if (!Database::isPostgresAddress(archive))
        return Outcome::Reached;
    const QUrl url(archive.trimmed());
    QString host = url.host();
    const QUrlQuery query(url);
    if (query.hasQueryItem(QStringLiteral("host")))
        host = query.queryItemValue(QStringLiteral("host"), QUrl::FullyDecoded);
    if (host.isEmpty() || host.startsWith(u'/'))
        return Outcome::Reached; // local socket: the open itself fails fast
    const int port = query.hasQueryItem(QStringLiteral("port"))
                         ? query.queryItemValue(QStringLiteral("port")).toInt()
                         : url.port(5432);

    auto state = std::make_shared<ProbeState>();
    std::thread(probe, state, host.toStdString(), std::to_string(port)).detach();
    const auto start = std::chrono::steady_clock::now();
    while (!state->done) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (state->done)
            break;
        const auto waited = std::chrono::steady_clock::now() - start;
        if (keepWaiting && !keepWaiting()) {
            state->abandoned = true;
            return Outcome::Stopped;
        }
        if (waited > std::chrono::milliseconds(timeoutMs)) {
            state->abandoned = true;
            if (why)
                *why = QStringLiteral("Nessuna risposta da %1:%2").arg(host).arg(port);
            return Outcome::Unreachable;
        }
    }
    if (state->reached)
        return Outcome::Reached;
    if (why) {
        std::lock_guard<std::mutex> guard(state->lock);
        *why =
            QStringLiteral("%1:%2: %3").arg(host).arg(port).arg(QString::fromStdString(state->why));
    }
    return Outcome::Unreachable;
}

} // namespace db
