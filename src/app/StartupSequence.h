#pragma once

#include "app/Permissions.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace common {
class Interaction;
}
namespace db {
class Database;
}

namespace app {

struct StartupOptions {
    QString installationFolder; // empty: Installation::folder()
    QString helpFile;           // empty: the shipped help pages' index.html
    QDate today;                // null: the current date
};

// The dates that decide what is moved to history.
struct CutOffDates {
    QDate yearStart;   // 1 January of the current year
    QDate orderCutOff; // first day of the current month, one year ago
    QDate today;

    static CutOffDates forToday(const QDate& today);
};

// One list of the reminder window: the header row and one row of cells per
// record (dates dd/MM/yyyy, amounts with two decimals, null values empty).
struct ReminderList {
    QString title;
    QStringList header;
    QList<QStringList> rows;
    QList<qint64> ids; // the instalment's or calendar entry's key, per row
    // The screen that opens a row when it is not the list's own (a staff
    // deadline among the calendar notices); empty for the list's own.
    QStringList screens;
};

// What the main window needs once the start-up ran.
struct StartupResult {
    bool stop = true; // true: end the program (the reason was already shown)
    Permissions permissions;
    QString archive; // as named by percorso.txt
    QString helpFile;
    bool helpFound = false;
    bool scriptApplied = false; // SQLAggio.sql ran and was deleted
    QString caption;            // "Ossarion - " + company name
    int startTab = 0;           // zero-based index of the tab shown first
    bool remindersEnabled = false;
    ReminderList dueInstalments;  // "Scadenze passate"
    ReminderList calendarNotices; // "Avvisi Calendario"

    // The reminder window ("Promemoria Scadenze") is shown when either list
    // has rows.
    bool showReminder() const {
        return !dueInstalments.rows.isEmpty() || !calendarNotices.rows.isEmpty();
    }
};

// The start-up of the main window, run once per process: permissions,
// archive location, help pages, connection and schema upgrade, upgrade
// script, administrator password, cleanup of this workstation's scratch rows,
// yearly move to history, paid flags, calendar, this workstation's notice
// row, caption, first tab and reminder.
class StartupSequence {
public:
    StartupSequence(db::Database& db, common::Interaction& interaction,
                    StartupOptions options = {});

    StartupResult run();

    static QString reminderCaption() { return QStringLiteral("Promemoria Scadenze"); }
    static QString upgradeScriptName() { return QStringLiteral("SQLAggio.sql"); }
    static QString defaultHelpFile();

    // The statements of the start-up, in the order they run.
    static QStringList scratchCleanupStatements(const QString& workstation);
    static QStringList historyStatements(const QDate& today);
    static QStringList paidFlagStatements();
    static QStringList calendarStatements(const QDate& today);

    // Gives this workstation its single TempAvvisi row when it has none.
    static void ensureNoticeRow(db::Database& db);
    // "Ossarion - " followed by ditta.RagSoc.
    static QString caption(db::Database& db);
    static ReminderList dueInstalments(db::Database& db, const QDate& today);
    static ReminderList calendarNotices(db::Database& db, const QDate& today);

private:
    bool connect(StartupResult& result, bool createIfMissing);
    bool applyUpgradeScript(StartupResult& result, const QString& folder);
    bool checkPassword(const StartupResult& result, const QString& password);
    void stopAndClose();

    db::Database& m_db;
    common::Interaction& m_ui;
    StartupOptions m_options;
};

} // namespace app
