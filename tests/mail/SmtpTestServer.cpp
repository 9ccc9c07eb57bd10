#include "SmtpTestServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QString makeCertificate(QTemporaryDir& dir) {
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                   "/CN=localhost", "-addext", "subjectAltName=IP:127.0.0.1,DNS:localhost",
                   "-keyout", dir.filePath("key.pem"), "-out", dir.filePath("cert.pem")});
    if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0)
        return QString();
    return dir.filePath("cert.pem");
}

} // namespace

QString SmtpTestServer::python() {
    // Debian's interpreter has python3-aiosmtpd; another python3 on PATH may not.
    return QFileInfo::exists("/usr/bin/python3") ? QStringLiteral("/usr/bin/python3")
                                                 : QStringLiteral("python3");
}

QString SmtpTestServer::script() {
    const QString fromEnv = qEnvironmentVariable("OSSARION_MAIL_TEST_SERVER");
    return fromEnv.isEmpty() ? QStringLiteral(OSSARION_MAIL_TEST_SOURCE_DIR "/smtp_server.py")
                             : fromEnv;
}

QString SmtpTestServer::certificate() {
    static QTemporaryDir dir;
    static const QString path = makeCertificate(dir);
    return path;
}

int SmtpTestServer::unusedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof a;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), size) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &size) == 0)
        port = ntohs(a.sin_port);
    ::close(fd); // nothing listens there afterwards
    return port;
}

SmtpTestServer::SmtpTestServer(Mode mode, const QString& user, const QString& password) {
    QStringList args = {script(), "serve", "--dir", m_dir.path(), "--mode"};
    args << (mode == Mode::Plain ? "plain" : mode == Mode::StartTls ? "starttls" : "tls");
    if (mode != Mode::Plain) {
        const QString cert = certificate();
        if (cert.isEmpty()) {
            m_failure = "openssl non ha creato il certificato";
            return;
        }
        args << "--cert" << cert << "--key" << QFileInfo(cert).dir().filePath("key.pem");
    }
    if (!user.isEmpty())
        args << "--user" << user << "--password" << password;
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start(python(), args);
    QByteArray out;
    while (!out.contains('\n') && m_process.waitForReadyRead(15000))
        out += m_process.readAllStandardOutput();
    if (out.startsWith("PORT "))
        m_port = out.mid(5).trimmed().toInt();
    else
        m_failure = QString::fromUtf8(out + m_process.readAllStandardError());
}

SmtpTestServer::~SmtpTestServer() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.closeWriteChannel(); // the server stops at the end of its input
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(2000);
    }
}

QList<SmtpTestServer::Received> SmtpTestServer::messages() const {
    QList<Received> out;
    const QDir dir(m_dir.path());
    for (const QString& name : dir.entryList({"*.eml"}, QDir::Files, QDir::Name)) {
        Received r;
        QFile info(dir.filePath(QFileInfo(name).completeBaseName() + ".json"));
        info.open(QIODevice::ReadOnly);
        const QJsonObject envelope = QJsonDocument::fromJson(info.readAll()).object();
        r.mailFrom = envelope["mail_from"].toString();
        for (const QJsonValue& v : envelope["rcpt_tos"].toArray())
            r.envelopeTo.append(v.toString());
        r.tls = envelope["tls"].toString();
        r.login = envelope["login"].toString();

        QProcess inspect;
        inspect.start(python(), {script(), "inspect", dir.filePath(name)});
        inspect.waitForFinished(30000);
        r.message = QJsonDocument::fromJson(inspect.readAllStandardOutput()).object();
        out.append(r);
    }
    return out;
}
