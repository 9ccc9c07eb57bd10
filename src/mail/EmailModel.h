#pragma once

#include "common/Interaction.h"
#include "mail/Mailer.h"

#include <QStringList>
#include <optional>

namespace mail {

// The "Email" screen without its widgets: recipients, subject, text and
// attachments, and the send action (one message per recipient).
class EmailModel {
public:
    EmailModel(db::Database& db, common::Interaction& ui) : m_mailer(db, ui) {}

    QStringList recipients;
    QStringList attachments; // full paths
    QString subject;
    QString text;

    // Opening filled beforehand: lists emptied, then subject, text,
    // addresses and files set.
    void prefill(const QString& subject, const QString& text, const QStringList& addresses,
                 const QStringList& files = {});
    // The lists of customers, suppliers and staff: the check made before
    // opening, then the e-mail column of each selected row, in order.
    static std::optional<common::Failure> checkContactSelection(int selectedRows);
    void fillFromContacts(const QStringList& emails);

    // Asks the address ("Inserisci Email"); false when nothing was typed.
    bool askRecipient();
    void addRecipient(const QString& address);
    void removeRecipient(int index);
    // Asks the file ("Allega File"); false when none was chosen.
    bool askAttachment();
    void addAttachment(const QString& path);
    void removeAttachment(int index);
    void clearAttachments() { attachments.clear(); }
    // Appends the standard text of the options.
    void appendDefaultText();
    // "Azzera"
    void reset();

    struct Outcome {
        QStringList sent;
        QStringList notSent;
    };
    // "Invia": one message per non-empty recipient, all the attachments.
    Outcome send();

    Mailer& mailer() { return m_mailer; }

private:
    Mailer m_mailer;
};

} // namespace mail
