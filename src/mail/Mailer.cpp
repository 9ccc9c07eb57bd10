#include "mail/Mailer.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "mail/WatchedSend.h"

namespace mail {

bool Mailer::settingsComplete() {
    const SmtpSettings settings = SmtpSettings::load(m_db);
    if (settings.host.isEmpty())
        m_lastError = QStringLiteral("Per inviare email è necessario impostare l' Host SMTP tra "
                                     "le opzioni del programma !");
    else if (settings.sender.isEmpty())
        m_lastError = QStringLiteral("Per inviare email è necessario impostare il mittente delle "
                                     "email tra le opzioni del programma !");
    else
        return true;
    m_ui.warning(common::titles::warningCapitalised, m_lastError);
    return false;
}

bool Mailer::send(const QStringList& recipients, const QStringList& ccRecipients,
                  const QStringList& attachments, const QString& subject, const QString& text) {
    m_lastError.clear();
    m_lastUnreachable = false;
    m_lastCancelled = false;
    bool any = false;
    for (const QString& r : recipients)
        any = any || !r.trimmed().isEmpty();
    if (!any) {
        m_lastError = QStringLiteral("Manca il destinatario");
        return false;
    }

    if (!settingsComplete())
        return false;
    SmtpSettings settings = SmtpSettings::load(m_db);
    settings.caFile = m_caFile;

    busy(true);
    const QString shown =
        QStringLiteral("Invio del messaggio a %1…").arg(recipients.join(QStringLiteral(", ")));
    const SendResult r =
        sendWatched(SmtpClient(settings), {recipients, ccRecipients, attachments, subject, text},
                    m_ui, shown, m_done, m_total);
    if (m_total <= 0)
        m_ui.progress(shown, 1, 1);
    busy(false);
    m_lastUnreachable = r.unreachable;
    m_lastCancelled = r.cancelled;
    if (!r.sent) {
        m_lastError = r.error;
        if (!r.cancelled)
            m_ui.error(common::titles::error, r.error);
    }
    return r.sent;
}

} // namespace mail
