#pragma once

#include "common/Interaction.h"
#include "db/Database.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>

// Appointments and jobs (table Calendario) and their types
// (TipologiaCalendario, referred to by description).
namespace calendar {

// The card's check before the row is written: the date.
std::optional<common::Failure> checkEntry(const QVariantMap& values);
// The check once it is written: a reminder date after the appointment. An
// empty reminder date passes.
std::optional<common::Failure> checkReminder(const QVariantMap& values);
// A type needs its description.
std::optional<common::Failure> checkType(const QVariantMap& values);

// "Aggiungi": an appointment on the day, not done and not in history, with
// this workstation's defaults for the table; one transaction. Its key.
qint64 insertEntry(db::Database& db, const QDate& day);

// Copies the names of the chosen staff member and customer onto the
// appointment (Personale, Cliente), or empties them when none is chosen.
void copyNames(db::Database& db, qint64 id);

// The list's search. Texts match from their start; the two dates are typed
// dd/MM/yyyy; day is the day picked on the month calendar (null: none).
struct Search {
    QString staff;
    QString type;
    QString customer;
    QString notes;
    QDate day;
    QString from;
    QString to;
};
// The Jet condition of the search (empty when nothing is asked), or the
// failure of a date that does not exist.
std::optional<common::Failure> searchCondition(const Search& search, QString* condition);

// Which appointments a list shows: those not in history, or in history mode
// every one dated in the range.
QString periodCondition(bool history, const QDate& from, const QDate& to);
// The list's order.
inline QString listOrder() {
    return QStringLiteral("Data desc, Personale");
}

// The days of the month that have an appointment matching the Jet
// condition (empty: any), for the month calendar to mark them.
QList<QDate> busyDays(db::Database& db, const QString& condition, int year, int month);

// The start-up's move to history with the year's first day: done
// appointments before it go to history, undone ones come back.
QStringList historyStatements(const QDate& yearStart);

// Appointments not done whose reminder date has come, by reminder date:
// Data, Personale, Cliente, TipologiaCalendario, Note, Id.
db::Result reminders(db::Database& db, const QDate& today);

} // namespace calendar
