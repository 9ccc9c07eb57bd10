#pragma once

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>

// The events of an iCalendar file as read by the icalendar Python library
// (python3-icalendar): {"version", "prodid", "events": [{"uid", "start",
// "end", "stampUtc", "summary"}]}. An empty object when it refuses the file;
// *problem says why.
inline QJsonObject readIcs(const QString& path, QString* problem) {
    // Debian's interpreter has the library; another python3 on PATH may not.
    const QString python = QFileInfo::exists(QStringLiteral("/usr/bin/python3"))
                               ? QStringLiteral("/usr/bin/python3")
                               : QStringLiteral("python3");
    QProcess p;
    p.start(python, {QStringLiteral(OSSARION_ICS_READER), path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        *problem = QString::fromUtf8(p.readAllStandardError());
        return {};
    }
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}
