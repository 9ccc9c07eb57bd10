#include "common/ICalendar.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using namespace common;

namespace {

const QString kFixedLines = QStringLiteral("X-MICROSOFT-CDO-BUSYSTATUS:BUSY\n"
                                           "X-MICROSOFT-CDO-IMPORTANCE:1\n"
                                           "X-MICROSOFT-DISALLOW-COUNTER:FALSE\n"
                                           "X-MS-OLK-ALLOWEXTERNCHECK:TRUE\n"
                                           "X-MS-OLK-AUTOFILLLOCATION:FALSE\n"
                                           "X-MS-OLK-CONFTYPE:0\n");

CalendarEntry Entry(const QString& staff, const QString& type, const QString& customer,
                    const QString& note) {
    return {QDateTime(QDate(2026, 3, 3), QTime(9, 5, 7)), staff, type, customer, note};
}

} // namespace

TEST(icsStamp, PadsEveryPartButTheYear) {
    EXPECT_EQ(icsStamp(QDateTime(QDate(2026, 3, 3), QTime(9, 5, 7))),
              QStringLiteral("20260303T090507Z"));
    EXPECT_EQ(icsStamp(QDateTime(QDate(2025, 12, 31), QTime(23, 59, 59))),
              QStringLiteral("20251231T235959Z"));
    EXPECT_EQ(icsStamp(QDateTime()), QString());
}

TEST(icsStamp, KeepsLocalTimeWithoutConversion) {
    const QDateTime utcPlusTwo(QDate(2026, 7, 1), QTime(10, 0), QTimeZone(7200));
    EXPECT_EQ(icsStamp(utcPlusTwo), QStringLiteral("20260701T100000Z"));
}

TEST(icsEvent, WritesOnlyNonEmptyPropertiesInFixedOrder) {
    const QString text = icsEvent(QStringLiteral("c"), QStringLiteral("d"), QStringLiteral("e"),
                                  QStringLiteral("s"), QStringLiteral("b"), QStringLiteral("m"),
                                  QStringLiteral("l"), QStringLiteral("p"), QStringLiteral("q"),
                                  QStringLiteral("t"), QStringLiteral("o"), QStringLiteral("u"));
    EXPECT_EQ(text, QStringLiteral("BEGIN:VEVENT\n"
                                   "CREATED:c\n"
                                   "DESCRIPTION:d\n"
                                   "DTEND:e\n"
                                   "DTSTAMP:s\n"
                                   "DTSTART:b\n"
                                   "LAST-MODIFIED:m\n"
                                   "LOCATION:l\n"
                                   "PRIORITY:p\n"
                                   "SEQUENCE:q\n"
                                   "SUMMARY;LANGUAGE=it-IT:t\n"
                                   "OPAQUE:o\n"
                                   "UID:u\n") +
                        kFixedLines + QStringLiteral("END:VEVENT\n"));

    const QString sparse =
        icsEvent({}, {}, {}, {}, {}, {}, {}, {}, {}, QStringLiteral("t"), {}, {});
    EXPECT_EQ(sparse, QStringLiteral("BEGIN:VEVENT\nSUMMARY;LANGUAGE=it-IT:t\n") + kFixedLines +
                          QStringLiteral("END:VEVENT\n"));
    EXPECT_FALSE(sparse.contains(QLatin1Char('\r')));
}

TEST(icsSummary, JoinsPresentPartsWithTheirSeparators) {
    const QString a = QStringLiteral("Rossi");
    const QString t = QStringLiteral("Tumulazione");
    const QString c = QStringLiteral("Bianchi");
    const QString n = QStringLiteral("ore 10");
    EXPECT_EQ(icsSummary(Entry(a, t, c, n)),
              QStringLiteral("Rossi - Tumulazione / Bianchi : ore 10"));
    EXPECT_EQ(icsSummary(Entry({}, {}, c, n)), QStringLiteral("Bianchi : ore 10"));
    EXPECT_EQ(icsSummary(Entry(a, {}, {}, {})), QStringLiteral("Rossi - "));
    EXPECT_EQ(icsSummary(Entry({}, t, {}, n)), QStringLiteral("Tumulazione / ore 10"));
    EXPECT_EQ(icsSummary(Entry({}, {}, {}, {})), QString());
}

TEST(icsCalendar, WrapsOneEventPerEntryInOrder) {
    const QList<CalendarEntry> entries = {
        Entry({}, {}, QStringLiteral("Bianchi"), QStringLiteral("ore 10")),
        {QDateTime(QDate(2026, 3, 4), QTime(15, 30)), {}, {}, {}, {}},
    };
    const QString text = icsCalendar(entries, QDate(2026, 3, 1));
    EXPECT_EQ(text, QStringLiteral("BEGIN:VCALENDAR\n"
                                   "VERSION:2.0\n"
                                   "PRODID:Calendario-Ossarion\n"
                                   "BEGIN:VEVENT\n"
                                   "CREATED:20260301T000000Z\n"
                                   "DTEND:20260303T090507Z\n"
                                   "DTSTAMP:20260303T090507Z\n"
                                   "DTSTART:20260303T090507Z\n"
                                   "SUMMARY;LANGUAGE=it-IT:Bianchi : ore 10\n") +
                        kFixedLines +
                        QStringLiteral("END:VEVENT\n"
                                       "BEGIN:VEVENT\n"
                                       "CREATED:20260301T000000Z\n"
                                       "DTEND:20260304T153000Z\n"
                                       "DTSTAMP:20260304T153000Z\n"
                                       "DTSTART:20260304T153000Z\n") +
                        kFixedLines + QStringLiteral("END:VEVENT\nEND:VCALENDAR\n"));
}

TEST(icsCalendar, EmptyListGivesAnEmptyCalendar) {
    EXPECT_EQ(icsCalendar({}, QDate(2026, 3, 1)),
              QStringLiteral("BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:Calendario-Ossarion\n"
                             "END:VCALENDAR\n"));
}

TEST(icsCalendar, LineBreaksInANoteStayOnTheSummaryLine) {
    const QString text = icsCalendar(
        {Entry({}, {}, {}, QStringLiteral("prima riga\r\nseconda\nterza"))}, QDate(2026, 3, 1));
    EXPECT_TRUE(
        text.contains(QStringLiteral("SUMMARY;LANGUAGE=it-IT:prima riga\\nseconda\\nterza\n")));
    EXPECT_FALSE(text.contains(QLatin1Char('\r')));
}
