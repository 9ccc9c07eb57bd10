#pragma once

#include "mail/SmtpClient.h"

namespace common {
class Interaction;
}

namespace mail {

// Sends one message on a thread of its own while the calling thread keeps
// the progress window (text, done of total) alive; "Interrompi" stops the
// message where it is. The window is not closed here: the caller's series
// goes on or ends it.
SendResult sendWatched(const SmtpClient& client, const MailMessage& message,
                       common::Interaction& ui, const QString& text, qint64 done, qint64 total);

} // namespace mail
