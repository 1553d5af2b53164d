#include "installationlock.h"

#include <QDeadlineTimer>

namespace {

// Only a lock this old is taken over from a process that still seems to run
// (another machine's, on a shared folder); no job takes nearly as long.
constexpr std::chrono::milliseconds staleAfter = std::chrono::minutes(10);
// The toolkit's own wait backs off to seconds between tries; a job waiting
// behind another should start soon after it.
constexpr int retryMs = 100;

} // namespace

InstallationLock::InstallationLock(const QString &strJLinkPath)
    : m_lock(strJLinkPath + QStringLiteral("/qn58-jlink-setup.lock"))
{
    m_lock.setStaleLockTime(int(staleAfter.count()));
}

bool InstallationLock::acquire(std::chrono::milliseconds wait)
{
    const QDeadlineTimer deadline(wait);
    do {
        if (m_lock.tryLock(retryMs))
            return true;
        if (m_lock.error() != QLockFile::LockFailedError)
            return true;
    } while (!deadline.hasExpired());
    return false;
}
