#include "db/Workstation.h"

#include <QCryptographicHash>
#include <QSysInfo>

namespace db {

QString fittedWorkstationName(const QString& name) {
    constexpr int kRoom = 15; // the archive's NomeComputer columns
    if (name.size() <= kRoom)
        return name;
    // Ten characters of the name and five of a hash of the whole of it: two
    // names that begin alike still differ.
    const QByteArray digest =
        QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).left(4);
    quint32 n = 0;
    for (const char c : digest)
        n = (n << 8) | quint8(c);
    const QString tag =
        QString::number(n % (36u * 36u * 36u * 36u), 36).toUpper().rightJustified(4, u'0');
    return name.left(kRoom - 5) + u'~' + tag;
}

QString workstationName() {
    QString name = qEnvironmentVariable("OSSARION_WORKSTATION").trimmed();
    if (name.isEmpty())
        name = QSysInfo::machineHostName().section(u'.', 0, 0).trimmed();
    if (name.isEmpty())
        return QStringLiteral("SenzaNome");
    return fittedWorkstationName(name);
}

} // namespace db
