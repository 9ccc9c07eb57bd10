#include "mail/TestMessage.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "mail/Mailer.h"

namespace mail {

QString TestMessage::text() {
    return QStringLiteral("Questo è un messaggio di prova inviato da Ossarion.\n"
                          "Se lo ricevete, le impostazioni del server di posta in uscita "
                          "sono corrette.");
}

bool TestMessage::send(Mailer& mailer, const QString& address) {
    const QString to = address.trimmed();
    if (to.isEmpty()) {
        mailer.interaction().warning(
            common::titles::warningCapitalised,
            QStringLiteral("Inserire l'indirizzo a cui inviare la prova."));
        return false;
    }
    if (!mailer.send({to}, {}, {}, subject(), text()))
        return false;
    mailer.interaction().information(common::titles::warningCapitalised,
                                     QStringLiteral("Email di prova inviata a %1.").arg(to));
    return true;
}

} // namespace mail
