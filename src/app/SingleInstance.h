#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace common {
class Interaction;
}

namespace app {

// Keeps a second copy of the program from starting on the same workstation
// for the same user: a lock file in the temporary folder, released when the
// holder ends (a lock left by a crashed process is taken over).
class SingleInstance {
public:
    // Defaults: this workstation, the logged-on user, the system temp folder.
    explicit SingleInstance(const QString& workstation = QString(), const QString& user = QString(),
                            const QString& folder = QString());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process now holds the lock (also when it already did).
    bool tryAcquire();
    void release();
    const QString& lockFilePath() const { return m_path; }

    // "Ossarion e' già in esecuzione", for the copy that must not start.
    static void showAlreadyRunning(common::Interaction& interaction);
    static QString currentUser();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace app
