#include "common/ICalendar.h"

#include <utility>

namespace common {

namespace {

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// A line break inside a property value would end the line early and spoil
// the file, so it is written as the iCalendar escape "\n".
QString oneLine(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
    text.replace(QLatin1Char('\r'), QLatin1String("\\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return text;
}

} // namespace

QString icsStamp(const QDateTime& dateTime) {
    if (!dateTime.isValid()) {
        return {};
    }
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    return QString::number(date.year()) + twoDigits(date.month()) + twoDigits(date.day()) +
           QLatin1Char('T') + twoDigits(time.hour()) + twoDigits(time.minute()) +
           twoDigits(time.second()) + QLatin1Char('Z');
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

QString icsSummary(const CalendarEntry& entry) {
    QString summary;
    if (!entry.Personale.isEmpty()) {
        summary += entry.Personale + QStringLiteral(" - ");
    }
    if (!entry.TipologiaCalendario.isEmpty()) {
        summary += entry.TipologiaCalendario + QStringLiteral(" / ");
    }
    if (!entry.Cliente.isEmpty()) {
        summary += entry.Cliente + QStringLiteral(" : ");
    }
    summary += entry.Note;
    return summary;
}

QString icsCalendar(const QList<CalendarEntry>& entries, const QDate& today) {
    const QString created = icsStamp(QDateTime(today, QTime(0, 0)));
    QString text = QStringLiteral("BEGIN:VCALENDAR\n"
                                  "VERSION:2.0\n"
                                  "PRODID:Calendario-Ossarion\n");
    for (const CalendarEntry& entry : entries) {
        const QString when = icsStamp(entry.Data);
        // The entry's moment is also given as the start: several calendar
        // programs reject an event without DTSTART.
        text += icsEvent(created, {}, when, when, when, {}, {}, {}, {}, oneLine(icsSummary(entry)),
                         {}, {});
    }
    text += QStringLiteral("END:VCALENDAR\n");
    return text;
}

} // namespace common
