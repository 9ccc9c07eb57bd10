#include "mail/SmtpClient.h"

#include "mail/MimeText.h"
#include "mail/SmtpErrors.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace mail {

namespace {

void initCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct EasyDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct MimeDeleter {
    void operator()(curl_mime* m) const { curl_mime_free(m); }
};
struct ListDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};
using List = std::unique_ptr<curl_slist, ListDeleter>;

void append(List& list, const QByteArray& line) {
    list.reset(curl_slist_append(list.release(), line.constData()));
}

// Watches the dialogue for the last refusal and the last recipient named,
// so that errors can say what the server refused.
int watch(CURL*, curl_infotype type, char* data, size_t size, void* user) {
    auto* exchange = static_cast<SmtpExchange*>(user);
    const QByteArray line = QByteArray(data, qsizetype(size)).trimmed();
    if (type == CURLINFO_HEADER_IN) {
        // Refusals only: the goodbye after a failure must not hide them.
        const QByteArray reply = line.split('\n').last().trimmed();
        if (reply.startsWith('4') || reply.startsWith('5'))
            exchange->lastReply = QString::fromUtf8(reply);
    } else if (type == CURLINFO_HEADER_OUT && line.startsWith("RCPT TO:")) {
        exchange->lastRecipient = QString::fromUtf8(line.mid(8)).remove(u'<').remove(u'>');
    }
    return 0;
}

QStringList nonEmpty(const QStringList& texts) {
    QStringList out;
    for (const QString& t : texts)
        if (!t.trimmed().isEmpty())
            out.append(bareAddress(t));
    return out;
}

QByteArray mailboxList(const QStringList& addresses) {
    QByteArray out;
    for (const QString& a : addresses)
        out += (out.isEmpty() ? "<" : ", <") + a.toUtf8() + ">";
    return out;
}

} // namespace

namespace {

int stopWhenCancelled(void* data, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* cancel = static_cast<const std::atomic<bool>*>(data);
    return cancel && cancel->load() ? 1 : 0;
}

} // namespace

SendResult SmtpClient::send(const MailMessage& message, const std::atomic<bool>* cancel) const {
    const SmtpSettings& s = m_settings;
    const QStringList to = nonEmpty(message.to);
    const QStringList cc = nonEmpty(message.cc);
    if (to.isEmpty())
        return {false, QStringLiteral("Manca il destinatario")};
    if (!isValidAddress(s.sender))
        return {false, QStringLiteral("L'indirizzo del mittente \"%1\" impostato tra le opzioni "
                                      "del programma non è valido.")
                           .arg(s.sender)};
    for (const QString& a : to + cc)
        if (!isValidAddress(a))
            return {false, QStringLiteral("L'indirizzo email \"%1\" non è valido.").arg(a)};
    QStringList files;
    for (const QString& f : message.attachments) {
        if (f.trimmed().isEmpty())
            continue;
        if (!QFileInfo(f).isFile() || !QFileInfo(f).isReadable())
            return {false, QStringLiteral("L'allegato %1 non esiste o non si può leggere.").arg(f)};
        files.append(f);
    }

    initCurl();
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if (!easy)
        return {false, QStringLiteral("Impossibile preparare l'invio del messaggio.")};
    CURL* c = easy.get();
    SmtpExchange exchange;
    char errorBuffer[CURL_ERROR_SIZE] = {};

    const QByteArray url = s.url().toUtf8();
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, long(s.connectTimeoutSeconds));
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(s.responseTimeoutSeconds));
    curl_easy_setopt(c, CURLOPT_TIMEOUT, long(s.totalTimeoutSeconds));
    // Asked about once a second, while connecting too: "Interrompi" stops
    // the message where it is.
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &stopWhenCancelled);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, const_cast<void*>(static_cast<const void*>(cancel)));
    curl_easy_setopt(c, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(c, CURLOPT_DEBUGFUNCTION, &watch);
    curl_easy_setopt(c, CURLOPT_DEBUGDATA, &exchange);

    const QByteArray caFile = QFile::encodeName(s.caFile);
    if (s.security() != SmtpSettings::Security::Plain) {
        curl_easy_setopt(c, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
        curl_easy_setopt(c, CURLOPT_SSLVERSION, long(CURL_SSLVERSION_TLSv1_2));
        if (!caFile.isEmpty())
            curl_easy_setopt(c, CURLOPT_CAINFO, caFile.constData());
    }

    const QByteArray user = s.userName.toUtf8();
    const QByteArray password = s.password.toUtf8();
    if (s.authenticate) {
        curl_easy_setopt(c, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
        curl_easy_setopt(c, CURLOPT_LOGIN_OPTIONS, "AUTH=LOGIN");
    }

    const QByteArray from = '<' + s.sender.toUtf8() + '>';
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.constData());
    List recipients;
    for (const QString& a : to + cc)
        append(recipients, '<' + a.toUtf8() + '>');
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, recipients.get());

    List headers;
    const QDateTime now = QDateTime::currentDateTime();
    append(headers, "Date: " + headerDate(now));
    append(headers, "From: " + from);
    append(headers, "To: " + mailboxList(to));
    if (!cc.isEmpty())
        append(headers, "Cc: " + mailboxList(cc));
    append(headers, "Subject: " + encodeHeaderText(message.subject));
    const QString domain = s.sender.mid(s.sender.indexOf(u'@') + 1);
    append(headers, "Message-ID: <" + QUuid::createUuid().toByteArray(QUuid::WithoutBraces) + '@' +
                        domain.toUtf8() + '>');
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());

    std::unique_ptr<curl_mime, MimeDeleter> mime(curl_mime_init(c));
    const QByteArray body = bodyText(message.text);
    curl_mimepart* part = curl_mime_addpart(mime.get());
    curl_mime_data(part, body.constData(), size_t(body.size()));
    curl_mime_type(part, "text/plain; charset=UTF-8");
    curl_mime_encoder(part, "quoted-printable");
    for (const QString& f : files) {
        part = curl_mime_addpart(mime.get());
        curl_mime_filedata(part, QFile::encodeName(f).constData());
        const QString name = QFileInfo(f).fileName();
        curl_mime_filename(part, name.toUtf8().constData());
        if (encodeHeaderText(name).startsWith("=?")) {
            // Accented names in the parameter form mail programs decode.
            curl_slist* h = curl_slist_append(
                nullptr, ("Content-Disposition: " + attachmentDisposition(name)).constData());
            curl_mime_headers(part, h, 1);
        }
        curl_mime_type(part, "application/pdf");
        curl_mime_encoder(part, "base64");
    }
    curl_easy_setopt(c, CURLOPT_MIMEPOST, mime.get());

    const CURLcode rc = curl_easy_perform(c);
    if (rc == CURLE_OK)
        return {true, QString()};
    if (rc == CURLE_ABORTED_BY_CALLBACK)
        return {false, QStringLiteral("Invio interrotto."), false, true};
    exchange.curlText = QString::fromUtf8(errorBuffer);
    const bool unreachable = rc == CURLE_COULDNT_RESOLVE_HOST || rc == CURLE_COULDNT_CONNECT ||
                             rc == CURLE_OPERATION_TIMEDOUT;
    return {false, describeFailure(int(rc), exchange, s), unreachable};
}

} // namespace mail
