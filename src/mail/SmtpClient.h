#pragma once

#include "mail/SmtpSettings.h"

#include <QStringList>

namespace mail {

// One message as handed to the server.
struct MailMessage {
    QStringList to; // empty texts are skipped
    QStringList cc;
    QStringList attachments; // full paths; each goes out as application/pdf
    QString subject;
    QString text;
};

struct SendResult {
    bool sent = false;
    QString error; // Italian, for the user, when not sent
};

// Sends one message over one SMTP connection (libcurl, TLS by OpenSSL,
// AUTH LOGIN, MIME built by libcurl). Blocks until the server answered.
class SmtpClient {
public:
    explicit SmtpClient(SmtpSettings settings) : m_settings(std::move(settings)) {}
    SendResult send(const MailMessage& message) const;

private:
    SmtpSettings m_settings;
};

} // namespace mail
