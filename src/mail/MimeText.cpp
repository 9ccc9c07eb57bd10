#include "mail/MimeText.h"

#include <QLocale>

namespace mail {

QString bareAddress(const QString& text) {
    QString t = text.trimmed();
    const int open = t.lastIndexOf(u'<');
    if (open >= 0 && t.endsWith(u'>'))
        t = t.mid(open + 1, t.size() - open - 2).trimmed();
    return t;
}

bool isValidAddress(const QString& address) {
    const int at = address.indexOf(u'@');
    if (at <= 0 || at != address.lastIndexOf(u'@') || at == address.size() - 1)
        return false;
    for (const QChar c : address) {
        if (c.unicode() <= 32 || c.unicode() == 127)
            return false;
        if (QStringLiteral("<>,;:\"()[]\\").contains(c))
            return false;
    }
    const QString domain = address.mid(at + 1);
    return !domain.startsWith(u'.') && !domain.endsWith(u'.') &&
           !domain.contains(QStringLiteral(".."));
}

QByteArray encodeHeaderText(const QString& text) {
    QString line = text;
    line.replace(u'\r', u' ').replace(u'\n', u' ').replace(u'\t', u' ');
    bool plain = true;
    for (const QChar c : line)
        plain = plain && c.unicode() >= 32 && c.unicode() < 127;
    if (plain && !line.contains(QStringLiteral("=?")))
        return line.toLatin1();

    // Encoded words of at most 45 bytes each (75 characters once encoded),
    // never splitting a character.
    QByteArray out;
    QByteArray chunk;
    const auto flush = [&] {
        if (chunk.isEmpty())
            return;
        if (!out.isEmpty())
            out += ' ';
        out += "=?UTF-8?B?" + chunk.toBase64() + "?=";
        chunk.clear();
    };
    for (int i = 0; i < line.size(); ++i) {
        int n = line.at(i).isHighSurrogate() && i + 1 < line.size() ? 2 : 1;
        const QByteArray bytes = line.mid(i, n).toUtf8();
        if (chunk.size() + bytes.size() > 45)
            flush();
        chunk += bytes;
        i += n - 1;
    }
    flush();
    return out;
}

QByteArray attachmentDisposition(const QString& fileName) {
    return "attachment; filename*=UTF-8''" +
           fileName.toUtf8().toPercentEncoding(QByteArray(), QByteArray("!#$&+^`{}~"));
}

QByteArray headerDate(const QDateTime& when) {
    return QLocale::c().toString(when, QStringLiteral("ddd, dd MMM yyyy HH:mm:ss ")).toLatin1() +
           [&] {
               const int offset = when.offsetFromUtc() / 60;
               const int a = offset < 0 ? -offset : offset;
               return QByteArray(offset < 0 ? "-" : "+") +
                      QByteArray::number(a / 60).rightJustified(2, '0') +
                      QByteArray::number(a % 60).rightJustified(2, '0');
           }();
}

QByteArray bodyText(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    t.replace(u'\n', QStringLiteral("\r\n"));
    return t.toUtf8();
}

} // namespace mail
