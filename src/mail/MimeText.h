#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace mail {

// The bare address of a recipient typed as "addr" or "Name <addr>".
QString bareAddress(const QString& text);
// A plain check of the form local@domain: one "@", no spaces, no
// characters that would break the SMTP command or the headers.
bool isValidAddress(const QString& address);

// A header value safe to send: one line, encoded words (UTF-8, base64)
// when it holds anything but printable ASCII.
QByteArray encodeHeaderText(const QString& text);
// The disposition of an attachment with its name as UTF-8 in the
// extended parameter form (filename*=UTF-8''...).
QByteArray attachmentDisposition(const QString& fileName);
// The Date header, in English as the standard wants.
QByteArray headerDate(const QDateTime& when);
// Line ends as CRLF, which the message body needs.
QByteArray bodyText(const QString& text);

} // namespace mail
