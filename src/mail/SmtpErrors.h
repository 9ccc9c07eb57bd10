#pragma once

#include "mail/SmtpSettings.h"

#include <QString>

namespace mail {

// What was seen of the SMTP dialogue when a send failed.
struct SmtpExchange {
    QString lastReply;     // the server's last refusal, e.g. "550 5.1.1 ..."
    QString lastRecipient; // the last address given to RCPT TO
    QString curlText;      // libcurl's own error text
};

// The Italian message for a failed send: what went wrong and, when the
// server said something, its reply.
QString describeFailure(int curlCode, const SmtpExchange& exchange, const SmtpSettings& settings);

} // namespace mail
