#include "db/Workstation.h"

#include <QSysInfo>

namespace db {

QString workstationName() {
    QString name = qEnvironmentVariable("OSSARION_WORKSTATION").trimmed();
    if (name.isEmpty())
        name = QSysInfo::machineHostName().section(u'.', 0, 0).trimmed();
    if (name.isEmpty())
        return QStringLiteral("SenzaNome");
    return name.left(15);
}

} // namespace db
