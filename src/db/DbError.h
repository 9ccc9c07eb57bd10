#pragma once

#include <QString>
#include <stdexcept>

namespace db {

// A failure of the archive: connection, statement or translation. The text is
// Italian and is shown to the user as it stands.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message, const QString& details = QString())
        : std::runtime_error(message.toStdString()), m_message(message), m_details(details) {}
    const QString& message() const { return m_message; }
    // The engine's own words and the statement, for the "Dettagli" section.
    const QString& details() const { return m_details; }
    // The engine gave the action up to let another workstation through
    // (deadlock, serialization): the whole action may simply run again.
    bool retryable() const { return m_retryable; }
    DbError& setRetryable(bool on) {
        m_retryable = on;
        return *this;
    }

private:
    QString m_message;
    QString m_details;
    bool m_retryable = false;
};

} // namespace db
