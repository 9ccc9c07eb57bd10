#include "app/SingleInstance.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/Workstation.h"

#include <QDir>
#include <QLockFile>

namespace app {

namespace {

// Keeps only characters that are safe in a file name on every system.
QString safePart(const QString& text) {
    QString out;
    for (QChar c : text)
        out += (c.isLetterOrNumber() || c == u'-' || c == u'_') ? c : QChar(u'_');
    return out.isEmpty() ? QStringLiteral("_") : out;
}

} // namespace

SingleInstance::SingleInstance(const QString& workstation, const QString& user,
                               const QString& folder) {
    const QString ws = workstation.isEmpty() ? db::workstationName() : workstation;
    const QString who = user.isEmpty() ? currentUser() : user;
    const QString dir = folder.isEmpty() ? QDir::tempPath() : folder;
    m_path =
        QDir(dir).filePath(QStringLiteral("ossarion-%1-%2.lock").arg(safePart(ws), safePart(who)));
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::currentUser() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    if (user.isEmpty())
        user = qEnvironmentVariable("LOGNAME");
    return user.isEmpty() ? QStringLiteral("utente") : user;
}

bool SingleInstance::tryAcquire() {
    if (m_lock && m_lock->isLocked())
        return true;
    m_lock = std::make_unique<QLockFile>(m_path);
    // No age limit: only a lock whose process is gone counts as stale.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    m_lock.reset();
    return false;
}

void SingleInstance::release() {
    m_lock.reset();
}

void SingleInstance::showAlreadyRunning(common::Interaction& interaction) {
    interaction.warning(common::titles::warningExclaimed,
                        QStringLiteral("Ossarion e' già in esecuzione"));
}

} // namespace app
