#ifndef INSTALLATIONLOCK_H
#define INSTALLATIONLOCK_H

#include <QLockFile>
#include <QString>

#include <chrono>

// Long enough for any job on the same folder to end.
constexpr std::chrono::milliseconds installationLockWait = std::chrono::minutes(2);

// One installation job at a time in a J-Link folder, across processes: two
// jobs interleaved would register the entries twice and collide copying the
// loaders. The lock file lies in the folder itself, where every installer
// that may change the folder can make it; the lock of a job that was killed
// is stale at once, as its process is gone.
class InstallationLock
{
public:
    explicit InstallationLock(const QString &strJLinkPath);

    // False only when another job still holds the folder after the wait. A
    // folder that takes no new file (one whose database is written in place)
    // is installed into unlocked.
    bool acquire(std::chrono::milliseconds wait);

private:
    // A killed job may leave the lock file before writing its process id
    // into it, which the toolkit would take for a live lock for minutes.
    void removeIfUnwritten();

    QString m_strFileName;
    QLockFile m_lock;
};

#endif
