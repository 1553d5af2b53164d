#include "installationlock.h"

#include "jobmessages.h"
#include "runningprocess.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>

namespace {

const QString lockName = QStringLiteral("qn58-jlink-setup.lock");
// Only a lock this old is taken over from a process that still seems to run
// (another machine's, on a shared folder); no job takes nearly as long.
constexpr std::chrono::milliseconds staleAfter = std::chrono::minutes(10);
// The toolkit's own wait backs off to seconds between tries; a job waiting
// behind another should start soon after it.
constexpr int retryMs = 100;
// A job writes its lock file's content right after making the file; one
// still without it this long after was left by a job killed in between.
constexpr qint64 unwrittenAfterMs = 2000;

qint64 ageMs(const QDateTime &modified)
{
    return modified.isValid() ? qAbs(modified.msecsTo(QDateTime::currentDateTime())) : 0;
}

// What the toolkit's lock file holds, so that either kind of run sees the other's lock.
QByteArray lockContent()
{
    const QString strProgram = QCoreApplication::instance()
        ? QFileInfo(QCoreApplication::applicationFilePath()).fileName()
        : QString();
    return QByteArray::number(QCoreApplication::applicationPid()) + '\n' + strProgram.toUtf8()
        + '\n' + QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n'
        + QSysInfo::bootUniqueId() + '\n';
}

// For "refused: %1 where the installer keeps its lock".
Reason::Word kindOf(HeldFolder::Entry entry)
{
    switch (entry) {
    case HeldFolder::Entry::Link:
        return {QT_TRANSLATE_NOOP("Reason", "a link")};
    case HeldFolder::Entry::Folder:
        return {QT_TRANSLATE_NOOP("Reason", "a folder")};
    default:
        //: A FIFO is a named pipe.
        return {QT_TRANSLATE_NOOP("Reason", "a FIFO or another special file")};
    }
}

} // namespace

InstallationLock::InstallationLock(const QString &strJLinkPath)
    : m_strJLinkPath(strJLinkPath)
    , m_strFileName(strJLinkPath + QLatin1Char('/') + lockName)
    , m_lock(m_strFileName)
{
    m_lock.setStaleLockTime(int(staleAfter.count()));
}

InstallationLock::~InstallationLock()
{
    if (!m_held.isOpen())
        return;
    m_held.close();
    m_folder.remove(lockName);
}

Reason InstallationLock::failure() const
{
    return m_refusal.isEmpty() ? Reason(JobMessages::lockedByAnotherJob(), m_strJLinkPath)
                               : m_refusal;
}

void InstallationLock::removeIfUnwritten()
{
    qint64 nPid = 0;
    QString strHost;
    QString strApplication;
    if (m_lock.getLockInfo(&nPid, &strHost, &strApplication))
        return;
    if (ageMs(QFileInfo(m_strFileName).lastModified()) > unwrittenAfterMs)
        m_lock.removeStaleLockFile();
}

bool InstallationLock::acquire(std::chrono::milliseconds wait)
{
    const bool bPrivileged = runsPrivileged();
    if (bPrivileged) {
        m_folder = HeldFolder::open(m_strJLinkPath, m_refusal);
        // A folder that is not there fails the job's first step, as without the lock.
        if (!m_folder.isOpen()) {
            const bool bMissing = m_refusal.text() == QLatin1String("does not exist")
                || m_refusal.text() == QLatin1String("not a folder");
            if (bMissing)
                m_refusal = Reason();
            return bMissing;
        }
    }
    const QDeadlineTimer deadline(wait);
    do {
        if (bPrivileged) {
            if (tryHeldLock() || !m_refusal.isEmpty())
                return m_refusal.isEmpty();
            QThread::msleep(retryMs);
            continue;
        }
        if (m_lock.tryLock(retryMs))
            return true;
        if (m_lock.error() != QLockFile::LockFailedError)
            return true;
        removeIfUnwritten();
    } while (!deadline.hasExpired());
    return false;
}

// True when the lock is held now, or when the folder takes no new file.
bool InstallationLock::tryHeldLock()
{
    const HeldFolder::Entry entry = m_folder.entry(lockName);
    if (entry != HeldFolder::Entry::Missing && entry != HeldFolder::Entry::File) {
        //: %1 is "a link", "a folder" or "a FIFO or another special file".
        m_refusal = Reason::withWords(
            QT_TRANSLATE_NOOP("Reason", "refused: %1 where the installer keeps its lock"),
            m_strFileName, {kindOf(entry)});
        return false;
    }
    Reason reason;
    if (m_folder.createFile(lockName, m_held, reason)) {
        const QByteArray content = lockContent();
        m_held.write(content);
        m_held.flush();
        return true;
    }
    if (m_folder.entry(lockName) == HeldFolder::Entry::Missing)
        return true;
    QFile existing;
    if (m_folder.openFile(lockName, QIODevice::ReadOnly, existing, nullptr, nullptr, reason)
        && isStale(existing))
        m_folder.remove(lockName);
    else if (!reason.isEmpty() && reason.text() != QLatin1String("does not exist")
             && !goesAway())
        m_refusal = reason;
    return false;
}

// True when the lock file is gone a moment later. Where a removal leaves the
// name until the last handle closes (Windows without POSIX deletion), the
// file that the job before is removing refuses to be opened meanwhile.
bool InstallationLock::goesAway() const
{
    QThread::msleep(retryMs);
    return m_folder.entry(lockName) == HeldFolder::Entry::Missing;
}

// As the toolkit judges its own lock files.
bool InstallationLock::isStale(QFile &existing) const
{
    const qint64 nAge = ageMs(existing.fileTime(QFileDevice::FileModificationTime));
    const QList<QByteArray> lines = existing.read(4096).split('\n');
    bool bHasPid = false;
    const qint64 nPid = lines.value(0).toLongLong(&bHasPid);
    if (!bHasPid)
        return nAge > unwrittenAfterMs;
    const QByteArray hostId = lines.value(3);
    const bool bSameHost = hostId.isEmpty()
        ? lines.value(2).isEmpty() || lines.value(2) == QSysInfo::machineHostName().toUtf8()
        : hostId == QSysInfo::machineUniqueId();
    if (bSameHost) {
        const QByteArray bootId = lines.value(4);
        if ((!bootId.isEmpty() && bootId != QSysInfo::bootUniqueId()) || !processRuns(nPid))
            return true;
    }
    return nAge > staleAfter.count();
}
