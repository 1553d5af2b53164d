#include "databasefixtures.h"
#include "heldfolder.h"
#include "heldopenfile.h"
#include "jlinkaddqn58mcu.h"
#include "uninstallation.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

namespace {

enum class Job { Install, Uninstall };
// What lies at a name before a held folder's call on it.
enum class Occupant {
    Nothing,
    File,
    ReadOnlyFile,
    HeldFile,
    HeldReadOnlyFile,
    EmptyFolder,
    FullFolder
};
enum class Call { RenameOver, Remove, RemoveFolder, OpenForWriting, Create };

const QString lockName = QStringLiteral("qn58-jlink-setup.lock");

// The owner of a file or folder as the installer names accounts.
QString ownerName(const QString &strPath)
{
    const std::wstring path = QDir::toNativeSeparators(strPath).toStdWString();
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                              nullptr, nullptr, nullptr, &descriptor)
        != ERROR_SUCCESS)
        return QString();
    wchar_t name[256];
    wchar_t domain[256];
    DWORD nName = 256;
    DWORD nDomain = 256;
    SID_NAME_USE use;
    QString strName;
    if (LookupAccountSidW(nullptr, owner, name, &nName, domain, &nDomain, &use))
        strName
            = QString::fromWCharArray(domain) + QLatin1Char('\\') + QString::fromWCharArray(name);
    LocalFree(descriptor);
    return strName;
}

// Windows: LOCAL SERVICE, set with the restore privilege that an elevated
// run holds. Wine keeps no owner it is given, but names a file of another
// Unix account ANONYMOUS LOGON; as Unix root, chown makes one.
bool giveToAnotherAccount(const QString &strPath)
{
    const QString strBefore = ownerName(strPath);
    std::wstring path = QDir::toNativeSeparators(strPath).toStdWString();
    if (ImpersonateSelf(SecurityImpersonation)) {
        HANDLE token = nullptr;
        TOKEN_PRIVILEGES privileges = {};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        BYTE localService[SECURITY_MAX_SID_SIZE];
        DWORD nSize = sizeof localService;
        if (OpenThreadToken(GetCurrentThread(), TOKEN_ADJUST_PRIVILEGES, TRUE, &token)
            && LookupPrivilegeValueW(nullptr, L"SeRestorePrivilege", &privileges.Privileges[0].Luid)
            && AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr)
            && CreateWellKnownSid(WinLocalServiceSid, nullptr, localService, &nSize))
            SetNamedSecurityInfoW(path.data(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION,
                                  localService, nullptr, nullptr, nullptr);
        if (token)
            CloseHandle(token);
        RevertToSelf();
    }
    if (ownerName(strPath) != strBefore)
        return true;
    using UnixName = char *(CDECL *)(const wchar_t *);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        return false;
    char *name = unixName(path.c_str());
    const bool bStarted = QProcess::startDetached(
        QStringLiteral("/bin/chown"), {QStringLiteral("nobody"), QString::fromLocal8Bit(name)});
    HeapFree(GetProcessHeap(), 0, name);
    // Wine never tells when a Unix program ends: the owner does.
    return bStarted && QTest::qWaitFor([&] { return ownerName(strPath) != strBefore; });
}

} // namespace

Q_DECLARE_METATYPE(Job)
Q_DECLARE_METATYPE(Occupant)
Q_DECLARE_METATYPE(Call)

// The Windows side of the held folder: what its calls do with what lies at
// a name, and what a privileged run does with a name that another account
// owns inside the installation: the owner rule refuses a step from the
// installation's folder to it, as a link or junction there would have to
// lead to what that folder's owner owns. Left out, as Wine 8 cannot make them:
// - a junction at each of these names: FSCTL_SET_REPARSE_POINT fails with
//   ERROR_NOT_SUPPORTED;
// - a symbolic link at each of them: CreateSymbolicLinkW reports success and
//   makes nothing.
class tst_HeldFolderWin : public QObject
{
    Q_OBJECT

private slots:
    void callsOnAName_data();
    void callsOnAName();
    void anotherAccountsNameIsNotFollowed_data();
    void anotherAccountsNameIsNotFollowed();
};

void tst_HeldFolderWin::callsOnAName_data()
{
    QTest::addColumn<Occupant>("occupant");
    QTest::addColumn<Call>("call");
    // For the calls that give one: the reason, "*" for the system's words.
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("succeeds");

    // Replaced and removed whatever their attribute, as the job always did;
    // what another process holds without sharing stays, as Windows wants.
    QTest::newRow("rename over nothing") << Occupant::Nothing << Call::RenameOver << "" << true;
    QTest::newRow("rename over a file") << Occupant::File << Call::RenameOver << "" << true;
    QTest::newRow("rename over a read-only file")
        << Occupant::ReadOnlyFile << Call::RenameOver << "" << true;
    QTest::newRow("rename over a held file")
        << Occupant::HeldFile << Call::RenameOver << "" << false;
    QTest::newRow("rename over a held read-only file")
        << Occupant::HeldReadOnlyFile << Call::RenameOver << "" << false;
    QTest::newRow("rename over a folder")
        << Occupant::EmptyFolder << Call::RenameOver << "" << false;
    QTest::newRow("remove a file") << Occupant::File << Call::Remove << "" << true;
    QTest::newRow("remove a read-only file")
        << Occupant::ReadOnlyFile << Call::Remove << "" << true;
    QTest::newRow("remove a held file") << Occupant::HeldFile << Call::Remove << "" << false;
    QTest::newRow("remove a held read-only file")
        << Occupant::HeldReadOnlyFile << Call::Remove << "" << false;
    QTest::newRow("remove a folder") << Occupant::EmptyFolder << Call::Remove << "" << false;
    QTest::newRow("remove an empty folder")
        << Occupant::EmptyFolder << Call::RemoveFolder << "" << true;
    QTest::newRow("remove a folder with a file")
        << Occupant::FullFolder << Call::RemoveFolder << "" << false;
    QTest::newRow("remove a file as a folder")
        << Occupant::File << Call::RemoveFolder << "" << false;
    QTest::newRow("open a file for writing")
        << Occupant::File << Call::OpenForWriting << "" << true;
    QTest::newRow("open a read-only file for writing")
        << Occupant::ReadOnlyFile << Call::OpenForWriting << "permission denied" << false;
    QTest::newRow("open a held file") << Occupant::HeldFile << Call::OpenForWriting << "*" << false;
    QTest::newRow("open a folder")
        << Occupant::EmptyFolder << Call::OpenForWriting << "not a plain file" << false;
    QTest::newRow("open nothing") << Occupant::Nothing << Call::OpenForWriting << "" << false;
    QTest::newRow("create a file") << Occupant::Nothing << Call::Create << "" << true;
    QTest::newRow("create over a file")
        << Occupant::File << Call::Create << "exists already" << false;
    QTest::newRow("create over a folder")
        << Occupant::EmptyFolder << Call::Create << "exists already" << false;
}

void tst_HeldFolderWin::callsOnAName()
{
    QFETCH(Occupant, occupant);
    QFETCH(Call, call);
    QFETCH(QString, reason);
    QFETCH(bool, succeeds);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString strName = QStringLiteral("name");
    const QString strPath = dir.filePath(strName);
    const bool bFolder = occupant == Occupant::EmptyFolder || occupant == Occupant::FullFolder;
    const bool bReadOnly
        = occupant == Occupant::ReadOnlyFile || occupant == Occupant::HeldReadOnlyFile;
    if (bFolder)
        QVERIFY(QDir().mkpath(occupant == Occupant::FullFolder ? strPath + QStringLiteral("/inside")
                                                               : strPath));
    else if (occupant != Occupant::Nothing)
        QVERIFY(writeFile(strPath, "before"));
    std::optional<PermissionRestorer> restorer;
    if (bReadOnly) {
        restorer.emplace(strPath);
        QVERIFY(QFile::setPermissions(strPath, readOnlyFile));
    }
    std::optional<HeldOpenFile> held;
    if (occupant == Occupant::HeldFile || occupant == Occupant::HeldReadOnlyFile) {
        held.emplace(strPath);
        QVERIFY(held->isHeld());
    }
    QVERIFY(writeFile(dir.filePath(QStringLiteral("new")), "after"));
    Reason folderReason;
    const HeldFolder folder = HeldFolder::open(dir.path(), folderReason);
    QVERIFY2(folder.isOpen(), qPrintable(folderReason.diagnostic()));

    bool bSucceeded = false;
    Reason callReason;
    QFile file;
    switch (call) {
    case Call::RenameOver:
        bSucceeded = folder.rename(QStringLiteral("new"), strName);
        break;
    case Call::Remove:
        bSucceeded = folder.remove(strName);
        break;
    case Call::RemoveFolder:
        bSucceeded = folder.removeFolder(strName);
        break;
    case Call::OpenForWriting:
        bSucceeded
            = folder.openFile(strName, QIODevice::ReadWrite, file, nullptr, nullptr, callReason);
        break;
    case Call::Create:
        bSucceeded = folder.createFile(strName, file, callReason);
        break;
    }
    file.close();
    held.reset();

    QCOMPARE(bSucceeded, succeeds);
    if (reason == QLatin1String("*"))
        QVERIFY(!callReason.isEmpty());
    else
        QCOMPARE(callReason.text(), reason);
    QCOMPARE(QFileInfo::exists(dir.filePath(QStringLiteral("new"))),
             !(succeeds && call == Call::RenameOver));
    if (succeeds) {
        const bool bGone = call == Call::Remove || call == Call::RemoveFolder;
        QCOMPARE(QFileInfo::exists(strPath), !bGone);
        if (call == Call::RenameOver)
            QCOMPARE(readFile(strPath), QByteArray("after"));
        // What the job makes or puts in place stays writable for the next run.
        QVERIFY(bGone || QFileInfo(strPath).isWritable());
        return;
    }
    // Whatever was there is as it was.
    QCOMPARE(QFileInfo::exists(strPath), occupant != Occupant::Nothing);
    QCOMPARE(QFileInfo(strPath).isDir(), bFolder);
    QVERIFY(bFolder || occupant == Occupant::Nothing || readFile(strPath) == "before");
    QCOMPARE(occupant != Occupant::Nothing && !QFileInfo(strPath).isWritable(), bReadOnly);
}

void tst_HeldFolderWin::anotherAccountsNameIsNotFollowed_data()
{
    QTest::addColumn<QString>("place"); // below the J-Link folder
    QTest::addColumn<Job>("job");
    // What the refusal names; empty for a name of the installation's own,
    // which is replaced or removed whoever owns it.
    QTest::addColumn<QString>("kind");

    const QString strLoader = loaderFolder.mid(1) + QLatin1Char('/') + listedNames().value(1);
    for (const Job job : {Job::Install, Job::Uninstall}) {
        const char *const jobName = job == Job::Install ? "install" : "uninstall";
        QTest::addRow("database, %s", jobName)
            << QStringLiteral("JLinkDevices.xml") << job << "file";
        QTest::addRow("Devices, %s", jobName) << QStringLiteral("Devices") << job << "folder";
        QTest::addRow("loader folder, %s", jobName) << loaderFolder.mid(1) << job << "folder";
        QTest::addRow("loader, %s", jobName) << strLoader << job << "";
        QTest::addRow("lock, %s", jobName) << lockName << job << "file";
    }
}

void tst_HeldFolderWin::anotherAccountsNameIsNotFollowed()
{
    QFETCH(QString, place);
    QFETCH(Job, job);
    QFETCH(QString, kind);
    if (!runsPrivileged())
        QSKIP("the owner rule binds elevated runs alone, as Wine starts programs");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString strJLink = dir.path();
    QVERIFY(writeFile(deviceDatabasePath(strJLink), otherVendorsDatabase(2)));
    QVERIFY(job == Job::Install || install(strJLink));
    const QString strPlace = strJLink + QLatin1Char('/') + place;
    // J-Link's own folder of another vendor's loaders, or the file at the name.
    if (place == QLatin1String("Devices") || place == loaderFolder.mid(1))
        QVERIFY(putFileInTheWay(strPlace + QStringLiteral("/Nordic/nRF.FLM")));
    else if (!QFileInfo::exists(strPlace))
        QVERIFY(putFileInTheWay(strPlace));
    const QString strFolderOwner = ownerName(QFileInfo(strPlace).path());
    const QMap<QString, QByteArray> before = folderContents(strPlace);
    const QByteArray fileBefore = readFile(strPlace);
    if (!giveToAnotherAccount(strPlace))
        QSKIP("no other account may own a file here: under Wine, only Unix root can chown");
    const QString strOther = ownerName(strPlace);

    QString strErroInfo;
    Reason reason;
    bool bSucceeded = false;
    if (job == Job::Install)
        bSucceeded = JLinkAddQN58MCU::runSetup(strJLink, strErroInfo, reason) == 0;
    else
        bSucceeded = uninstall(strJLink, strErroInfo, TargetKind::Installation, &reason)
            == UninstallResult::Removed;

    if (kind.isEmpty()) {
        QVERIFY2(bSucceeded, qPrintable(reason.diagnostic()));
        QCOMPARE(readFile(strPlace),
                 job == Job::Install ? bundledFile(QFileInfo(place).fileName()) : QByteArray());
        return;
    }
    QVERIFY(!bSucceeded);
    QCOMPARE(
        reason.diagnostic(),
        QDir::toNativeSeparators(strPlace)
            + QStringLiteral(": not followed: a folder owned by %1 that holds a %2 owned by %3")
                  .arg(strFolderOwner, kind, strOther));
    QCOMPARE(folderContents(strPlace), before);
    QCOMPARE(readFile(strPlace), fileBefore);
}

QTEST_GUILESS_MAIN(tst_HeldFolderWin)
#include "tst_heldfolder_win.moc"
