#include "common/ICalendar.h"

#include <QStringList>
#include <algorithm>
#include <utility>

namespace common {

namespace {

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString compact(const QDateTime& dateTime) {
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    return QString::number(date.year()) + twoDigits(date.month()) + twoDigits(date.day()) +
           QLatin1Char('T') + twoDigits(time.hour()) + twoDigits(time.minute()) +
           twoDigits(time.second());
}

bool continuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

QString icsStamp(const QDateTime& dateTime) {
    if (!dateTime.isValid()) {
        return {};
    }
    return compact(dateTime) + QLatin1Char('Z');
}

QString icsLocalTime(const QDateTime& dateTime) {
    return dateTime.isValid() ? compact(dateTime) : QString();
}

QString icsEvent(const QString& created, const QString& description, const QString& dtEnd,
                 const QString& dtStamp, const QString& dtStart, const QString& lastModified,
                 const QString& location, const QString& priority, const QString& sequence,
                 const QString& summary, const QString& opaque, const QString& uid) {
    const std::pair<const char*, const QString*> properties[] = {
        {"CREATED:", &created},   {"DESCRIPTION:", &description},
        {"DTEND:", &dtEnd},       {"DTSTAMP:", &dtStamp},
        {"DTSTART:", &dtStart},   {"LAST-MODIFIED:", &lastModified},
        {"LOCATION:", &location}, {"PRIORITY:", &priority},
        {"SEQUENCE:", &sequence}, {"SUMMARY;LANGUAGE=it-IT:", &summary},
        {"OPAQUE:", &opaque},     {"UID:", &uid},
    };
    QString text = QStringLiteral("BEGIN:VEVENT\n");
    for (const auto& [name, value] : properties) {
        if (!value->isEmpty()) {
            text += QLatin1String(name) + *value + QLatin1Char('\n');
        }
    }
    text += QStringLiteral("X-MICROSOFT-CDO-BUSYSTATUS:BUSY\n"
                           "X-MICROSOFT-CDO-IMPORTANCE:1\n"
                           "X-MICROSOFT-DISALLOW-COUNTER:FALSE\n"
                           "X-MS-OLK-ALLOWEXTERNCHECK:TRUE\n"
                           "X-MS-OLK-AUTOFILLLOCATION:FALSE\n"
                           "X-MS-OLK-CONFTYPE:0\n"
                           "END:VEVENT\n");
    return text;
}

QString icsText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' || c == u';' || c == u',') {
            out += u'\\';
            out += c;
        } else if (c == u'\r') {
            out += QLatin1String("\\n");
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (c == u'\n') {
            out += QLatin1String("\\n");
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray icsContentLines(const QString& text) {
    constexpr qsizetype limit = 75;
    QByteArray out;
    const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QByteArray bytes = line.toUtf8();
        qsizetype at = 0;
        bool first = true;
        while (true) {
            // A continuation line spends one octet on its leading space.
            const qsizetype room = first ? limit : limit - 1;
            qsizetype end = std::min(at + room, bytes.size());
            while (end < bytes.size() && end > at && continuationByte(bytes[end]))
                --end;
            if (!first)
                out += ' ';
            out += bytes.mid(at, end - at);
            out += "\r\n";
            at = end;
            first = false;
            if (at >= bytes.size())
                break;
        }
    }
    return out;
}

} // namespace common
