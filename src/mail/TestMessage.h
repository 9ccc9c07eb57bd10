#pragma once

#include <QString>

namespace mail {

class Mailer;

// "Invia email di prova": a short message to one address with the options of
// the archive, so the user sees at once whether the server settings work.
class TestMessage {
public:
    static QString subject() { return QStringLiteral("Ossarion - email di prova"); }
    static QString text();
    // Asks for nothing: sends to address and tells the user the outcome
    // (the failures through the mailer's own messages). True when sent.
    static bool send(Mailer& mailer, const QString& address);
};

} // namespace mail
