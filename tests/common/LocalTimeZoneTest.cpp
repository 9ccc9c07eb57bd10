#include "common/LocalTimeZone.h"

#include <QDateTime>
#include <QFile>
#include <gtest/gtest.h>

// The zone named once is the one the system already used: local dates and
// times read the same before and after; a TZ the user set stays, and a
// missing file leaves the environment alone.
TEST(LocalTimeZone, NamesTheSystemZoneOnceAndLeavesAUsersChoice) {
    const QByteArray before = qgetenv("TZ");
    const QDateTime instant = QDateTime::fromSecsSinceEpoch(1'782'000'000);
    const QString local = instant.toLocalTime().toString(Qt::ISODate);

    qunsetenv("TZ");
    common::readTimeZoneOnce("/nessun/file/del/fuso");
    EXPECT_TRUE(qEnvironmentVariableIsEmpty("TZ"));
    common::readTimeZoneOnce();
    if (QFile::exists("/etc/localtime"))
        EXPECT_EQ(qgetenv("TZ"), ":/etc/localtime");
    EXPECT_EQ(instant.toLocalTime().toString(Qt::ISODate), local);

    qputenv("TZ", "Europe/Rome");
    common::readTimeZoneOnce();
    EXPECT_EQ(qgetenv("TZ"), "Europe/Rome");

    if (before.isEmpty())
        qunsetenv("TZ");
    else
        qputenv("TZ", before);
}
