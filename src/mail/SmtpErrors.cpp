#include "mail/SmtpErrors.h"

#include <curl/curl.h>

namespace mail {

namespace {

// The server's reply code when the last reply was a refusal; 0 otherwise.
int refusalCode(const SmtpExchange& e) {
    const int code = e.lastReply.left(3).toInt();
    return code >= 400 && code < 600 ? code : 0;
}

QString withReply(const QString& text, const SmtpExchange& e) {
    if (refusalCode(e) == 0)
        return text;
    return text + QStringLiteral("\nRisposta del server: ") + e.lastReply;
}

} // namespace

QString describeFailure(int curlCode, const SmtpExchange& e, const SmtpSettings& s) {
    const QString server = QStringLiteral("%1 (porta %2)").arg(s.host).arg(s.effectivePort());
    switch (curlCode) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return QStringLiteral("Il server SMTP %1 non è stato trovato: controllare l'Host SMTP "
                              "tra le opzioni del programma.")
            .arg(s.host);
    case CURLE_COULDNT_CONNECT:
        return QStringLiteral("Impossibile collegarsi al server SMTP %1: il server non è "
                              "raggiungibile o non è in ascolto su quella porta.")
            .arg(server);
    case CURLE_OPERATION_TIMEDOUT:
        return QStringLiteral("Il server SMTP %1 non ha risposto in tempo: controllare la porta "
                              "e il tipo di cifratura tra le opzioni del programma.")
            .arg(server);
    case CURLE_LOGIN_DENIED:
        return withReply(QStringLiteral("Il server SMTP ha rifiutato l'accesso: nome utente o "
                                        "password errati, oppure il server non accetta "
                                        "l'autenticazione LOGIN."),
                         e);
    case CURLE_USE_SSL_FAILED:
        return QStringLiteral("Il server SMTP %1 non offre la connessione cifrata (STARTTLS): "
                              "controllare la cifratura e la porta tra le opzioni del programma.")
            .arg(server);
    case CURLE_SSL_CONNECT_ERROR:
        return QStringLiteral("Impossibile stabilire la connessione cifrata con il server SMTP "
                              "%1: controllare il tipo di cifratura e la porta tra le opzioni "
                              "del programma.")
            .arg(server);
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
        return QStringLiteral("Il certificato del server SMTP %1 non è valido o non è attendibile.")
            .arg(server);
    case CURLE_READ_ERROR:
        return QStringLiteral("Impossibile leggere un allegato del messaggio.");
    default:
        break;
    }

    const int code = refusalCode(e);
    if (e.curlText.startsWith(QStringLiteral("RCPT failed")))
        return withReply(
            QStringLiteral("Il server SMTP ha rifiutato il destinatario %1.").arg(e.lastRecipient),
            e);
    if (e.curlText.startsWith(QStringLiteral("MAIL failed"))) {
        if (code == 530)
            return withReply(QStringLiteral("Il server SMTP richiede l'autenticazione: "
                                            "attivarla e indicare nome utente e password tra le "
                                            "opzioni del programma."),
                             e);
        return withReply(
            QStringLiteral("Il server SMTP ha rifiutato il mittente %1.").arg(s.sender), e);
    }
    if (code != 0)
        return withReply(QStringLiteral("Il server SMTP non ha accettato il messaggio."), e);
    if (curlCode == CURLE_SEND_ERROR || curlCode == CURLE_RECV_ERROR ||
        curlCode == CURLE_GOT_NOTHING)
        return QStringLiteral("Il collegamento con il server SMTP %1 si è interrotto.").arg(server);
    return QStringLiteral("Errore nell'invio del messaggio al server SMTP %1 (codice %2: %3).")
        .arg(server)
        .arg(curlCode)
        .arg(e.curlText.isEmpty() ? QString::fromUtf8(curl_easy_strerror(CURLcode(curlCode)))
                                  : e.curlText);
}

} // namespace mail
