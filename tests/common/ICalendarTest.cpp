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

TEST(icsText, EscapesWhatWouldEndTheValue) {
    EXPECT_EQ(icsText(QStringLiteral("a,b;c\\d")), QStringLiteral("a\\,b\\;c\\\\d"));
    EXPECT_EQ(icsText(QStringLiteral("uno\r\ndue\ntre\rquattro")),
              QStringLiteral("uno\\ndue\\ntre\\nquattro"));
    EXPECT_EQ(icsText(QStringLiteral("Rossi : ore 10")), QStringLiteral("Rossi : ore 10"));
}

TEST(icsContentLines, EndsLinesWithCrLfAndFoldsAt75Octets) {
    EXPECT_EQ(icsContentLines(QStringLiteral("BEGIN:VCALENDAR\nEND:VCALENDAR\n")),
              QByteArray("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n"));

    const QString longLine = QStringLiteral("SUMMARY:") + QString(150, u'x');
    const QByteArray folded = icsContentLines(longLine);
    const QList<QByteArray> lines = folded.split('\n');
    ASSERT_EQ(lines.size(), 4);     // three lines and the empty rest after the last LF
    EXPECT_EQ(lines[0].size(), 76); // 75 octets and CR
    EXPECT_TRUE(lines[1].startsWith(' '));
    EXPECT_EQ(lines[1].size(), 76);
    // Unfolding gives the line back.
    QByteArray unfolded = folded;
    unfolded.replace("\r\n ", "");
    EXPECT_EQ(unfolded, longLine.toUtf8() + "\r\n");
}

TEST(icsContentLines, NeverSplitsACharacter) {
    // "è" takes two octets: a fold at an odd place would cut it in half.
    const QString line = QStringLiteral("SUMMARY:a") + QString(80, QChar(0xE8));
    const QByteArray folded = icsContentLines(line);
    for (const QByteArray& l : folded.split('\n')) {
        EXPECT_LE(l.size(), 76);
        EXPECT_TRUE(QString::fromUtf8(l).toUtf8() == l) << l.constData();
    }
    QByteArray unfolded = folded;
    unfolded.replace("\r\n ", "");
    EXPECT_EQ(QString::fromUtf8(unfolded), line + QStringLiteral("\r\n"));
}
