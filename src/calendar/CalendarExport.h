#pragma once

#include "common/Interaction.h"
#include "db/Database.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// The appointments as one iCalendar file (RFC 5545) for other calendar
// programs: the list's "Esporta Calendario" and ossarion-admin
// export-calendar write the same file.
namespace calendar {

// One appointment as the export reads it.
struct CalendarEntry {
    qint64 id = 0;
    QDateTime date;
    QString staff;
    QString type;
    QString customer;
    QString notes;
};

// The appointments matching the Jet condition, in the list's order.
QList<CalendarEntry> readEntries(db::Database& db, const QString& condition);

// "staff - type / customer : notes", each part with its separator only when
// present.
QString summary(const CalendarEntry& entry);

// A short mark of the archive, the same whatever path or address it is
// opened by: taken from the moment the archive was created.
QString archiveTag(db::Database& db);
// The event's UID: the same appointment keeps it from one export to the
// next, so a calendar updates the event instead of adding it twice.
QString eventUid(qint64 id, const QString& archiveTag);

// The file: one event per appointment with a date, in the given order,
// starting at its date and ending an hour later (local time, no zone);
// stamped with the export moment (universal time).
QByteArray calendarFile(const QList<CalendarEntry>& entries, const QString& archiveTag,
                        const QDateTime& exportedAt);

// "Esporta Calendario": asks where to save (proposing "Calendario.ics",
// adding ".ics" to a name without an extension) and writes the file. The
// path written; empty when cancelled or refused (the reason already shown).
QString exportToChosenFile(db::Database& db, common::Interaction& ui,
                           const QList<CalendarEntry>& entries, const QString& folder);

// Writes the file; the failure when it cannot be written.
std::optional<common::Failure>
writeCalendarFile(db::Database& db, const QList<CalendarEntry>& entries, const QString& path);

} // namespace calendar
