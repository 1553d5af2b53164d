#include "heldfolder.h"

#include <QDir>
#include <QRandomGenerator>

#include <string>

#include <windows.h>
#include <winternl.h>

#include <aclapi.h>
#include <fcntl.h>
#include <io.h>
#include <sddl.h>
#include <winioctl.h>

namespace {

constexpr int maxLinks = 40;

constexpr NTSTATUS statusAccessDenied = NTSTATUS(0xC0000022L);
constexpr NTSTATUS statusNameNotFound = NTSTATUS(0xC0000034L);
constexpr NTSTATUS statusNameCollision = NTSTATUS(0xC0000035L);
constexpr NTSTATUS statusPathNotFound = NTSTATUS(0xC000003AL);
constexpr NTSTATUS statusNotADirectory = NTSTATUS(0xC0000103L);
constexpr NTSTATUS statusFileIsADirectory = NTSTATUS(0xC00000BAL);
constexpr NTSTATUS statusCannotDelete = NTSTATUS(0xC0000121L);

// The information classes ntdll takes; the Ex ones need Windows 10 1809.
constexpr int fileRenameInformation = 10;
constexpr int fileDispositionInformation = 13;
constexpr int fileDispositionInformationEx = 64;
constexpr int fileRenameInformationEx = 65;
constexpr ULONG renameReplaceIfExists = 0x1;
constexpr ULONG renamePosixSemantics = 0x2;
constexpr ULONG renameIgnoreReadOnly = 0x40;
constexpr ULONG dispositionDelete = 0x1;
constexpr ULONG dispositionPosixSemantics = 0x2;
constexpr ULONG dispositionIgnoreReadOnly = 0x10;

constexpr ULONG shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// What a held folder is opened with, the most first: writing lets sync()
// flush it, reading its owner lets the owner rule and messages name it.
constexpr ACCESS_MASK folderAccess[] = {
    FILE_GENERIC_READ | FILE_TRAVERSE | FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY,
    FILE_GENERIC_READ | FILE_TRAVERSE,
    FILE_READ_ATTRIBUTES | FILE_TRAVERSE,
};
// What a step of a walk reads: the kind and the owner.
constexpr ACCESS_MASK statusAccess = READ_CONTROL | FILE_READ_ATTRIBUTES;

// ntdll's calls relative to a folder handle, which kernel32 does not offer.
struct Ntdll
{
    using CreateFile = NTSTATUS(NTAPI *)(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES, PIO_STATUS_BLOCK,
                                         PLARGE_INTEGER, ULONG, ULONG, ULONG, ULONG, PVOID, ULONG);
    using SetInformationFile = NTSTATUS(NTAPI *)(HANDLE, PIO_STATUS_BLOCK, PVOID, ULONG, ULONG);
    using StatusToDosError = ULONG(NTAPI *)(NTSTATUS);

    CreateFile createFile;
    SetInformationFile setInformationFile;
    StatusToDosError statusToDosError;
};

template<typename Function>
Function ntdllFunction(const char *name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name)));
}

const Ntdll &ntdll()
{
    static const Ntdll functions {ntdllFunction<Ntdll::CreateFile>("NtCreateFile"),
                                  ntdllFunction<Ntdll::SetInformationFile>("NtSetInformationFile"),
                                  ntdllFunction<Ntdll::StatusToDosError>("RtlNtStatusToDosError")};
    return functions;
}

class UniqueHandle
{
public:
    explicit UniqueHandle(HANDLE handle = nullptr)
        : m_handle(handle)
    {
    }
    UniqueHandle(UniqueHandle &&other) noexcept
        : m_handle(other.release())
    {
    }
    UniqueHandle &operator=(UniqueHandle &&other) noexcept
    {
        reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }
    HANDLE get() const { return m_handle; }
    bool isValid() const { return m_handle != nullptr; }
    HANDLE release() { return std::exchange(m_handle, nullptr); }
    void reset(HANDLE handle = nullptr)
    {
        if (m_handle)
            CloseHandle(m_handle);
        m_handle = handle;
    }

private:
    HANDLE m_handle;
};

HANDLE handleOf(qintptr handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

// The system's words as the end of a sentence.
Reason systemReason(DWORD nError, const QString &strPath)
{
    // Windows words a read-only file "Access is denied".
    if (nError == ERROR_ACCESS_DENIED || nError == ERROR_PRIVILEGE_NOT_HELD)
        return Reason(QT_TRANSLATE_NOOP("Reason", "permission denied"), strPath);
    wchar_t *text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                       | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, nError, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    QString strText = text ? QString::fromWCharArray(text).trimmed() : QString();
    LocalFree(text);
    if (strText.endsWith(QLatin1Char('.')))
        strText.chop(1);
    //: %1 is the number of a Windows error that has no text.
    if (strText.isEmpty())
        return Reason(QT_TRANSLATE_NOOP("Reason", "error %1"), strPath, {QString::number(nError)});
    strText[0] = strText.at(0).toLower();
    return Reason::quoting(strText, strPath);
}

Reason statusReason(NTSTATUS status, const QString &strPath)
{
    return systemReason(ntdll().statusToDosError(status), strPath);
}

bool isMissing(NTSTATUS status)
{
    return status == statusNameNotFound || status == statusPathNotFound;
}

// Opens the name relative to the folder, which no rename of a folder on the
// way can redirect; a null folder takes an NT path.
NTSTATUS openAt(HANDLE folder, const QString &strName, ACCESS_MASK access, ULONG nDisposition,
                ULONG nOptions, UniqueHandle &opened, ULONG nAttributes = 0)
{
    std::wstring name = QDir::toNativeSeparators(strName).toStdWString();
    UNICODE_STRING unicodeName;
    unicodeName.Buffer = name.data();
    unicodeName.Length = unicodeName.MaximumLength = USHORT(name.size() * sizeof(wchar_t));
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &unicodeName, OBJ_CASE_INSENSITIVE, folder, nullptr);
    IO_STATUS_BLOCK io = {};
    HANDLE handle = nullptr;
    const NTSTATUS status = ntdll().createFile(&handle, access | SYNCHRONIZE, &attributes, &io,
                                               nullptr, nAttributes, shareAll, nDisposition,
                                               nOptions | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
    opened.reset(NT_SUCCESS(status) ? handle : nullptr);
    return status;
}

// The same object again, with other rights: nothing can be swapped in between.
NTSTATUS reopen(HANDLE object, ACCESS_MASK access, ULONG nOptions, UniqueHandle &opened)
{
    return openAt(object, QString(), access, FILE_OPEN, nOptions | FILE_OPEN_REPARSE_POINT, opened);
}

// The folder at the name with the most of folderAccess it may have; without
// FILE_OPEN_REPARSE_POINT in nOptions a link there is followed.
NTSTATUS openFolderAt(HANDLE folder, const QString &strName, ULONG nOptions, UniqueHandle &opened)
{
    NTSTATUS status = statusAccessDenied;
    for (const ACCESS_MASK access : folderAccess) {
        status = openAt(folder, strName, access, FILE_OPEN, nOptions | FILE_DIRECTORY_FILE, opened);
        if (status != statusAccessDenied)
            break;
    }
    return status;
}

NTSTATUS reopenFolder(HANDLE folder, UniqueHandle &opened)
{
    return openFolderAt(folder, QString(), FILE_OPEN_REPARSE_POINT, opened);
}

Reason folderReason(NTSTATUS status, const QString &strPath)
{
    if (isMissing(status))
        return Reason(QT_TRANSLATE_NOOP("Reason", "does not exist"), strPath);
    if (status == statusNotADirectory)
        return Reason(QT_TRANSLATE_NOOP("Reason", "not a folder"), strPath);
    return statusReason(status, strPath);
}

using Sid = QByteArray;

Sid sidOf(PSID sid)
{
    return sid && IsValidSid(sid) ? Sid(static_cast<const char *>(sid), int(GetLengthSid(sid)))
                                  : Sid();
}

Sid wellKnownSid(WELL_KNOWN_SID_TYPE type)
{
    Sid sid(SECURITY_MAX_SID_SIZE, Qt::Uninitialized);
    DWORD nSize = DWORD(sid.size());
    if (!CreateWellKnownSid(type, nullptr, sid.data(), &nSize))
        return Sid();
    sid.truncate(int(nSize));
    return sid;
}

// The accounts that own what Windows itself installs.
bool isTrusted(const Sid &owner)
{
    static const QVector<Sid> trusted = [] {
        QVector<Sid> sids {wellKnownSid(WinLocalSystemSid),
                           wellKnownSid(WinBuiltinAdministratorsSid)};
        PSID trustedInstaller = nullptr;
        if (ConvertStringSidToSidW(
                L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464",
                &trustedInstaller)) {
            sids.append(sidOf(trustedInstaller));
            LocalFree(trustedInstaller);
        }
        return sids;
    }();
    return trusted.contains(owner);
}

// Empty when the handle may not read it.
Sid ownerOf(HANDLE handle)
{
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(handle, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                        nullptr, nullptr, &descriptor)
        != ERROR_SUCCESS)
        return Sid();
    const Sid sid = sidOf(owner);
    LocalFree(descriptor);
    return sid;
}

// The process's account, and the owner it gives what it makes
// (Administrators, for an elevated administrator).
Sid tokenSid(TOKEN_INFORMATION_CLASS information)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return Sid();
    QByteArray buffer(SECURITY_MAX_SID_SIZE + 16, Qt::Uninitialized);
    DWORD nSize = 0;
    Sid sid;
    if (GetTokenInformation(token, information, buffer.data(), DWORD(buffer.size()), &nSize))
        sid = sidOf(information == TokenUser
                        ? reinterpret_cast<TOKEN_USER *>(buffer.data())->User.Sid
                        : reinterpret_cast<TOKEN_OWNER *>(buffer.data())->Owner);
    CloseHandle(token);
    return sid;
}

// DOMAIN\name, as two accounts of one name on a machine and in its domain
// must not read alike.
Reason::Argument accountName(const Sid &sid)
{
    PSID account = const_cast<char *>(sid.constData());
    wchar_t name[256];
    wchar_t domain[256];
    DWORD nName = 256;
    DWORD nDomain = 256;
    SID_NAME_USE use;
    if (!sid.isEmpty() && LookupAccountSidW(nullptr, account, name, &nName, domain, &nDomain, &use))
        return nDomain > 0
            ? QString::fromWCharArray(domain) + QLatin1Char('\\') + QString::fromWCharArray(name)
            : QString::fromWCharArray(name);
    wchar_t *text = nullptr;
    //: In the place of an account's name, as in "a folder owned by %1".
    if (sid.isEmpty() || !ConvertSidToStringSidW(account, &text))
        return Reason::Word{QT_TRANSLATE_NOOP("Reason", "an unknown account")};
    const QString strText = QString::fromWCharArray(text);
    LocalFree(text);
    return strText;
}

// What a walk learns of a name without following it.
struct Status
{
    bool bExists = false;
    DWORD nAttributes = 0;
    DWORD nTag = 0;
    Sid owner;

    bool isReparsePoint() const { return nAttributes & FILE_ATTRIBUTE_REPARSE_POINT; }
    // A name that stands for another: links, junctions and their like. Other
    // reparse points (cloud files, deduplicated ones) are the file itself.
    bool isLink() const { return isReparsePoint() && IsReparseTagNameSurrogate(nTag); }
    bool isFolder() const { return (nAttributes & FILE_ATTRIBUTE_DIRECTORY) && !isLink(); }
};

NTSTATUS readStatus(HANDLE handle, Status &status, bool bOwner)
{
    FILE_ATTRIBUTE_TAG_INFO tag = {};
    if (!GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag))
        return statusAccessDenied;
    status.bExists = true;
    status.nAttributes = tag.FileAttributes;
    status.nTag = tag.ReparseTag;
    if (bOwner) {
        status.owner = ownerOf(handle);
        if (status.owner.isEmpty())
            return statusAccessDenied;
    }
    return 0;
}

// For "a %1 where the installer makes its own folder".
Reason::Word reparseKind(DWORD nTag)
{
    //: A kind of file system object, after "a".
    if (nTag == IO_REPARSE_TAG_SYMLINK)
        return {QT_TRANSLATE_NOOP("Reason", "link")};
    //: A Windows directory junction, after "a".
    if (nTag == IO_REPARSE_TAG_MOUNT_POINT)
        return {QT_TRANSLATE_NOOP("Reason", "junction")};
    return {QT_TRANSLATE_NOOP("Reason", "reparse point")};
}

// For "a %2 owned by %3".
Reason::Word kindOf(const Status &status)
{
    if (status.isLink())
        return reparseKind(status.nTag);
    return {status.isFolder() ? QT_TRANSLATE_NOOP("Reason", "folder")
                              : QT_TRANSLATE_NOOP("Reason", "file")};
}

// As on Unix for root: from a folder of SYSTEM, the administrators or
// TrustedInstaller anything may be reached, from another account's only what
// that account owns.
bool unsafeStep(const Status &from, const Status &to)
{
    return !isTrusted(from.owner) && from.owner != to.owner;
}

Reason unsafeStepReason(const Status &from, const Status &to, const QString &strPath)
{
    //: %1 and %3 are accounts, %2 a kind of file system object ("link", "file", ...).
    return Reason::withWords(QT_TRANSLATE_NOOP("Reason", "not followed: a folder owned by %1 "
                                                         "that holds a %2 owned by %3"),
                             strPath, {accountName(from.owner), kindOf(to), accountName(to.owner)});
}

// Why a privileged run does not take a reparse point for its own folder.
Reason ownFolderRefusal(const Status &status, const QString &strPath)
{
    //: %1 is "link", "junction" or "reparse point".
    return Reason::withWords(
        QT_TRANSLATE_NOOP("Reason", "refused: a %1 where the installer makes its own folder"),
        strPath, {reparseKind(status.nTag)});
}

QString joined(const QString &strFolder, const QString &strName)
{
    return strFolder.endsWith(QLatin1Char('/')) ? strFolder + strName
                                                : strFolder + QLatin1Char('/') + strName;
}

QString fullPath(const QString &strPath)
{
    const std::wstring path = QDir::toNativeSeparators(strPath).toStdWString();
    std::wstring full(MAX_PATH, L'\0');
    DWORD nLength = GetFullPathNameW(path.c_str(), DWORD(full.size()), full.data(), nullptr);
    if (nLength >= full.size()) {
        full.resize(nLength);
        nLength = GetFullPathNameW(path.c_str(), DWORD(full.size()), full.data(), nullptr);
    }
    return nLength > 0 && nLength < full.size() ? QString::fromWCharArray(full.data(), int(nLength))
                                                : QString();
}

// An absolute path split into its volume, as a Qt path and an NT path to
// open, and the names below it.
struct SplitPath
{
    QString strRoot;
    QString strNtRoot;
    QStringList names;
};

bool splitPath(const QString &strFull, SplitPath &split)
{
    QString strRest = QDir::toNativeSeparators(strFull);
    QString strShown; // before the volume, as a path shows it
    QString strNt = QStringLiteral("\\??\\");
    int nVolumeParts = 1;
    if (strRest.startsWith(QLatin1String("\\\\?\\"))
        || strRest.startsWith(QLatin1String("\\\\.\\"))) {
        strRest = strRest.mid(4);
        if (strRest.startsWith(QLatin1String("UNC\\"), Qt::CaseInsensitive)) {
            strRest = strRest.mid(4);
            strShown = QStringLiteral("\\\\");
            strNt += QLatin1String("UNC\\");
            nVolumeParts = 2;
        } else if (strRest.size() < 2 || strRest.at(1) != QLatin1Char(':')) {
            strShown = QStringLiteral("\\\\?\\"); // "Volume{...}"
        }
    } else if (strRest.startsWith(QLatin1String("\\\\"))) {
        strRest = strRest.mid(2);
        strShown = QStringLiteral("\\\\");
        strNt += QLatin1String("UNC\\");
        nVolumeParts = 2;
    } else if (strRest.size() < 2 || strRest.at(1) != QLatin1Char(':')) {
        return false;
    }
    const QStringList parts = strRest.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (parts.size() < nVolumeParts)
        return false;
    const QString strVolume
        = parts.mid(0, nVolumeParts).join(QLatin1Char('\\')) + QLatin1Char('\\');
    split.strRoot = QDir::fromNativeSeparators(strShown + strVolume);
    split.strNtRoot = strNt + strVolume;
    split.names.clear();
    for (const QString &strName : parts.mid(nVolumeParts)) {
        if (strName == QLatin1String("..")) {
            if (!split.names.isEmpty())
                split.names.removeLast();
        } else if (strName != QLatin1String(".")) {
            split.names.append(strName);
        }
    }
    return true;
}

// Where a link or junction leads, as a full path; false when it leads to
// no path a walk can take.
bool linkDestination(HANDLE link, const QString &strLinkFolder, QString &strDestination)
{
    QByteArray buffer(MAXIMUM_REPARSE_DATA_BUFFER_SIZE, Qt::Uninitialized);
    DWORD nReturned = 0;
    if (!DeviceIoControl(link, FSCTL_GET_REPARSE_POINT, nullptr, 0, buffer.data(),
                         DWORD(buffer.size()), &nReturned, nullptr)
        || nReturned < 16)
        return false;
    const auto *data = reinterpret_cast<const uchar *>(buffer.constData());
    const auto word
        = [data](int nOffset) { return USHORT(data[nOffset] | data[nOffset + 1] << 8); };
    const DWORD nTag = *reinterpret_cast<const DWORD *>(data);
    // The reparse buffer: tag, length, reserved, then the substitute name's
    // offset and length; a link has flags before its names, a junction none.
    const int nNames = nTag == IO_REPARSE_TAG_SYMLINK ? 20 : 16;
    const bool bRelative = nTag == IO_REPARSE_TAG_SYMLINK && (data[16] & 1);
    const int nOffset = nNames + word(8);
    const int nLength = word(10);
    if (nOffset + nLength > int(nReturned))
        return false;
    QString strTarget = QString::fromWCharArray(reinterpret_cast<const wchar_t *>(data + nOffset),
                                                nLength / int(sizeof(wchar_t)));
    const QString strFolder = QDir::toNativeSeparators(strLinkFolder);
    if (bRelative) {
        SplitPath folder;
        // "\x" is from the root of the link's volume.
        if (strTarget.startsWith(QLatin1Char('\\')) && splitPath(fullPath(strFolder), folder))
            strDestination = fullPath(QDir::toNativeSeparators(folder.strRoot) + strTarget.mid(1));
        else
            strDestination = fullPath(strFolder + QLatin1Char('\\') + strTarget);
        return !strDestination.isEmpty();
    }
    if (!strTarget.startsWith(QLatin1String("\\??\\")))
        return false;
    strTarget = strTarget.mid(4);
    if (strTarget.startsWith(QLatin1String("UNC\\"), Qt::CaseInsensitive))
        strDestination = QStringLiteral("\\\\") + strTarget.mid(4);
    else if (strTarget.size() >= 2 && strTarget.at(1) == QLatin1Char(':'))
        strDestination = strTarget;
    else
        strDestination = QStringLiteral("\\\\?\\") + strTarget;
    return true;
}

// What a walk through links ends at: the folder holding the last name, and
// what is at that name, opened to read it.
struct Walked
{
    UniqueHandle folder;
    QString strFolderPath;
    QString strName;
    Status status;
    UniqueHandle object;
};

// One name still to walk, or the end of a link's destination, where what
// was reached must belong to the link's owner.
struct Step
{
    QString strName;
    bool bLinkEnd = false;
    Sid linkOwner;
    Reason::Word linkKind;
    QString strLinkPath;
};

QVector<Step> stepsOf(const QStringList &names)
{
    QVector<Step> steps;
    for (const QString &strName : names) {
        if (!strName.isEmpty() && strName != QLatin1String("."))
            steps.append({strName, false, Sid(), Reason::Word{nullptr}, QString()});
    }
    return steps;
}

bool openRoot(const SplitPath &split, UniqueHandle &root, Status &status, Reason &reason)
{
    NTSTATUS result
        = openAt(nullptr, split.strNtRoot, statusAccess, FILE_OPEN, FILE_DIRECTORY_FILE, root);
    if (NT_SUCCESS(result))
        result = readStatus(root.get(), status, true);
    if (!NT_SUCCESS(result))
        reason = statusReason(result, split.strRoot);
    return NT_SUCCESS(result);
}

// Walks steps from a folder one name at a time, as the Unix walk does for
// root: each name opened as itself, links and junctions followed here under
// the owner rule, other name surrogates refused. Ends in the folder that
// holds the last name, or at the start when there is none.
class Walk
{
public:
    explicit Walk(QVector<Step> steps)
        : m_steps(std::move(steps))
    {
    }

    bool run(UniqueHandle start, const Status &startStatus, const QString &strStart, Walked &walked,
             Reason &reason)
    {
        m_folder = std::move(start);
        m_folderStatus = startStatus;
        m_strFolder = strStart;
        // No name at all: the start itself.
        walked.status = m_folderStatus;
        walked.strName.clear();
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
    // What a link in another account's folder reached must be that account's.
    static bool linkEnded(const Step &step, const Walked &walked, Reason &reason)
    {
        if (!walked.status.bExists || walked.status.owner == step.linkOwner)
            return true;
        //: %1 is "link" or "junction", %2 and %4 are accounts, %3 a kind of file system
        //: object ("link", "file", ...).
        reason = Reason::withWords(
            QT_TRANSLATE_NOOP("Reason",
                              "not followed: a %1 owned by %2 that leads to a %3 owned by %4"),
            step.strLinkPath,
            {step.linkKind, accountName(step.linkOwner), kindOf(walked.status),
             accountName(walked.status.owner)});
        return false;
    }

    bool take(const Step &step, Walked &walked, Reason &reason)
    {
        const bool bLast = std::all_of(m_steps.cbegin(), m_steps.cend(),
                                       [](const Step &next) { return next.bLinkEnd; });
        const QString strPath = joined(m_strFolder, step.strName);
        UniqueHandle object;
        Status status;
        NTSTATUS result = openAt(m_folder.get(), step.strName, statusAccess, FILE_OPEN,
                                 FILE_OPEN_REPARSE_POINT, object);
        if (NT_SUCCESS(result))
            result = readStatus(object.get(), status, true);
        walked.strName = step.strName;
        walked.status = status;
        walked.object.reset();
        if (!NT_SUCCESS(result)) {
            if (isMissing(result) && bLast)
                return true;
            reason = isMissing(result)
                ? Reason(QT_TRANSLATE_NOOP("Reason", "does not exist"), strPath)
                : statusReason(result, strPath);
            return false;
        }
        if (unsafeStep(m_folderStatus, status)) {
            reason = unsafeStepReason(m_folderStatus, status, strPath);
            return false;
        }
        if (status.isLink())
            return follow(object.get(), status, strPath, walked, reason);
        if (bLast) {
            walked.object = std::move(object);
            return true;
        }
        if (!status.isFolder()) {
            reason = Reason(QT_TRANSLATE_NOOP("Reason", "not a folder"), strPath);
            return false;
        }
        m_folder = std::move(object);
        m_folderStatus = status;
        m_strFolder = strPath;
        return true;
    }

    // The destination's names take the link's place among the steps, from
    // the root of its volume.
    bool follow(HANDLE link, const Status &status, const QString &strPath, Walked &walked,
                Reason &reason)
    {
        if (status.nTag != IO_REPARSE_TAG_SYMLINK && status.nTag != IO_REPARSE_TAG_MOUNT_POINT) {
            reason = Reason(QT_TRANSLATE_NOOP("Reason", "not followed: a reparse point"), strPath);
            return false;
        }
        QString strDestination;
        SplitPath destination;
        if (++m_nLinks > maxLinks || !linkDestination(link, m_strFolder, strDestination)
            || !splitPath(strDestination, destination)) {
            reason = m_nLinks > maxLinks
                ? Reason(QT_TRANSLATE_NOOP("Reason", "too many levels of links"), strPath)
                //: %1 is "link" or "junction".
                : Reason::withWords(QT_TRANSLATE_NOOP("Reason", "not followed: a %1 to no folder "
                                                                "of a drive or share"),
                                    strPath, {kindOf(status)});
            return false;
        }
        QVector<Step> followed = stepsOf(destination.names);
        // A link in a trusted folder is its owner's to set.
        if (!isTrusted(m_folderStatus.owner))
            followed.append({QString(), true, status.owner, kindOf(status), strPath});
        m_steps = followed + m_steps;
        if (!openRoot(destination, m_folder, m_folderStatus, reason))
            return false;
        m_strFolder = destination.strRoot;
        // A link to a volume's root ends there.
        walked.status = m_folderStatus;
        walked.strName.clear();
        return true;
    }

    QVector<Step> m_steps;
    UniqueHandle m_folder;
    Status m_folderStatus;
    QString m_strFolder;
    int m_nLinks = 0;
};

bool walk(UniqueHandle start, const Status &startStatus, const QString &strStart,
          QVector<Step> steps, Walked &walked, Reason &reason)
{
    return Walk(std::move(steps)).run(std::move(start), startStatus, strStart, walked, reason);
}

// The folder a walk ended at, with the rights of a held one.
bool heldWalked(const Walked &walked, const QString &strPath, UniqueHandle &opened, Reason &reason)
{
    if (!walked.status.bExists || !walked.status.isFolder()) {
        reason = Reason(walked.status.bExists ? QT_TRANSLATE_NOOP("Reason", "not a folder")
                                              : QT_TRANSLATE_NOOP("Reason", "does not exist"),
                        strPath);
        return false;
    }
    const NTSTATUS status = reopenFolder(
        walked.strName.isEmpty() ? walked.folder.get() : walked.object.get(), opened);
    if (!NT_SUCCESS(status))
        reason = statusReason(status, strPath);
    return NT_SUCCESS(status);
}

// Walks the names from a held folder, which the walk starts at again.
bool walkFrom(HANDLE folder, const QString &strFolder, const QString &strNames, Walked &walked,
              Reason &reason)
{
    UniqueHandle start;
    Status startStatus;
    NTSTATUS status = reopen(folder, statusAccess, FILE_DIRECTORY_FILE, start);
    if (NT_SUCCESS(status))
        status = readStatus(start.get(), startStatus, true);
    if (!NT_SUCCESS(status)) {
        reason = statusReason(status, strFolder);
        return false;
    }
    return walk(std::move(start), startStatus, strFolder,
                stepsOf(QDir::fromNativeSeparators(strNames).split(QLatin1Char('/'))), walked,
                reason);
}

bool openFd(QFile &file, HANDLE handle, QIODevice::OpenMode mode, const QString &strPath)
{
    // Binary: QIODevice::Text translates line ends itself.
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle),
                                   mode.testFlag(QIODevice::WriteOnly) ? 0 : _O_RDONLY);
    if (fd < 0) {
        CloseHandle(handle);
        return false;
    }
    file.setFileName(strPath);
    if (file.open(fd, mode, QFileDevice::AutoCloseHandle))
        return true;
    _close(fd);
    return false;
}

ACCESS_MASK fileAccess(QIODevice::OpenMode mode)
{
    ACCESS_MASK access = 0;
    if (mode.testFlag(QIODevice::ReadOnly))
        access |= GENERIC_READ;
    if (mode.testFlag(QIODevice::WriteOnly))
        access |= GENERIC_WRITE;
    return access;
}

// Only a plain file on a disk: no folder, pipe or device, nor a link left.
bool isPlainFile(HANDLE handle)
{
    Status status;
    return GetFileType(handle) == FILE_TYPE_DISK && NT_SUCCESS(readStatus(handle, status, false))
        && !(status.nAttributes & FILE_ATTRIBUTE_DIRECTORY) && !status.isLink();
}

NTSTATUS setInformation(HANDLE handle, void *information, ULONG nSize, int nClass)
{
    IO_STATUS_BLOCK io = {};
    return ntdll().setInformationFile(handle, &io, information, nSize, ULONG(nClass));
}

// Where a newer call is unknown (Wine, older Windows) or the file system
// does not take it (FAT).
bool isUnsupported(NTSTATUS status)
{
    return status == NTSTATUS(0xC0000002L) || status == NTSTATUS(0xC0000003L)
        || status == NTSTATUS(0xC000000DL) || status == NTSTATUS(0xC00000BBL)
        || status == NTSTATUS(0xC0000010L);
}

// Sets or clears the read-only attribute through the handle; false when it
// could not or there was nothing to change.
bool setReadOnly(HANDLE object, bool bReadOnly)
{
    UniqueHandle writable;
    FILE_BASIC_INFO basic = {};
    if (!NT_SUCCESS(reopen(object, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, 0, writable))
        || !GetFileInformationByHandleEx(writable.get(), FileBasicInfo, &basic, sizeof basic)
        || bool(basic.FileAttributes & FILE_ATTRIBUTE_READONLY) == bReadOnly)
        return false;
    basic.FileAttributes ^= FILE_ATTRIBUTE_READONLY;
    if (basic.FileAttributes == 0)
        basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    // Zero times stay as they are.
    basic.CreationTime.QuadPart = basic.LastAccessTime.QuadPart = 0;
    basic.LastWriteTime.QuadPart = basic.ChangeTime.QuadPart = 0;
    return SetFileInformationByHandle(writable.get(), FileBasicInfo, &basic, sizeof basic);
}

// Marks the opened object for deletion. The POSIX way takes the name away at
// once, also while others hold it open, and ignores the read-only attribute;
// without it, the attribute is cleared first and put back when the object
// still cannot go.
bool deleteOpened(HANDLE object)
{
    ULONG nFlags = dispositionDelete | dispositionPosixSemantics | dispositionIgnoreReadOnly;
    NTSTATUS status = setInformation(object, &nFlags, sizeof nFlags, fileDispositionInformationEx);
    if (!isUnsupported(status))
        return NT_SUCCESS(status);
    BOOLEAN bDelete = TRUE;
    status = setInformation(object, &bDelete, sizeof bDelete, fileDispositionInformation);
    if (NT_SUCCESS(status))
        return true;
    if ((status != statusCannotDelete && status != statusAccessDenied)
        || !setReadOnly(object, false))
        return false;
    if (NT_SUCCESS(setInformation(object, &bDelete, sizeof bDelete, fileDispositionInformation)))
        return true;
    setReadOnly(object, true);
    return false;
}

// Renames the opened object to strTo in the folder, replacing what is there.
NTSTATUS renameOpened(HANDLE object, HANDLE folder, const QString &strTo)
{
    const std::wstring name = QDir::toNativeSeparators(strTo).toStdWString();
    struct RenameInformation
    {
        ULONG nFlags; // ReplaceIfExists in its first byte for the older class
        HANDLE folder;
        ULONG nLength;
        wchar_t name[1];
    };
    const ULONG nSize
        = ULONG(offsetof(RenameInformation, name) + (name.size() + 1) * sizeof(wchar_t));
    QByteArray buffer(int(nSize), '\0');
    auto *information = reinterpret_cast<RenameInformation *>(buffer.data());
    information->folder = folder;
    information->nLength = ULONG(name.size() * sizeof(wchar_t));
    memcpy(buffer.data() + offsetof(RenameInformation, name), name.data(), information->nLength);
    // POSIX: a target others hold open with delete sharing is replaced too.
    information->nFlags = renameReplaceIfExists | renamePosixSemantics | renameIgnoreReadOnly;
    const NTSTATUS status = setInformation(object, information, nSize, fileRenameInformationEx);
    if (!isUnsupported(status))
        return status;
    information->nFlags = TRUE;
    return setInformation(object, information, nSize, fileRenameInformation);
}

// A privileged run may set any owner, with the restore privilege of its
// token, enabled on this thread alone.
class RestorePrivilege
{
public:
    RestorePrivilege()
    {
        if (!ImpersonateSelf(SecurityImpersonation))
            return;
        m_bImpersonating = true;
        HANDLE token = nullptr;
        TOKEN_PRIVILEGES privileges = {};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (OpenThreadToken(GetCurrentThread(), TOKEN_ADJUST_PRIVILEGES, TRUE, &token)
            && LookupPrivilegeValueW(nullptr, L"SeRestorePrivilege", &privileges.Privileges[0].Luid)
            && AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr))
            m_bEnabled = GetLastError() == ERROR_SUCCESS;
        if (token)
            CloseHandle(token);
    }
    ~RestorePrivilege()
    {
        if (m_bImpersonating)
            RevertToSelf();
    }
    bool isEnabled() const { return m_bEnabled; }

private:
    bool m_bImpersonating = false;
    bool m_bEnabled = false;
};

// What a privileged run makes in another account's folder is given to that
// account, as root does on Unix: an administrator's file there would stop
// the next privileged run at the owner rule.
NTSTATUS giveToFolderOwner(HANDLE folder, HANDLE made)
{
    const Sid folderOwner = ownerOf(folder);
    if (folderOwner.isEmpty() || isTrusted(folderOwner) || ownerOf(made) == folderOwner)
        return 0;
    const RestorePrivilege privilege;
    if (!privilege.isEnabled())
        return statusAccessDenied;
    UniqueHandle writable;
    NTSTATUS status = reopen(made, WRITE_OWNER, FILE_OPEN_FOR_BACKUP_INTENT, writable);
    if (NT_SUCCESS(status)
        && SetSecurityInfo(writable.get(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION,
                           const_cast<char *>(folderOwner.constData()), nullptr, nullptr, nullptr)
            != ERROR_SUCCESS)
        status = statusAccessDenied;
    return status;
}

// "C:/a/b" from the "\\?\C:\a\b" that Windows names an open file with.
QString displayPath(QString strPath)
{
    if (strPath.startsWith(QLatin1String("\\\\?\\UNC\\"), Qt::CaseInsensitive))
        strPath = QStringLiteral("\\\\") + strPath.mid(8);
    else if (strPath.startsWith(QLatin1String("\\\\?\\")) && strPath.size() > 5
             && strPath.at(5) == QLatin1Char(':'))
        strPath = strPath.mid(4);
    return QDir::fromNativeSeparators(strPath);
}

QString finalPath(HANDLE handle)
{
    std::wstring path(MAX_PATH, L'\0');
    DWORD nLength = GetFinalPathNameByHandleW(handle, path.data(), DWORD(path.size()), 0);
    if (nLength >= path.size()) {
        path.resize(nLength);
        nLength = GetFinalPathNameByHandleW(handle, path.data(), DWORD(path.size()), 0);
    }
    return nLength > 0 && nLength < path.size()
        ? displayPath(QString::fromWCharArray(path.data(), int(nLength)))
        : QString();
}

} // namespace

bool runsPrivileged()
{
    static const bool bPrivileged = [] {
        HANDLE token = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
            return false;
        TOKEN_ELEVATION elevation = {};
        DWORD nSize = 0;
        bool bResult
            = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &nSize)
            && elevation.TokenIsElevated;
        QByteArray user(SECURITY_MAX_SID_SIZE + sizeof(TOKEN_USER), Qt::Uninitialized);
        if (!bResult
            && GetTokenInformation(token, TokenUser, user.data(), DWORD(user.size()), &nSize))
            bResult = IsWellKnownSid(reinterpret_cast<TOKEN_USER *>(user.data())->User.Sid,
                                     WinLocalSystemSid);
        CloseHandle(token);
        return bResult;
    }();
    return bPrivileged;
}

void HeldFolder::close()
{
    if (isOpen())
        CloseHandle(handleOf(m_handle));
    m_handle = invalidHandle;
}

HeldFolder HeldFolder::open(const QString &strPath, Reason &reason)
{
    SplitPath split;
    if (!splitPath(fullPath(strPath), split)) {
        reason = Reason(QT_TRANSLATE_NOOP("Reason", "does not exist"), strPath);
        return HeldFolder();
    }
    UniqueHandle opened;
    if (!runsPrivileged()) {
        // Followed as Windows always did.
        const NTSTATUS status = openFolderAt(
            nullptr, split.strNtRoot + split.names.join(QLatin1Char('\\')), 0, opened);
        if (!NT_SUCCESS(status)) {
            reason = folderReason(status, strPath);
            return HeldFolder();
        }
        return HeldFolder(reinterpret_cast<qintptr>(opened.release()), strPath);
    }
    UniqueHandle root;
    Status rootStatus;
    Walked walked;
    if (!openRoot(split, root, rootStatus, reason)
        || !walk(std::move(root), rootStatus, split.strRoot, stepsOf(split.names), walked, reason))
        return HeldFolder();
    if (!openRoot(split, root, rootStatus, reason)
        || !walk(std::move(root), rootStatus, split.strRoot, stepsOf(split.names), walked, reason)
        || !heldWalked(walked, strPath, opened, reason))
        return HeldFolder();
    return HeldFolder(reinterpret_cast<qintptr>(opened.release()), strPath);
}

bool HeldFolder::ownedByThisAccount() const
{
    const Sid owner = ownerOf(handleOf(m_handle));
    return !owner.isEmpty() && (owner == tokenSid(TokenUser) || owner == tokenSid(TokenOwner));
}

Reason::Argument HeldFolder::ownerName() const
{
    const Sid owner = ownerOf(handleOf(m_handle));
    return owner.isEmpty() ? Reason::Argument() : accountName(owner);
}

HeldFolder::Entry HeldFolder::entry(const QString &strName) const
{
    UniqueHandle object;
    Status status;
    if (!NT_SUCCESS(openAt(handleOf(m_handle), strName, FILE_READ_ATTRIBUTES, FILE_OPEN,
                           FILE_OPEN_REPARSE_POINT, object))
        || !NT_SUCCESS(readStatus(object.get(), status, false)))
        return Entry::Missing;
    if (status.isLink())
        return Entry::Link;
    return status.isFolder() ? Entry::Folder : Entry::File;
}

HeldFolder HeldFolder::ownFolder(const QString &strName, bool bCreate, Reason &reason) const
{
    const QString strPath = pathOf(strName);
    const bool bPrivileged = runsPrivileged();
    UniqueHandle object;
    Status found;
    NTSTATUS status = openAt(handleOf(m_handle), strName, FILE_READ_ATTRIBUTES, FILE_OPEN,
                             FILE_OPEN_REPARSE_POINT, object);
    if (NT_SUCCESS(status))
        status = readStatus(object.get(), found, false);
    object.reset();
    bool bMade = false;
    if (isMissing(status) && bCreate) {
        UniqueHandle made;
        status = openAt(handleOf(m_handle), strName, statusAccess, FILE_CREATE,
                        FILE_DIRECTORY_FILE | FILE_OPEN_REPARSE_POINT, made);
        bMade = NT_SUCCESS(status);
        if (bMade && bPrivileged)
            status = giveToFolderOwner(handleOf(m_handle), made.get());
        if (!NT_SUCCESS(status) && status != statusNameCollision) {
            reason = statusReason(status, strPath);
            return HeldFolder();
        }
    }
    // Any reparse point: the installer's own folder is never a link, nor
    // one whose content a filter supplies.
    if (bPrivileged && found.isReparsePoint()) {
        reason = ownFolderRefusal(found, strPath);
        return HeldFolder();
    }
    // An unprivileged run follows a link here, as it always did.
    UniqueHandle opened;
    status = openFolderAt(handleOf(m_handle), strName, bPrivileged ? FILE_OPEN_REPARSE_POINT : 0,
                          opened);
    if (!NT_SUCCESS(status)) {
        reason = folderReason(status, strPath);
        return HeldFolder();
    }
    if (!bPrivileged)
        return HeldFolder(reinterpret_cast<qintptr>(opened.release()), strPath);
    Status parent;
    Status child;
    status = readStatus(handleOf(m_handle), parent, true);
    if (NT_SUCCESS(status))
        status = readStatus(opened.get(), child, true);
    if (!NT_SUCCESS(status)) {
        reason = statusReason(status, strPath);
        return HeldFolder();
    }
    // Made a reparse point since it was looked at.
    if (child.isReparsePoint()) {
        reason = ownFolderRefusal(child, strPath);
        return HeldFolder();
    }
    if (!bMade && unsafeStep(parent, child)) {
        reason = unsafeStepReason(parent, child, strPath);
        return HeldFolder();
    }
    return HeldFolder(reinterpret_cast<qintptr>(opened.release()), strPath);
}

bool HeldFolder::openFile(const QString &strName, QIODevice::OpenMode mode, QFile &file,
                          HeldFolder *pHolder, QString *pFinalName, Reason &reason) const
{
    reason = Reason();
    UniqueHandle opened;
    HeldFolder holder;
    QString strFinalName;
    QString strPath = pathOf(strName);
    if (!runsPrivileged()) {
        // Followed as Windows always did; the replacement goes beside the
        // file that was read.
        NTSTATUS status = openAt(handleOf(m_handle), strName, fileAccess(mode), FILE_OPEN,
                                 FILE_NON_DIRECTORY_FILE, opened);
        if (isMissing(status))
            return false;
        if (!NT_SUCCESS(status)) {
            reason = status == statusFileIsADirectory
                ? Reason(QT_TRANSLATE_NOOP("Reason", "not a plain file"), strPath)
                : statusReason(status, strPath);
            return false;
        }
        const QString strFinal
            = pHolder && entry(strName) == Entry::Link ? finalPath(opened.get()) : QString();
        const int nSlash = strFinal.lastIndexOf(QLatin1Char('/'));
        if (nSlash > 0) {
            holder = HeldFolder::open(strFinal.left(nSlash + 1), reason);
            if (!holder.isOpen())
                return false;
            holder.m_strPath = strFinal.left(nSlash);
            strFinalName = strFinal.mid(nSlash + 1);
            strPath = strFinal;
        } else {
            UniqueHandle same;
            if (pHolder && !NT_SUCCESS(status = reopenFolder(handleOf(m_handle), same))) {
                reason = statusReason(status, m_strPath);
                return false;
            }
            if (same.isValid())
                holder = HeldFolder(reinterpret_cast<qintptr>(same.release()), m_strPath);
            strFinalName = strName;
        }
    } else {
        Walked walked;
        if (!walkFrom(handleOf(m_handle), m_strPath, strName, walked, reason))
            return false;
        strPath = joined(walked.strFolderPath, walked.strName);
        if (!walked.status.bExists)
            return false;
        if (walked.strName.isEmpty() || walked.status.isReparsePoint()
            || (walked.status.nAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            reason = Reason(QT_TRANSLATE_NOOP("Reason", "not a plain file"), strPath);
            return false;
        }
        UniqueHandle same;
        NTSTATUS status
            = reopen(walked.object.get(), fileAccess(mode), FILE_NON_DIRECTORY_FILE, opened);
        if (NT_SUCCESS(status) && pHolder)
            status = reopenFolder(walked.folder.get(), same);
        if (!NT_SUCCESS(status)) {
            reason = statusReason(status, strPath);
            return false;
        }
        if (same.isValid())
            holder = HeldFolder(reinterpret_cast<qintptr>(same.release()), walked.strFolderPath);
        strFinalName = walked.strName;
    }
    // A pipe or device named through a link never ends or blocks.
    if (!isPlainFile(opened.get())) {
        reason = Reason(QT_TRANSLATE_NOOP("Reason", "not a plain file"), strPath);
        return false;
    }
    // Windows opens no read-only file for writing; Wine does, as Unix root.
    Status status;
    if (mode.testFlag(QIODevice::WriteOnly) && NT_SUCCESS(readStatus(opened.get(), status, false))
        && (status.nAttributes & FILE_ATTRIBUTE_READONLY)) {
        reason = Reason(QT_TRANSLATE_NOOP("Reason", "permission denied"), strPath);
        return false;
    }
    if (!openFd(file, opened.release(), mode, strPath)) {
        reason = Reason::quoting(file.errorString(), strPath);
        return false;
    }
    if (pHolder)
        *pHolder = std::move(holder);
    if (pFinalName)
        *pFinalName = strFinalName;
    return true;
}

bool HeldFolder::createFile(const QString &strName, QFile &file, Reason &reason,
                            QIODevice::OpenMode mode) const
{
    const QString strPath = pathOf(strName);
    UniqueHandle made;
    // Never through a link: whatever is at the name, a dangling link too,
    // makes it fail. Made without the read-only attribute.
    NTSTATUS status
        = openAt(handleOf(m_handle), strName, GENERIC_READ | GENERIC_WRITE | DELETE | READ_CONTROL,
                 FILE_CREATE, FILE_NON_DIRECTORY_FILE | FILE_OPEN_REPARSE_POINT, made,
                 FILE_ATTRIBUTE_NORMAL);
    if (!NT_SUCCESS(status)) {
        reason = status == statusNameCollision
            ? Reason(QT_TRANSLATE_NOOP("Reason", "exists already"), strPath)
            : statusReason(status, strPath);
        return false;
    }
    if (runsPrivileged())
        status = giveToFolderOwner(handleOf(m_handle), made.get());
    if (!NT_SUCCESS(status)) {
        reason = statusReason(status, strPath);
        deleteOpened(made.get());
        return false;
    }
    UniqueHandle remover;
    reopen(made.get(), DELETE, FILE_NON_DIRECTORY_FILE, remover);
    if (!openFd(file, made.release(), mode, strPath)) {
        reason = Reason::quoting(file.errorString(), strPath);
        if (remover.isValid())
            deleteOpened(remover.get());
        return false;
    }
    return true;
}

bool HeldFolder::createTemporary(const QString &strPrefix, QFile &file, QString &strName,
                                 Reason &reason, QIODevice::OpenMode mode) const
{
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int nTry = 0; nTry < 100; ++nTry) {
        strName = strPrefix;
        for (int i = 0; i < 6; ++i)
            strName += QLatin1Char(letters[QRandomGenerator::global()->bounded(62)]);
        if (createFile(strName, file, reason, mode))
            return true;
        if (entry(strName) == Entry::Missing)
            return false;
    }
    return false;
}

bool HeldFolder::place(QFile &temporary, QString &strTemporary, const QString &,
                       const QString &strName) const
{
    // Windows makes no file without a name: the temporary has one.
    temporary.close();
    return rename(strTemporary, strName);
}

void HeldFolder::copyOwnerAndMode(QFile &, const QFile &)
{
    // Access comes from the folder's inherited access list, as it did for
    // the file replaced; its owner from the rule of createFile. The
    // read-only attribute is not copied: a replacement must stay writable.
}

bool HeldFolder::rename(const QString &strFrom, const QString &strTo) const
{
    UniqueHandle source;
    if (!NT_SUCCESS(openAt(handleOf(m_handle), strFrom, DELETE, FILE_OPEN, FILE_OPEN_REPARSE_POINT,
                           source)))
        return false;
    const NTSTATUS status = renameOpened(source.get(), handleOf(m_handle), strTo);
    if (NT_SUCCESS(status))
        return true;
    if (status != statusAccessDenied && status != statusCannotDelete)
        return false;
    // What the older rename does not replace: a read-only file, and a link
    // to a folder, which counts as a folder. The link goes itself.
    UniqueHandle target;
    Status found;
    if (!NT_SUCCESS(openAt(handleOf(m_handle), strTo, FILE_READ_ATTRIBUTES, FILE_OPEN,
                           FILE_OPEN_REPARSE_POINT, target))
        || !NT_SUCCESS(readStatus(target.get(), found, false)))
        return false;
    if (found.isLink() && (found.nAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        UniqueHandle link;
        return NT_SUCCESS(reopen(target.get(), DELETE, 0, link)) && deleteOpened(link.get())
            && (link.reset(), NT_SUCCESS(renameOpened(source.get(), handleOf(m_handle), strTo)));
    }
    if (found.isFolder() || !setReadOnly(target.get(), false))
        return false;
    if (NT_SUCCESS(renameOpened(source.get(), handleOf(m_handle), strTo)))
        return true;
    setReadOnly(target.get(), true);
    return false;
}

bool HeldFolder::remove(const QString &strName) const
{
    UniqueHandle object;
    Status status;
    // A link to a folder goes as a link; a folder itself does not.
    return NT_SUCCESS(openAt(handleOf(m_handle), strName, DELETE | FILE_READ_ATTRIBUTES, FILE_OPEN,
                             FILE_OPEN_REPARSE_POINT, object))
        && NT_SUCCESS(readStatus(object.get(), status, false)) && !status.isFolder()
        && deleteOpened(object.get());
}

bool HeldFolder::removeFolder(const QString &strName) const
{
    UniqueHandle object;
    Status status;
    // A junction is a link, as a link to a folder is on Unix: not removed here.
    return NT_SUCCESS(openAt(handleOf(m_handle), strName, DELETE | FILE_READ_ATTRIBUTES, FILE_OPEN,
                             FILE_DIRECTORY_FILE | FILE_OPEN_REPARSE_POINT, object))
        && NT_SUCCESS(readStatus(object.get(), status, false)) && status.isFolder()
        && deleteOpened(object.get());
}

bool HeldFolder::syncFiles(const QVector<QFile *> &files) const
{
    return std::all_of(files.cbegin(), files.cend(), [](QFile *file) {
        const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file->handle()));
        return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
    });
}

bool HeldFolder::sync() const
{
    if (FlushFileBuffers(handleOf(m_handle)))
        return true;
    // A folder held without the right to write it cannot be flushed, nor
    // one on a file system that flushes no folders; its names are then the
    // system's to write.
    const DWORD nError = GetLastError();
    return nError == ERROR_ACCESS_DENIED || nError == ERROR_INVALID_FUNCTION
        || nError == ERROR_NOT_SUPPORTED;
}
