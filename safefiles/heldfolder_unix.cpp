#include "heldfolder.h"

#include "fileaccess.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Folders on the way are only searched; Linux needs no right to read them.
#ifdef O_PATH
constexpr int searchOnly = O_PATH;
#else
constexpr int searchOnly = O_RDONLY;
#endif
constexpr int maxLinks = 40;

class UniqueFd
{
public:
    explicit UniqueFd(int fd = -1) : m_fd(fd) {}
    UniqueFd(UniqueFd &&other) noexcept : m_fd(other.release()) {}
    UniqueFd &operator=(UniqueFd &&other) noexcept
    {
        reset(other.release());
        return *this;
    }
    ~UniqueFd() { reset(); }
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

// The system's words as the end of a sentence.
Reason systemReason(int nError, const QString &strPath)
{
    if (nError == EACCES || nError == EPERM)
        return Reason(QT_TRANSLATE_NOOP("Reason", "permission denied"), strPath);
    QString strText = QString::fromLocal8Bit(strerror(nError));
    if (!strText.isEmpty())
        strText[0] = strText.at(0).toLower();
    return Reason::quoting(strText, strPath);
}

QString accountName(uid_t uid)
{
    const passwd *const account = getpwuid(uid);
    return account ? QString::fromLocal8Bit(account->pw_name) : QString::number(uid);
}

// For "a %2 owned by %3".
Reason::Word kindOf(const struct stat &status)
{
    //: A kind of file system object, after "a".
    if (S_ISLNK(status.st_mode))
        return {QT_TRANSLATE_NOOP("Reason", "link")};
    if (S_ISDIR(status.st_mode))
        return {QT_TRANSLATE_NOOP("Reason", "folder")};
    if (S_ISREG(status.st_mode))
        return {QT_TRANSLATE_NOOP("Reason", "file")};
    //: A named pipe, after "a".
    if (S_ISFIFO(status.st_mode))
        return {QT_TRANSLATE_NOOP("Reason", "FIFO")};
    return {QT_TRANSLATE_NOOP("Reason", "special file")};
}

// As systemd decides for root: from root's folder anything may be reached,
// from another account's only what that account owns.
bool unsafeStep(const struct stat &from, const struct stat &to)
{
    return from.st_uid != 0 && from.st_uid != to.st_uid;
}

Reason unsafeStepReason(const struct stat &from, const struct stat &to, const QString &strPath)
{
    //: %1 and %3 are accounts, %2 a kind of file system object ("link", "file", ...).
    return Reason::withWords(QT_TRANSLATE_NOOP("Reason", "not followed: a folder owned by %1 "
                                                         "that holds a %2 owned by %3"),
                             strPath,
                             {accountName(from.st_uid), kindOf(to), accountName(to.st_uid)});
}

// Why an own folder could not be opened, from errno.
Reason openingReason(int nError, const QString &strPath)
{
    switch (nError) {
    case ELOOP:
        return Reason(
            QT_TRANSLATE_NOOP("Reason", "refused: a link where the installer makes its own folder"),
            strPath);
    case ENOENT:
        return Reason(QT_TRANSLATE_NOOP("Reason", "does not exist"), strPath);
    case ENOTDIR:
        return Reason(QT_TRANSLATE_NOOP("Reason", "not a folder"), strPath);
    default:
        return systemReason(nError, strPath);
    }
}

bool sameObject(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

QString joined(const QString &strFolder, const QString &strName)
{
    return strFolder.endsWith(QLatin1Char('/')) ? strFolder + strName
                                                : strFolder + QLatin1Char('/') + strName;
}

// What a walk through links ends at: the folder holding the last name, and
// whether something of that name is there.
struct Walked
{
    UniqueFd folder;
    QString strFolderPath;
    QByteArray name;
    struct stat status = {};
    bool bExists = false;
};

// One name still to walk, or the end of a link's destination, where what
// was reached must belong to the link's owner.
struct Step
{
    QByteArray name;
    bool bLinkEnd = false;
    uid_t linkOwner = 0;
    QString strLinkPath;
};

QVector<Step> stepsOf(const QByteArray &path)
{
    QVector<Step> steps;
    for (const QByteArray &name : path.split('/')) {
        if (!name.isEmpty() && name != ".")
            steps.append(Step{name});
    }
    return steps;
}

// Walks steps from a folder, one name at a time, following links; when
// bSafe, as systemd's chase does for root. Ends in the folder that holds the
// last name, or at the start when there is none.
class Walk
{
public:
    Walk(QVector<Step> steps, bool bSafe) : m_steps(std::move(steps)), m_bSafe(bSafe) {}

    bool run(UniqueFd start, const QString &strStart, Walked &walked, Reason &reason)
    {
        if (!enterFolder(std::move(start), strStart, reason))
            return false;
        // No name at all: the start itself.
        walked.bExists = true;
        walked.status = m_folderStatus;
        while (!m_steps.isEmpty()) {
            const Step step = m_steps.takeFirst();
            if (!(step.bLinkEnd ? linkEnded(step, walked, reason) : take(step, walked, reason)))
                return false;
        }
        walked.folder = std::move(m_folder);
        walked.strFolderPath = m_strFolder;
        return true;
    }

private:
    bool enterFolder(UniqueFd folder, const QString &strPath, Reason &reason)
    {
        m_folder = std::move(folder);
        m_strFolder = strPath;
        if (m_folder.get() >= 0 && fstat(m_folder.get(), &m_folderStatus) == 0)
            return true;
        reason = systemReason(errno, strPath);
        return false;
    }

    // What a link in another account's folder reached must be that account's.
    static bool linkEnded(const Step &step, const Walked &walked, Reason &reason)
    {
        if (!walked.bExists || walked.status.st_uid == step.linkOwner)
            return true;
        //: %1 and %3 are accounts, %2 a kind of file system object ("link", "file", ...).
        reason = Reason::withWords(QT_TRANSLATE_NOOP("Reason", "not followed: a link owned by %1 "
                                                               "that leads to a %2 owned by %3"),
                                   step.strLinkPath,
                                   {accountName(step.linkOwner), kindOf(walked.status),
                                    accountName(walked.status.st_uid)});
        return false;
    }

    bool take(const Step &step, Walked &walked, Reason &reason)
    {
        const bool bLast = std::all_of(m_steps.cbegin(), m_steps.cend(),
                                       [](const Step &next) { return next.bLinkEnd; });
        const QString strPath = joined(m_strFolder, QFile::decodeName(step.name));
        struct stat status;
        walked.name = step.name;
        walked.bExists = fstatat(m_folder.get(), step.name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0;
        if (!walked.bExists) {
            if (errno == ENOENT && bLast)
                return true;
            reason = errno == ENOENT
                ? Reason(QT_TRANSLATE_NOOP("Reason", "does not exist"), strPath)
                : systemReason(errno, strPath);
            return false;
        }
        if (m_bSafe && step.name != ".." && unsafeStep(m_folderStatus, status)) {
            reason = unsafeStepReason(m_folderStatus, status, strPath);
            return false;
        }
        walked.status = status;
        if (S_ISLNK(status.st_mode))
            return follow(step, status, strPath, reason);
        return bLast || enter(step, status, strPath, reason);
    }

    // The link's destination takes its place among the steps.
    bool follow(const Step &step, const struct stat &status, const QString &strPath, Reason &reason)
    {
        QByteArray destination(PATH_MAX, Qt::Uninitialized);
        const ssize_t nLength = readlinkat(m_folder.get(), step.name.constData(),
                                           destination.data(), size_t(destination.size()));
        if (++m_nLinks > maxLinks || nLength < 0) {
            reason = nLength < 0
                ? systemReason(errno, strPath)
                : Reason(QT_TRANSLATE_NOOP("Reason", "too many levels of links"), strPath);
            return false;
        }
        destination.truncate(int(nLength));
        QVector<Step> followed = stepsOf(destination);
        // A link in root's folder is root's to set.
        if (m_bSafe && m_folderStatus.st_uid != 0)
            followed.append(Step{QByteArray(), true, status.st_uid, strPath});
        m_steps = followed + m_steps;
        if (!destination.startsWith('/'))
            return true;
        return enterFolder(UniqueFd(::open("/", searchOnly | O_DIRECTORY | O_CLOEXEC)),
                           QStringLiteral("/"), reason);
    }

    bool enter(const Step &step, const struct stat &status, const QString &strPath, Reason &reason)
    {
        if (!S_ISDIR(status.st_mode)) {
            reason = Reason(QT_TRANSLATE_NOOP("Reason", "not a folder"), strPath);
            return false;
        }
        UniqueFd next(openat(m_folder.get(), step.name.constData(),
                             searchOnly | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        struct stat opened;
        if (next.get() < 0 || fstat(next.get(), &opened) != 0 || !sameObject(opened, status)) {
            reason = next.get() < 0
                ? systemReason(errno, strPath)
                : Reason(QT_TRANSLATE_NOOP("Reason", "changed while it was being opened"), strPath);
            return false;
        }
        return enterFolder(std::move(next), strPath, reason);
    }

    QVector<Step> m_steps;
    const bool m_bSafe;
    UniqueFd m_folder;
    QString m_strFolder;
    struct stat m_folderStatus = {};
    int m_nLinks = 0;
};

bool walk(UniqueFd start, const QString &strStart, QVector<Step> steps, bool bSafe,
          Walked &walked, Reason &reason)
{
    return Walk(std::move(steps), bSafe).run(std::move(start), strStart, walked, reason);
}

// A folder fd that may be synced and owned; one only searched when the
// account may not read it.
int readableFolder(int fd, const QByteArray &name)
{
    const int readable = openat(fd, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    return readable >= 0 ? readable
                         : openat(fd, name.constData(), searchOnly | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

QString randomName(const QString &strPrefix)
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString strName = strPrefix;
    for (int i = 0; i < 6; ++i)
        strName += QLatin1Char(letters[QRandomGenerator::global()->bounded(62)]);
    return strName;
}

// Gives a file without a name one in the folder, as the toolkit's temporary
// files get theirs; root may also link it by its descriptor alone.
bool linkUnnamed(const QFile &file, int folder, const QString &strPrefix, QString &strName)
{
    const QByteArray path = "/proc/self/fd/" + QByteArray::number(file.handle());
    for (int nTry = 0; nTry < 100; ++nTry) {
        strName = randomName(strPrefix);
        const QByteArray name = QFile::encodeName(strName);
        if (linkat(AT_FDCWD, path.constData(), folder, name.constData(), AT_SYMLINK_FOLLOW) == 0
            || linkat(file.handle(), "", folder, name.constData(), AT_EMPTY_PATH) == 0)
            return true;
        if (errno != EEXIST)
            break;
    }
    strName.clear();
    return false;
}

bool openFd(QFile &file, int fd, QIODevice::OpenMode mode, const QString &strPath)
{
    file.setFileName(strPath);
    if (file.open(fd, mode, QFileDevice::AutoCloseHandle))
        return true;
    ::close(fd);
    return false;
}

} // namespace

bool runsPrivileged()
{
    return geteuid() == 0;
}

void HeldFolder::close()
{
    if (isOpen())
        ::close(int(m_handle));
    m_handle = invalidHandle;
}

HeldFolder HeldFolder::open(const QString &strPath, Reason &reason)
{
    const QByteArray path = QFile::encodeName(strPath);
    const bool bAbsolute = path.startsWith('/');
    UniqueFd start(::open(bAbsolute ? "/" : ".", searchOnly | O_DIRECTORY | O_CLOEXEC));
    Walked walked;
    if (!walk(std::move(start), bAbsolute ? QStringLiteral("/") : QStringLiteral("."),
              stepsOf(path), runsPrivileged(), walked, reason))
        return HeldFolder();
    if (walked.bExists && !S_ISDIR(walked.status.st_mode)) {
        reason = Reason(QT_TRANSLATE_NOOP("Reason", "not a folder"), strPath);
        return HeldFolder();
    }
    if (!walked.bExists) {
        reason = Reason(QT_TRANSLATE_NOOP("Reason", "does not exist"), strPath);
        return HeldFolder();
    }
    const int fd = walked.name.isEmpty() ? readableFolder(walked.folder.get(), ".")
                                         : readableFolder(walked.folder.get(), walked.name);
    struct stat opened;
    if (fd < 0 || fstat(fd, &opened) != 0 || (!walked.name.isEmpty() && !sameObject(opened, walked.status))) {
        reason = fd < 0
            ? systemReason(errno, strPath)
            : Reason(QT_TRANSLATE_NOOP("Reason", "changed while it was being opened"), strPath);
        if (fd >= 0)
            ::close(fd);
        return HeldFolder();
    }
    HeldFolder folder(fd, strPath);
    // What root makes in another account's installation stays that account's.
    if (runsPrivileged() && opened.st_uid != geteuid()) {
        folder.m_nOwner = opened.st_uid;
        folder.m_nGroup = opened.st_gid;
    }
    return folder;
}

bool HeldFolder::ownedByThisAccount() const
{
    struct stat status;
    return fstat(int(m_handle), &status) == 0 && status.st_uid == geteuid();
}

Reason::Argument HeldFolder::ownerName() const
{
    struct stat status;
    return fstat(int(m_handle), &status) == 0 ? accountName(status.st_uid) : QString();
}

HeldFolder::Entry HeldFolder::entry(const QString &strName) const
{
    struct stat status;
    if (fstatat(int(m_handle), QFile::encodeName(strName).constData(), &status,
                AT_SYMLINK_NOFOLLOW) != 0)
        return Entry::Missing;
    if (S_ISLNK(status.st_mode))
        return Entry::Link;
    if (S_ISDIR(status.st_mode))
        return Entry::Folder;
    return S_ISREG(status.st_mode) ? Entry::File : Entry::Other;
}

HeldFolder HeldFolder::ownFolder(const QString &strName, bool bCreate, Reason &reason) const
{
    const QByteArray name = QFile::encodeName(strName);
    const QString strPath = pathOf(strName);
    const bool bPrivileged = runsPrivileged();
    const Entry found = entry(strName);
    if (found == Entry::Missing && bCreate) {
        if (mkdirat(int(m_handle), name.constData(), 0777) != 0 && errno != EEXIST) {
            reason = systemReason(errno, strPath);
            return HeldFolder();
        }
    }
    if (bPrivileged && found == Entry::Link) {
        reason = Reason(
            QT_TRANSLATE_NOOP("Reason", "refused: a link where the installer makes its own folder"),
            strPath);
        return HeldFolder();
    }
    // An unprivileged run follows a link here, as it always did.
    const int nFollow = bPrivileged ? O_NOFOLLOW : 0;
    int fd = openat(int(m_handle), name.constData(), O_RDONLY | O_DIRECTORY | nFollow | O_CLOEXEC);
    if (fd < 0)
        fd = openat(int(m_handle), name.constData(), searchOnly | O_DIRECTORY | nFollow | O_CLOEXEC);
    if (fd < 0) {
        reason = openingReason(errno, strPath);
        return HeldFolder();
    }
    HeldFolder folder(fd, strPath);
    folder.m_nOwner = m_nOwner;
    folder.m_nGroup = m_nGroup;
    struct stat parent;
    struct stat child;
    fstat(int(m_handle), &parent);
    fstat(fd, &child);
    if (bPrivileged && unsafeStep(parent, child) && found != Entry::Missing) {
        reason = unsafeStepReason(parent, child, strPath);
        return HeldFolder();
    }
    if (found == Entry::Missing && m_nOwner >= 0 && fchown(fd, uid_t(m_nOwner), gid_t(m_nGroup)) != 0) {
        reason = systemReason(errno, strPath);
        return HeldFolder();
    }
    return folder;
}

bool HeldFolder::openFile(const QString &strName, QIODevice::OpenMode mode, QFile &file,
                          HeldFolder *pHolder, QString *pFinalName, Reason &reason) const
{
    reason = Reason();
    const bool bPrivileged = runsPrivileged();
    Walked walked;
    if (!walk(UniqueFd(dup(int(m_handle))), m_strPath, stepsOf(QFile::encodeName(strName)),
              bPrivileged, walked, reason))
        return false;
    const QString strPath = joined(walked.strFolderPath, QFile::decodeName(walked.name));
    if (!walked.bExists)
        return false;
    if (!S_ISREG(walked.status.st_mode)) {
        reason = Reason(QT_TRANSLATE_NOOP("Reason", "not a plain file"), strPath);
        return false;
    }
    const int nAccess = mode.testFlag(QIODevice::WriteOnly)
        ? (mode.testFlag(QIODevice::ReadOnly) ? O_RDWR : O_WRONLY)
        : O_RDONLY;
    const int fd = openat(walked.folder.get(), walked.name.constData(),
                          nAccess | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat opened;
    if (fd < 0 || fstat(fd, &opened) != 0 || !sameObject(opened, walked.status)) {
        reason = fd < 0
            ? systemReason(errno, strPath)
            : Reason(QT_TRANSLATE_NOOP("Reason", "changed while it was being opened"), strPath);
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!openFd(file, fd, mode, strPath)) {
        reason = Reason::quoting(file.errorString(), strPath);
        return false;
    }
    if (pHolder) {
        HeldFolder holder(walked.folder.release(), walked.strFolderPath);
        holder.m_nOwner = m_nOwner;
        holder.m_nGroup = m_nGroup;
        *pHolder = std::move(holder);
    }
    if (pFinalName)
        *pFinalName = QFile::decodeName(walked.name);
    return true;
}

bool HeldFolder::createFile(const QString &strName, QFile &file, Reason &reason,
                            QIODevice::OpenMode mode) const
{
    const QString strPath = pathOf(strName);
    const int fd = openat(int(m_handle), QFile::encodeName(strName).constData(),
                          O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        reason = errno == EEXIST ? Reason(QT_TRANSLATE_NOOP("Reason", "exists already"), strPath)
                                 : systemReason(errno, strPath);
        return false;
    }
    if ((m_nOwner >= 0 && fchown(fd, uid_t(m_nOwner), gid_t(m_nGroup)) != 0)
        || !openFd(file, fd, mode, strPath) || !file.setPermissions(writablePermissions())) {
        reason = systemReason(errno, strPath);
        unlinkat(int(m_handle), QFile::encodeName(strName).constData(), 0);
        return false;
    }
    return true;
}

bool HeldFolder::createTemporary(const QString &strPrefix, QFile &file, QString &strName,
                                 Reason &reason, QIODevice::OpenMode mode) const
{
    strName.clear();
#ifdef O_TMPFILE
    const int fd = openat(int(m_handle), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) {
        if ((m_nOwner < 0 || fchown(fd, uid_t(m_nOwner), gid_t(m_nGroup)) == 0)
            && openFd(file, fd, mode, pathOf(strPrefix + QStringLiteral("XXXXXX")))
            && file.setPermissions(writablePermissions()))
            return true;
        reason = systemReason(errno, pathOf(strPrefix));
        return false;
    }
#endif
    for (int nTry = 0; nTry < 100; ++nTry) {
        strName = randomName(strPrefix);
        if (createFile(strName, file, reason, mode))
            return true;
        if (entry(strName) == Entry::Missing)
            return false;
    }
    return false;
}

bool HeldFolder::place(QFile &temporary, QString &strTemporary, const QString &strPrefix,
                       const QString &strName) const
{
    if (strTemporary.isEmpty() && !linkUnnamed(temporary, int(m_handle), strPrefix, strTemporary))
        return false;
    temporary.close();
    return rename(strTemporary, strName);
}

void HeldFolder::copyOwnerAndMode(QFile &file, const QFile &model)
{
    struct stat status;
    if (fstat(model.handle(), &status) != 0)
        return;
    const int fd = file.handle();
    // Root may give both; another account only a group it belongs to.
    if (fchown(fd, status.st_uid, status.st_gid) != 0)
        fchown(fd, uid_t(-1), status.st_gid);
    fchmod(fd, status.st_mode & 0777);
}

bool HeldFolder::rename(const QString &strFrom, const QString &strTo) const
{
    return renameat(int(m_handle), QFile::encodeName(strFrom).constData(), int(m_handle),
                    QFile::encodeName(strTo).constData())
        == 0;
}

bool HeldFolder::remove(const QString &strName) const
{
    return unlinkat(int(m_handle), QFile::encodeName(strName).constData(), 0) == 0;
}

bool HeldFolder::removeFolder(const QString &strName) const
{
    return unlinkat(int(m_handle), QFile::encodeName(strName).constData(), AT_REMOVEDIR) == 0;
}

bool HeldFolder::syncFiles(const QVector<QFile *> &files) const
{
    if (files.size() == 1)
        return fsync(files.first()->handle()) == 0;
    if (files.isEmpty())
        return true;
#ifdef __linux__
    // One call for all of them: the file system's data, as dpkg batches it.
    return syncfs(int(m_handle)) == 0;
#else
    return std::all_of(files.cbegin(), files.cend(),
                       [](QFile *file) { return fsync(file->handle()) == 0; });
#endif
}

bool HeldFolder::sync() const
{
    // A folder only searched cannot be synced; its names are then the kernel's to write.
    return fsync(int(m_handle)) == 0 || errno == EBADF;
}
