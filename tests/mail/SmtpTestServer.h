#pragma once

#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A real SMTP server on 127.0.0.1 (smtp_server.py, aiosmtpd) for the length
// of one test. Every message it takes is saved; messages() reads them back
// parsed by Python's email module.
class SmtpTestServer {
public:
    enum class Mode { Plain, StartTls, ImplicitTls };

    // With a user, only AUTH LOGIN is offered and it is required.
    explicit SmtpTestServer(Mode mode, const QString& user = {}, const QString& password = {});
    ~SmtpTestServer();

    bool started() const { return m_port > 0; }
    const QString& failure() const { return m_failure; }
    int port() const { return m_port; }
    // The throwaway self-signed certificate the TLS modes use.
    static QString certificate();

    struct Received {
        QString mailFrom;
        QStringList envelopeTo;
        QString tls;         // protocol version, empty on a plain connection
        QString login;       // user that authenticated, empty when none
        QJsonObject message; // from, to, cc, subject, date, text, attachments
    };
    QList<Received> messages() const;

    // A port on 127.0.0.1 where nothing listens.
    static int unusedPort();
    static QString python();
    static QString script();

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
    QString m_failure;
};
