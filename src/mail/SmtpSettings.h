#pragma once

#include <QString>

namespace db {
class Database;
}

namespace mail {

// How the connection to the SMTP server is made, as the options row says.
struct SmtpSettings {
    QString host;
    int port = 0; // 0: the standard port 25
    QString sender;
    bool encrypted = false;
    int encryptionType = 1; // choice index of the options screen
    bool authenticate = false;
    QString userName;
    QString password;
    QString defaultText;

    // Certificates trusted instead of the system ones (tests use a
    // throwaway self-signed certificate); empty in the program.
    QString caFile;
    int connectTimeoutSeconds = 20;
    int responseTimeoutSeconds = 60;
    // The whole message, from connecting to the last reply.
    int totalTimeoutSeconds = 300;

    // The options row of the archive, read at every send.
    static SmtpSettings load(db::Database& db);

    enum class Security { Plain, StartTls, ImplicitTls };
    // The old protocol codes 0, 1 and 2 become STARTTLS with TLS 1.2 or
    // later; code 4 is TLS from the first byte (port 465).
    Security security() const;
    int effectivePort() const { return port > 0 ? port : 25; }
    // smtp://host:port or smtps://host:port
    QString url() const;
};

} // namespace mail
