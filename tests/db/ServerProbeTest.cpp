#include "db/ServerProbe.h"

#include <QElapsedTimer>
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using db::ServerProbe;

namespace {

// A listening socket on a free local port; with `full` its queue of
// pending connections is filled, so a further connection is never answered,
// as with a server behind a network that drops every packet.
struct LocalServer {
    explicit LocalServer(bool full) {
        fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(fd, 0);
        socklen_t len = sizeof a;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
        port = ntohs(a.sin_port);
        for (int i = 0; full && i < 4; ++i) {
            const int c = ::socket(AF_INET, SOCK_STREAM, 0);
            ::fcntl(c, F_SETFL, O_NONBLOCK);
            ::connect(c, reinterpret_cast<sockaddr*>(&a), sizeof a);
            clients.push_back(c);
        }
    }
    ~LocalServer() {
        for (int c : clients)
            ::close(c);
        ::close(fd);
    }
    QString address() const {
        return QStringLiteral("postgresql://postgres@127.0.0.1:%1/archivio").arg(port);
    }
    int fd = -1;
    int port = 0;
    std::vector<int> clients;
};

} // namespace

TEST(ServerProbe, TellsAServerThatAnswersFromOneThatDoesNot) {
    EXPECT_EQ(ServerProbe::reach("/tmp/archivio.db", {}), ServerProbe::Outcome::Reached);

    LocalServer up(false);
    EXPECT_EQ(ServerProbe::reach(up.address(), [] { return true; }), ServerProbe::Outcome::Reached);

    // Nothing listens on the port once the server is gone: refused at once,
    // with the system's words.
    QString gone;
    {
        LocalServer down(false);
        gone = down.address();
    }
    QString why;
    EXPECT_EQ(ServerProbe::reach(
                  gone, [] { return true; }, 10000, &why),
              ServerProbe::Outcome::Unreachable);
    EXPECT_FALSE(why.isEmpty());
}

TEST(ServerProbe, AServerThatNeverAnswersCanBeLeftAtOnce) {
    LocalServer stalled(true);
    int calls = 0;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(ServerProbe::reach(stalled.address(), [&] { return ++calls < 3; }),
              ServerProbe::Outcome::Stopped);
    EXPECT_LT(clock.elapsed(), 5000);

    QString why;
    EXPECT_EQ(ServerProbe::reach(
                  stalled.address(), [] { return true; }, 300, &why),
              ServerProbe::Outcome::Unreachable);
    EXPECT_TRUE(why.startsWith("Nessuna risposta")) << why.toStdString();
}
