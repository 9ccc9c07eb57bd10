#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

// iCalendar text of the calendar entries, for import into other calendar
// programs. Every line ends with a line feed only.

namespace common {

// Compact stamp "yyyyMMddThhmmssZ" of the local date-time as stored (no
// conversion to universal time). Empty for an invalid date-time.
QString icsStamp(const QDateTime& dateTime);

// One VEVENT block; each property line is written only when its value is
// not empty.
QString icsEvent(const QString& created, const QString& description, const QString& dtEnd,
                 const QString& dtStamp, const QString& dtStart, const QString& lastModified,
                 const QString& location, const QString& priority, const QString& sequence,
                 const QString& summary, const QString& opaque, const QString& uid);

// One row of the calendar list, with the column names of its table.
struct CalendarEntry {
    QDateTime Data;
    QString Personale;
    QString TipologiaCalendario;
    QString Cliente;
    QString Note;
};

// The event summary: "staff - type / customer : note", each part with its
// separator only when present.
QString icsSummary(const CalendarEntry& entry);

// The whole calendar: one event per entry in list order, created on today.
QString icsCalendar(const QList<CalendarEntry>& entries, const QDate& today);

} // namespace common
