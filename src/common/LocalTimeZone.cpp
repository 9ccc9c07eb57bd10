#include "common/LocalTimeZone.h"

#include <QFileInfo>
#include <QtGlobal>
#include <time.h>

namespace common {

void readTimeZoneOnce(const QByteArray& zoneFile) {
    if (!qEnvironmentVariableIsEmpty("TZ") || !QFileInfo::exists(QString::fromLocal8Bit(zoneFile)))
        return;
    qputenv("TZ", ':' + zoneFile);
    tzset();
}

} // namespace common
