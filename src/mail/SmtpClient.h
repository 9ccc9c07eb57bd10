#pragma once

#include "mail/SmtpSettings.h"

#include <QStringList>
#include <atomic>

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
    // The server could not be reached or stopped answering: the next
    // message would fare no better.
    bool unreachable = false;
    bool cancelled = false; // stopped by the user
};

// Sends one message over one SMTP connection (libcurl, TLS by OpenSSL,
// AUTH LOGIN, MIME built by libcurl). Blocks until the server answered, the
// settings' total time ran out or `cancel` was set (from another thread).
class SmtpClient {
public:
    explicit SmtpClient(SmtpSettings settings) : m_settings(std::move(settings)) {}
    SendResult send(const MailMessage& message, const std::atomic<bool>* cancel = nullptr) const;

private:
    SmtpSettings m_settings;
};

} // namespace mail
