#include "mail/EmailModel.h"

#include "common/Titles.h"
#include "mail/SmtpSettings.h"

namespace mail {

namespace {
const QString kCaption = QStringLiteral("Email");
} // namespace

void EmailModel::prefill(const QString& newSubject, const QString& newText,
                         const QStringList& addresses, const QStringList& files) {
    recipients.clear();
    attachments.clear();
    subject = newSubject;
    text = newText;
    recipients += addresses;
    attachments += files;
}

std::optional<common::Failure> EmailModel::checkContactSelection(int selectedRows) {
    if (selectedRows > 0)
        return std::nullopt;
    return common::Failure{common::titles::error,
                           QStringLiteral("Attenzione devi selezionare i contatti da copiare le "
                                          "email"),
                           QString()};
}

void EmailModel::fillFromContacts(const QStringList& emails) {
    prefill(QString(), QString(), {});
    for (const QString& e : emails)
        if (!e.trimmed().isEmpty())
            recipients.append(e.trimmed());
}

bool EmailModel::askRecipient() {
    QString address;
    if (!m_mailer.interaction().askText(QStringLiteral("Inserisci Email"), QStringLiteral("email"),
                                        &address))
        return false;
    address = address.trimmed();
    if (address.isEmpty())
        return false;
    recipients.append(address);
    return true;
}

void EmailModel::addRecipient(const QString& address) {
    if (!address.trimmed().isEmpty())
        recipients.append(address.trimmed());
}

void EmailModel::removeRecipient(int index) {
    if (index >= 0 && index < recipients.size())
        recipients.removeAt(index);
}

bool EmailModel::askAttachment() {
    const QString path =
        m_mailer.interaction().openFile(QStringLiteral("Allega File"), QString(), QString());
    if (path.isEmpty())
        return false;
    attachments.append(path);
    return true;
}

void EmailModel::addAttachment(const QString& path) {
    if (!path.isEmpty())
        attachments.append(path);
}

void EmailModel::removeAttachment(int index) {
    if (index >= 0 && index < attachments.size())
        attachments.removeAt(index);
}

void EmailModel::appendDefaultText() {
    const QString standard = SmtpSettings::load(m_mailer.database()).defaultText;
    if (standard.isEmpty())
        return;
    if (!text.isEmpty() && !text.endsWith(u'\n'))
        text += u'\n';
    text += standard;
}

void EmailModel::reset() {
    recipients.clear();
    attachments.clear();
    subject.clear();
    text.clear();
}

EmailModel::Outcome EmailModel::send() {
    Outcome out;
    common::Interaction& ui = m_mailer.interaction();
    if (recipients.isEmpty()) {
        ui.warning(common::titles::warningCapitalised, QStringLiteral("Manca il destinatario"));
        return out;
    }
    // Without a server nothing can go: one message, then nothing else.
    if (!m_mailer.settingsComplete())
        return out;
    const QStringList files = attachments;
    QStringList pending;
    for (const QString& r : recipients)
        if (!r.trimmed().isEmpty())
            pending.append(r);
    for (int i = 0; i < pending.size(); ++i) {
        const QString& r = pending[i];
        m_mailer.setSeriesStep(i, pending.size());
        if (m_mailer.send({r}, {}, files, subject, text)) {
            out.sent.append(r);
            continue;
        }
        out.notSent.append(r);
        if (!m_mailer.lastCancelled())
            ui.error(kCaption, QStringLiteral("Messaggio Non inviato a : ") + r);
        // A server that cannot be reached, or "Interrompi": the rest is not
        // tried, and the user is told which addresses were left.
        if (m_mailer.lastStoppedSending() && i + 1 < pending.size()) {
            const QStringList left = pending.mid(i + 1);
            out.notSent.append(left);
            ui.warning(kCaption, (m_mailer.lastCancelled()
                                      ? QStringLiteral("Invio interrotto. ")
                                      : QStringLiteral("Il server di posta non risponde. ")) +
                                     QStringLiteral("Messaggi non inviati a: ") +
                                     left.join(QStringLiteral(", ")));
            break;
        }
    }
    m_mailer.setSeriesStep(0, 0);
    ui.information(kCaption, QStringLiteral("Termine Invio Messaggi !"));
    return out;
}

} // namespace mail
