#ifndef INSTALLATIONLOCK_H
#define INSTALLATIONLOCK_H

#include "failurereason.h"
#include "heldfolder.h"

#include <QFile>
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
//
// A privileged run takes the same lock, in the same form, through the folder
// held open: it never follows a link at the lock's name and never reads a
// FIFO or another file that is not plain, which could block it for good.
class InstallationLock
{
public:
    explicit InstallationLock(const QString &strJLinkPath);
    ~InstallationLock();

    // False when another job still holds the folder after the wait, or when
    // the lock's name was refused (see refusal()). A folder that takes no new
    // file (one whose database is written in place) is installed into unlocked.
    bool acquire(std::chrono::milliseconds wait);
    // Why a privileged run would not take the lock; empty when it was held.
    Reason refusal() const { return m_refusal; }
    // The job's reason for a lock that was not taken.
    Reason failure() const;

private:
    // A killed job may leave the lock file before writing its process id
    // into it, which the toolkit would take for a live lock for minutes.
    void removeIfUnwritten();
    bool tryHeldLock();
    bool goesAway() const;
    bool isStale(QFile &existing) const;

    QString m_strJLinkPath;
    QString m_strFileName;
    QLockFile m_lock;
    HeldFolder m_folder;
    QFile m_held;
    Reason m_refusal;
};

#endif
