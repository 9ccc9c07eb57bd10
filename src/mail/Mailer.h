#pragma once

#include "mail/SmtpClient.h"

#include <QStringList>
#include <functional>

namespace common {
class Interaction;
}
namespace db {
class Database;
}

namespace mail {

// Sends mail with the options of the archive, telling the user what went
// wrong through the interaction.
class Mailer {
public:
    Mailer(db::Database& db, common::Interaction& ui) : m_db(db), m_ui(ui) {}

    // InviaMail: one message to the recipients and copy recipients (empty
    // texts skipped) with the attachments. True when the server took it.
    bool send(const QStringList& recipients, const QStringList& ccRecipients,
              const QStringList& attachments, const QString& subject, const QString& text);

    // Warns once when the options lack what sending needs (SMTP host,
    // sender); true when they have it.
    bool settingsComplete();

    // The reason of the last failure, as shown to the user.
    const QString& lastError() const { return m_lastError; }
    // The last failure was the server's (unreachable, silent) or the
    // user's "Interrompi": sending more now would fail or was not wanted.
    bool lastStoppedSending() const { return m_lastUnreachable || m_lastCancelled; }
    bool lastCancelled() const { return m_lastCancelled; }

    // Where this message stands in a series (for the progress window): the
    // window stays open between the messages of a series and closes after
    // a single one.
    void setSeriesStep(qint64 done, qint64 total) {
        m_done = done;
        m_total = total;
    }

    // Called with true before the connection opens and with false when
    // sending is over (the screen shows the hourglass meanwhile).
    void setBusyHandler(std::function<void(bool)> busy) { m_busy = std::move(busy); }
    // Certificates to trust instead of the system ones: for tests only.
    void setCaFile(const QString& path) { m_caFile = path; }

    db::Database& database() { return m_db; }
    common::Interaction& interaction() { return m_ui; }

private:
    void busy(bool on) {
        if (m_busy)
            m_busy(on);
    }

    db::Database& m_db;
    common::Interaction& m_ui;
    std::function<void(bool)> m_busy;
    QString m_caFile;
    QString m_lastError;
    bool m_lastUnreachable = false;
    bool m_lastCancelled = false;
    qint64 m_done = 0;
    qint64 m_total = 0;
};

} // namespace mail
