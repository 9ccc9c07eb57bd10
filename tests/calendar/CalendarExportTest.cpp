#include "calendar/CalendarExport.h"

#include "IcsReader.h"
#include "TestArchive.h"
#include "calendar/CalendarRules.h"
#include "common/ScriptedInteraction.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

using namespace calendar;

namespace {

CalendarEntry entry(const QString& staff, const QString& type, const QString& customer,
                    const QString& notes) {
    return {1, QDateTime(QDate(2026, 3, 3), QTime(9, 5, 7)), staff, type, customer, notes};
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

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QJsonArray eventsOf(const QString& path) {
    QString problem;
    const QJsonObject calendar = readIcs(path, &problem);
    EXPECT_FALSE(calendar.isEmpty()) << problem.toStdString();
    return calendar.value("events").toArray();
}

QStringList uidsOf(const QJsonArray& events) {
    QStringList out;
    for (const auto& e : events)
        out.append(e.toObject().value("uid").toString());
    return out;
}

} // namespace

TEST(CalendarSummary, JoinsPresentPartsWithTheirSeparators) {
    EXPECT_EQ(summary(entry("Rossi", "Tumulazione", "Bianchi", "ore 10")),
              "Rossi - Tumulazione / Bianchi : ore 10");
    EXPECT_EQ(summary(entry({}, {}, "Bianchi", "ore 10")), "Bianchi : ore 10");
    EXPECT_EQ(summary(entry({}, "Tumulazione", {}, "ore 10")), "Tumulazione / ore 10");
    EXPECT_EQ(summary(entry({}, {}, {}, {})), QString());
}

TEST(CalendarFile, IsValidICalendarWithOneEventPerRow) {
    FOR_EACH_ENGINE(engine) {
        SCOPED_TRACE(engine == db::Engine::SQLite ? "SQLite" : "PostgreSQL");
        TestArchive a(engine);
        db::Database& db = a.db();
        const QString longNote =
            QStringLiteral("Portare i fiori; chiamare la famiglia, poi il parroco\n"
                           "seconda riga con àccènti e un punto e virgola; fine ") +
            QString(60, u'è');
        const qint64 full = addEntry(db, QDateTime(QDate(2026, 3, 3), QTime(9, 5, 7)),
                                     {{"Personale", "Neri"},
                                      {"TipologiaCalendario", "Tumulazione"},
                                      {"Cliente", "Bianchi, Anna"},
                                      {"Note", longNote}});
        const qint64 bare = addEntry(db, QDateTime(QDate(2026, 3, 31), QTime(23, 30)));
        // An appointment without a date cannot be an event.
        db.insert("Calendario", {{"Note", "senza data"}, {"Storico", false}});
        const qint64 archived =
            addEntry(db, QDateTime(QDate(2025, 3, 1), QTime(8, 0)), {{"Storico", true}});

        QTemporaryDir dir;
        const QString path = dir.filePath("Calendario.ics");
        const QList<CalendarEntry> listed = readEntries(db, periodCondition(false, {}, {}));
        ASSERT_EQ(listed.size(), 3);
        ASSERT_FALSE(writeCalendarFile(db, listed, path));

        const QByteArray bytes = fileBytes(path);
        ASSERT_TRUE(bytes.endsWith("END:VCALENDAR\r\n"));
        for (const QByteArray& line : bytes.split('\n').mid(0, bytes.count('\n'))) {
            EXPECT_TRUE(line.endsWith('\r')) << line.constData();
            EXPECT_LE(line.size(), 76) << line.constData(); // 75 octets and CR
        }

        QString problem;
        const QJsonObject calendar = readIcs(path, &problem);
        ASSERT_FALSE(calendar.isEmpty()) << problem.toStdString();
        EXPECT_EQ(calendar.value("version").toString(), "2.0");
        EXPECT_EQ(calendar.value("prodid").toString(), "Calendario-Ossarion");
        const QJsonArray events = calendar.value("events").toArray();
        ASSERT_EQ(events.size(), 2);
        // In the list's order: the latest first.
        const QJsonObject last = events[0].toObject();
        const QJsonObject first = events[1].toObject();
        EXPECT_EQ(last.value("start").toString(), "2026-03-31T23:30:00");
        EXPECT_EQ(last.value("end").toString(), "2026-04-01T00:30:00");
        EXPECT_EQ(last.value("summary").toString(), QString());
        EXPECT_EQ(first.value("start").toString(), "2026-03-03T09:05:07");
        EXPECT_EQ(first.value("end").toString(), "2026-03-03T10:05:07");
        EXPECT_EQ(first.value("summary").toString(),
                  "Neri - Tumulazione / Bianchi, Anna : " + longNote);
        EXPECT_TRUE(first.value("stampUtc").toBool());
        EXPECT_EQ(uidsOf(events),
                  (QStringList{eventUid(bare, archiveTag(db)), eventUid(full, archiveTag(db))}));
        EXPECT_FALSE(uidsOf(events).contains(eventUid(archived, archiveTag(db))));
    }
}

TEST(CalendarFile, ASecondExportKeepsTheUidsAnotherArchiveDoesNot) {
    TestArchive a(db::Engine::SQLite);
    TestArchive b(db::Engine::SQLite);
    // Archives are told apart by the moment they were made.
    b.db().exec("update VersioneArchivio set DataAggiornamento = #1/2/2020 10.00.00# where "
                "Versione = 1");
    QTemporaryDir dir;
    for (TestArchive* archive : {&a, &b})
        addEntry(archive->db(), QDateTime(QDate(2026, 6, 1), QTime(9, 0)));
    const qint64 added = addEntry(a.db(), QDateTime(QDate(2026, 6, 2), QTime(9, 0)));

    ASSERT_FALSE(writeCalendarFile(a.db(), readEntries(a.db(), {}), dir.filePath("1.ics")));
    const auto other = a.openAnother("ALTRO-PC");
    db::Database& again = *other;
    again.exec("update Calendario set Note = 'spostato' where Id = " + QString::number(added));
    ASSERT_FALSE(writeCalendarFile(again, readEntries(again, {}), dir.filePath("2.ics")));
    ASSERT_FALSE(writeCalendarFile(b.db(), readEntries(b.db(), {}), dir.filePath("3.ics")));

    const QStringList first = uidsOf(eventsOf(dir.filePath("1.ics")));
    ASSERT_EQ(first.size(), 2);
    EXPECT_EQ(uidsOf(eventsOf(dir.filePath("2.ics"))), first);
    EXPECT_EQ(QSet<QString>(first.begin(), first.end()).size(), 2);
    EXPECT_FALSE(first.contains(uidsOf(eventsOf(dir.filePath("3.ics"))).value(0)));
}

TEST(CalendarFile, SaveDialogAddsTheExtensionAndNothingIsWrittenForNoEvents) {
    TestArchive a(db::Engine::SQLite);
    db::Database& db = a.db();
    QTemporaryDir dir;
    common::ScriptedInteraction ui;

    EXPECT_TRUE(exportToChosenFile(db, ui, {}, dir.path()).isEmpty());
    EXPECT_EQ(ui.texts_of("warning"), QStringList{"Nessun appuntamento da esportare"});
    EXPECT_TRUE(ui.texts_of("file").isEmpty()); // no dialog for nothing

    addEntry(db, QDateTime(QDate(2026, 6, 1), QTime(9, 0)));
    ui.texts.enqueue(dir.filePath("agenda"));
    const QString written = exportToChosenFile(db, ui, readEntries(db, {}), dir.path());
    EXPECT_EQ(written, dir.filePath("agenda.ics"));
    EXPECT_EQ(eventsOf(written).size(), 1);

    // An existing file is replaced only after a Yes.
    ui.texts.enqueue(written);
    ui.answers.enqueue(false);
    EXPECT_TRUE(exportToChosenFile(db, ui, readEntries(db, {}), dir.path()).isEmpty());
    ui.texts.enqueue(dir.filePath("manca/cartella/x.ics"));
    EXPECT_TRUE(exportToChosenFile(db, ui, readEntries(db, {}), dir.path()).isEmpty());
    EXPECT_TRUE(ui.texts_of("error").value(0).startsWith("Impossibile scrivere il file"));
}
