#include "app/VideoTopics.h"

#include "common/Installation.h"

#include <QDir>
#include <QFile>

namespace app {

QList<VideoTopic> VideoTopics::parse(const QString& text) {
    QList<VideoTopic> out;
    for (const QString& raw : text.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const int bar = line.indexOf(u'|');
        if (bar <= 0)
            continue;
        const VideoTopic t{line.left(bar).trimmed(), line.mid(bar + 1).trimmed()};
        if (!t.title.isEmpty() && !t.address.isEmpty())
            out.append(t);
    }
    return out;
}

QList<VideoTopic> VideoTopics::load() {
    for (const QString& folder :
         {common::Installation::folder(), common::Installation::dataFolder("help")}) {
        QFile f(QDir(folder).filePath(fileName()));
        if (f.open(QIODevice::ReadOnly | QIODevice::Text))
            return parse(QString::fromUtf8(f.readAll()));
    }
    return {};
}

} // namespace app
