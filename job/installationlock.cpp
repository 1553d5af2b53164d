#include "installationlock.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFileInfo>

namespace {

// Only a lock this old is taken over from a process that still seems to run
// (another machine's, on a shared folder); no job takes nearly as long.
constexpr std::chrono::milliseconds staleAfter = std::chrono::minutes(10);
// The toolkit's own wait backs off to seconds between tries; a job waiting
// behind another should start soon after it.
constexpr int retryMs = 100;
// A job writes its lock file's content right after making the file; one
// still without it this long after was left by a job killed in between.
constexpr qint64 unwrittenAfterMs = 2000;

} // namespace

InstallationLock::InstallationLock(const QString &strJLinkPath)
    : m_strFileName(strJLinkPath + QStringLiteral("/qn58-jlink-setup.lock"))
    , m_lock(m_strFileName)
{
    m_lock.setStaleLockTime(int(staleAfter.count()));
}

void InstallationLock::removeIfUnwritten()
{
    qint64 nPid = 0;
    QString strHost;
    QString strApplication;
    if (m_lock.getLockInfo(&nPid, &strHost, &strApplication))
        return;
    const QDateTime modified = QFileInfo(m_strFileName).lastModified();
    if (modified.isValid() && qAbs(modified.msecsTo(QDateTime::currentDateTime())) > unwrittenAfterMs)
        m_lock.removeStaleLockFile();
}

bool InstallationLock::acquire(std::chrono::milliseconds wait)
{
    const QDeadlineTimer deadline(wait);
    do {
        if (m_lock.tryLock(retryMs))
            return true;
        if (m_lock.error() != QLockFile::LockFailedError)
            return true;
        removeIfUnwritten();
    } while (!deadline.hasExpired());
    return false;
}
