#pragma once

#include <QList>
#include <QString>

namespace app {

// The tutorial videos of the "Video" tab: one button per topic, opening its
// page in the web browser. The list is read from video.txt, in the
// installation folder when present there, else in the help folder; each line
// is "title | address", # starts a comment.
struct VideoTopic {
    QString title;
    QString address;
};

class VideoTopics {
public:
    static QString fileName() { return QStringLiteral("video.txt"); }
    static QList<VideoTopic> load(); // from the installation, else the shipped file
    static QList<VideoTopic> parse(const QString& text);
};

} // namespace app
