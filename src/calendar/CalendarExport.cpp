#include "calendar/CalendarExport.h"

#include "calendar/CalendarRules.h"
#include "common/ICalendar.h"
#include "common/Titles.h"
#include "db/Row.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace calendar {

namespace {

bool hasEvents(const QList<CalendarEntry>& entries) {
    return std::any_of(entries.begin(), entries.end(),
                       [](const CalendarEntry& e) { return e.date.isValid(); });
}

const QString kNothingToExport = QStringLiteral("Nessun appuntamento da esportare");

QString eventText(const CalendarEntry& entry, const QString& tag, const QString& stamp) {
    const QString start = common::icsLocalTime(entry.date);
    const QString end = common::icsLocalTime(entry.date.addSecs(3600));
    return common::icsEvent(stamp, {}, end, stamp, start, {}, {}, {}, {},
                            common::icsText(summary(entry)), {}, eventUid(entry.id, tag));
}

} // namespace

QList<CalendarEntry> readEntries(db::Database& db, const QString& condition) {
    QString sql = QStringLiteral("select Id, Data, Personale, TipologiaCalendario, Cliente, Note "
                                 "from Calendario");
    if (!condition.isEmpty())
        sql += QStringLiteral(" where ") + condition;
    sql += QStringLiteral(" order by ") + listOrder();
    QList<CalendarEntry> entries;
    for (const db::Row& row : db.query(sql))
        entries.append({row.integer(QStringLiteral("Id")), row.dateTime(QStringLiteral("Data")),
                        row.text(QStringLiteral("Personale")),
                        row.text(QStringLiteral("TipologiaCalendario")),
                        row.text(QStringLiteral("Cliente")), row.text(QStringLiteral("Note"))});
    return entries;
}

QString summary(const CalendarEntry& entry) {
    QString text;
    if (!entry.staff.isEmpty())
        text += entry.staff + QStringLiteral(" - ");
    if (!entry.type.isEmpty())
        text += entry.type + QStringLiteral(" / ");
    if (!entry.customer.isEmpty())
        text += entry.customer + QStringLiteral(" : ");
    return text + entry.notes;
}

QString archiveTag(db::Database& db) {
    QString origin;
    if (db.tableExists(QStringLiteral("VersioneArchivio"))) {
        const QDateTime created = db::Row::toDateTime(
            db.scalar(QStringLiteral("select min(DataAggiornamento) as D from VersioneArchivio "
                                     "where Versione = 1")));
        if (created.isValid())
            origin = created.toString(QStringLiteral("yyyyMMddHHmmsszzz"));
    }
    // An archive without its creation row: its location is the best mark left.
    if (origin.isEmpty())
        origin = db.displayName();
    return QString::fromLatin1(
        QCryptographicHash::hash(origin.toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
}

QString eventUid(qint64 id, const QString& archiveTag) {
    return QStringLiteral("calendario-%1-%2@ossarion").arg(id).arg(archiveTag);
}

QByteArray calendarFile(const QList<CalendarEntry>& entries, const QString& archiveTag,
                        const QDateTime& exportedAt) {
    const QString stamp = common::icsStamp(exportedAt.toUTC());
    QString text = QStringLiteral("BEGIN:VCALENDAR\n"
                                  "VERSION:2.0\n"
                                  "PRODID:Calendario-Ossarion\n");
    for (const CalendarEntry& entry : entries)
        // An event must have its start; an appointment without a date has none.
        if (entry.date.isValid())
            text += eventText(entry, archiveTag, stamp);
    text += QStringLiteral("END:VCALENDAR\n");
    return common::icsContentLines(text);
}

std::optional<common::Failure>
writeCalendarFile(db::Database& db, const QList<CalendarEntry>& entries, const QString& path) {
    // A calendar file holds at least one event.
    if (!hasEvents(entries))
        return common::Failure{common::titles::warning, kNothingToExport, {}};
    const QByteArray data = calendarFile(entries, archiveTag(db), QDateTime::currentDateTimeUtc());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        return common::Failure{
            common::titles::error,
            QStringLiteral("Impossibile scrivere il file %1").arg(QDir::toNativeSeparators(path)),
            {}};
    return std::nullopt;
}

QString exportToChosenFile(db::Database& db, common::Interaction& ui,
                           const QList<CalendarEntry>& entries, const QString& folder) {
    if (!hasEvents(entries)) {
        ui.warning(common::titles::warning, kNothingToExport);
        return {};
    }
    QString path =
        ui.saveFile(QStringLiteral("Esporta Calendario"), QStringLiteral("Files Ical (*.ics)"),
                    QDir(folder).filePath(QStringLiteral("Calendario.ics")));
    if (path.isEmpty())
        return {};
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".ics");
    if (QFileInfo::exists(path) &&
        !ui.question(common::titles::warning,
                     QStringLiteral("Il file e' gia' presente ! Sovrascriverlo ?")))
        return {};
    if (auto failure = writeCalendarFile(db, entries, path)) {
        ui.fail(*failure);
        return {};
    }
    ui.information(
        common::titles::warning,
        QStringLiteral("Calendario esportato in %1").arg(QDir::toNativeSeparators(path)));
    return path;
}

} // namespace calendar
