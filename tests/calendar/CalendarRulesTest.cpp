#include "calendar/CalendarRules.h"

#include "TestArchive.h"
#include "calendar/CalendarExport.h"
#include "cemetery/TableDefaults.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace calendar;

namespace {

QVariantMap card(const QVariant& date, const QVariant& reminder = {}) {
    return {{"Data", date}, {"DataAvviso", reminder}};
}

qint64 addEntry(db::Database& db, const QDateTime& date, const db::Values& more = {}) {
    // Given values replace the defaults of a working, undone appointment.
    db::Values v = more;
    for (const char* flag : {"Storico", "Conclusa"})
        if (std::none_of(more.begin(), more.end(), [&](const auto& p) { return p.first == flag; }))
            v.append({flag, false});
    v.append({"Data", date});
    return db.insert("Calendario", v);
}

QList<qint64> ids(const QList<CalendarEntry>& entries) {
    QList<qint64> out;
    for (const CalendarEntry& e : entries)
        out.append(e.id);
    return out;
}

} // namespace

TEST(CalendarCard, ChecksTheDateFirstAndTheReminderOnceWritten) {
    const auto missing = checkEntry(card({}, QDate(2026, 3, 1)));
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->title, "Messaggio di errore");
    EXPECT_EQ(missing->text, "Attenzione manca la Data");
    EXPECT_EQ(missing->field, "Data");
    EXPECT_FALSE(checkEntry(card(QDateTime(QDate(2026, 3, 1), QTime(9, 0)))));

    const QDateTime at9(QDate(2026, 3, 10), QTime(9, 0));
    const auto late = checkReminder(card(at9, QDate(2026, 3, 11)));
    ASSERT_TRUE(late);
    EXPECT_EQ(late->text, "Attenzione la Data di avviso è minore della data dell'impegno");
    EXPECT_EQ(late->field, "DataAvviso");
    // The reminder on the appointment's own day, before it, or none at all.
    EXPECT_FALSE(checkReminder(card(at9, QDate(2026, 3, 10))));
    EXPECT_FALSE(checkReminder(card(at9, QDate(2026, 3, 1))));
    EXPECT_FALSE(checkReminder(card(at9, {})));
    EXPECT_FALSE(checkReminder(card(QDate(2026, 3, 10), QDate(2026, 3, 10))));

    EXPECT_EQ(checkType({{"Descrizione", "  "}})->text, "Attenzione manca la Descrizione");
    EXPECT_FALSE(checkType({{"Descrizione", "Esumazione"}}));
}

TEST(CalendarRules, NewEntryTakesTheDayAndTheWorkstationDefaults) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        cemetery::TableDefaults::store(
            db, "Calendario",
            {{"Note", "Chiamare il giorno prima"}, {"TipologiaCalendario", "Tumulazione"}});
        const qint64 id = insertEntry(db, QDate(2026, 4, 2));
        const db::Row row = db.query("select * from Calendario where Id = ?", {id}).first();
        EXPECT_EQ(row.dateTime("Data"), QDateTime(QDate(2026, 4, 2), QTime(0, 0)));
        EXPECT_FALSE(row.boolean("Storico"));
        EXPECT_FALSE(row.boolean("Conclusa"));
        EXPECT_EQ(row.text("Note"), "Chiamare il giorno prima");
        EXPECT_EQ(row.text("TipologiaCalendario"), "Tumulazione");
    }
}

TEST(CalendarRules, ChosenStaffAndCustomerNamesAreCopied) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        const qint64 staff = db.insert("Personale", {{"Personale", "Mario Neri"}});
        const qint64 customer =
            db.insert("Clienti", {{"Cliente", "Bianchi"}, {"NominativoDocumenti", "Bianchi Anna"}});
        const qint64 id = addEntry(db, QDateTime(QDate(2026, 5, 5), QTime(10, 0)),
                                   {{"Personale_Id", staff}, {"Cliente_ID", customer}});
        copyNames(db, id);
        db::Row row = db.query("select * from Calendario where Id = ?", {id}).first();
        EXPECT_EQ(row.text("Personale"), "Mario Neri");
        EXPECT_EQ(row.text("Cliente"), "Bianchi Anna");

        db.update("Calendario", id, {{"Personale_Id", QVariant()}});
        copyNames(db, id);
        row = db.query("select * from Calendario where Id = ?", {id}).first();
        EXPECT_TRUE(row.isNull("Personale"));
        EXPECT_EQ(row.text("Cliente"), "Bianchi Anna");
    }
}

TEST(CalendarRules, SearchJoinsTheFiltersInOrder) {
    Search s;
    s.staff = " Ros ";
    s.type = "Tum";
    s.customer = "D'Amico";
    s.notes = "ore";
    s.from = "01/03/2026";
    s.to = "31/03/2026";
    QString condition;
    ASSERT_FALSE(searchCondition(s, &condition));
    EXPECT_EQ(condition, "Personale like 'Ros*' and TipologiaCalendario like 'Tum*' and "
                         "Cliente like 'D''Amico*' and Note like 'ore*' and "
                         "Data >= #3/1/2026# and Data <= #3/31/2026 23.59.59#");

    QString none = "x";
    ASSERT_FALSE(searchCondition({}, &none));
    EXPECT_TRUE(none.isEmpty());

    Search bad;
    bad.to = "31/02/2026";
    const auto failure = searchCondition(bad, &condition);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->field, "txtAllaData");
}

TEST(CalendarRules, APickedDayListsOnlyThatDay) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        addEntry(db, QDateTime(QDate(2026, 3, 9), QTime(23, 59, 59)));
        const qint64 morning = addEntry(db, QDateTime(QDate(2026, 3, 10), QTime(0, 0)));
        const qint64 evening = addEntry(db, QDateTime(QDate(2026, 3, 10), QTime(23, 30)));
        addEntry(db, QDateTime(QDate(2026, 3, 11), QTime(0, 0)));
        Search s;
        s.day = QDate(2026, 3, 10);
        QString condition;
        ASSERT_FALSE(searchCondition(s, &condition));
        // The list's order: latest first.
        EXPECT_EQ(ids(readEntries(db, periodCondition(false, {}, {}) + " and " + condition)),
                  (QList<qint64>{evening, morning}));

        // The month calendar marks the days that have an appointment listed.
        EXPECT_EQ(busyDays(db, periodCondition(false, {}, {}), 2026, 3),
                  (QList<QDate>{QDate(2026, 3, 9), QDate(2026, 3, 10), QDate(2026, 3, 11)}));
        EXPECT_TRUE(busyDays(db, {}, 2026, 4).isEmpty());

        // The date range takes the whole last day.
        s = {};
        s.from = "10/03/2026";
        s.to = "10/03/2026";
        ASSERT_FALSE(searchCondition(s, &condition));
        EXPECT_EQ(ids(readEntries(db, condition)), (QList<qint64>{evening, morning}));
    }
}

TEST(CalendarRules, OnlyDoneEntriesGoToHistoryAndUndoneOnesComeBack) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        const QDateTime lastYear(QDate(2025, 11, 3), QTime(9, 0));
        const qint64 done = addEntry(db, lastYear, {{"Conclusa", true}});
        const qint64 open = addEntry(db, lastYear);
        const qint64 reopened =
            addEntry(db, QDateTime(QDate(2026, 2, 1), QTime(8, 0)), {{"Storico", true}});
        const qint64 doneThisYear =
            addEntry(db, QDateTime(QDate(2026, 1, 1), QTime(0, 0)), {{"Conclusa", true}});
        for (const QString& s : historyStatements(QDate(2026, 1, 1)))
            db.exec(s);
        const QList<qint64> working = ids(readEntries(db, periodCondition(false, {}, {})));
        EXPECT_FALSE(working.contains(done));
        EXPECT_TRUE(working.contains(open));
        EXPECT_TRUE(working.contains(reopened));
        EXPECT_TRUE(working.contains(doneThisYear));

        // The history list of a range shows what is dated in it, whatever
        // its flag.
        const QList<qint64> history =
            ids(readEntries(db, periodCondition(true, QDate(2025, 1, 1), QDate(2025, 12, 31))));
        EXPECT_EQ(history.size(), 2);
        EXPECT_TRUE(history.contains(done) && history.contains(open));
    }
}

TEST(CalendarRules, RemindersAreTheUndoneOnesDueByReminderDate) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        const QDate today(2026, 12, 7);
        const QDateTime when(QDate(2026, 12, 20), QTime(9, 0));
        const qint64 second = addEntry(db, when, {{"DataAvviso", QDate(2026, 12, 7)}});
        const qint64 first = addEntry(db, when, {{"DataAvviso", QDate(2026, 12, 1)}});
        addEntry(db, when, {{"DataAvviso", QDate(2026, 12, 8)}});
        addEntry(db, when, {{"DataAvviso", QDate(2026, 12, 1)}, {"Conclusa", true}});
        addEntry(db, when);
        QList<qint64> due;
        for (const db::Row& r : reminders(db, today))
            due.append(r.integer("Id"));
        EXPECT_EQ(due, (QList<qint64>{first, second}));
    }
}
