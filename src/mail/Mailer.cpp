#include "mail/Mailer.h"

#include "common/Interaction.h"
#include "common/Titles.h"

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
    const SendResult r =
        SmtpClient(settings).send({recipients, ccRecipients, attachments, subject, text});
    busy(false);
    if (!r.sent) {
        m_lastError = r.error;
        m_ui.error(common::titles::error, r.error);
    }
    return r.sent;
}

} // namespace mail
