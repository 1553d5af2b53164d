// Windows only: the single program as a user starts it, and the MSI as a
// deployment tool installs and removes it.
#include "support.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

#include <windows.h>
#include <psapi.h>
#include <sddl.h>
#include <aclapi.h>

#include <memory>
#include <vector>

namespace {

const QString jlinkKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\SEGGER\\J-Link");

// A J-Link installation recorded where J-Link records it for the user, so
// that programs started without being told where to look find it; its group
// names a version above any other, so that it is the one the window selects.
class RecordedJLink
{
public:
    RecordedJLink()
    {
        writeFile(folder() + QStringLiteral("/JLink.exe"), QByteArray());
        QSettings(jlinkKey, QSettings::NativeFormat)
            .setValue(m_strGroup + QStringLiteral("/InstallPath"), folder());
    }
    ~RecordedJLink()
    {
        QSettings settings(jlinkKey, QSettings::NativeFormat);
        settings.remove(m_strGroup);
        if (settings.allKeys().isEmpty())
            settings.remove(QString());
    }
    QString folder() const { return QDir::toNativeSeparators(m_folder.path()); }

private:
    QTemporaryDir m_folder;
    const QString m_strGroup =
        QStringLiteral("V99.99-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
};

// What `status` says of the folder.
QString status(const QString &strFolder)
{
    return runCli({QStringLiteral("status"), strFolder}).lines.value(0).mid(strFolder.size() + 2);
}

// The window the single program shows, once it exists; none when the program ended first.
HWND installerWindow(QProcess &program)
{
    const std::wstring title =
        QStringLiteral("Setup QN58 MCU Device AddOn to Segger V" QN58_VERSION).toStdWString();
    HWND window = nullptr;
    while (!(window = FindWindowW(nullptr, title.c_str())) && !program.waitForFinished(50)) { }
    return window;
}

// A key pressed and released, as the keyboard sends it to the window.
void pressKey(HWND window, WPARAM key)
{
    const LPARAM scanCode = LPARAM(MapVirtualKeyW(UINT(key), MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(window, WM_KEYDOWN, key, scanCode | 1);
    PostMessageW(window, WM_KEYUP, key, scanCode | 1 | (LPARAM(3) << 30));
}

// The message box the program shows, once it exists; none when it ended first.
HWND messageBox(QProcess &program)
{
    struct Search
    {
        DWORD processId;
        HWND box = nullptr;
    } search{DWORD(program.processId())};
    const auto find = [](HWND window, LPARAM lParam) -> BOOL {
        auto *pSearch = reinterpret_cast<Search *>(lParam);
        DWORD processId = 0;
        wchar_t className[16] = {};
        GetWindowThreadProcessId(window, &processId);
        GetClassNameW(window, className, 16);
        // Visible once its text and button are there.
        if (processId != pSearch->processId || wcscmp(className, L"#32770") != 0
            || !IsWindowVisible(window))
            return TRUE;
        pSearch->box = window;
        return FALSE;
    };
    while (EnumWindows(find, LPARAM(&search)), !search.box && !program.waitForFinished(50)) { }
    return search.box;
}

using Handle = std::unique_ptr<void, decltype(&CloseHandle)>;

Handle processOf(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return Handle(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId),
                  &CloseHandle);
}

bool isElevated(HANDLE process)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return false;
    TOKEN_ELEVATION elevation = {};
    DWORD size = 0;
    const bool bElevated =
        GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size)
        && elevation.TokenIsElevated;
    CloseHandle(token);
    return bElevated;
}

// Every DLL and program file the process has loaded, in native form.
QStringList modulesOf(HANDLE process)
{
    std::vector<HMODULE> modules(1024);
    DWORD size = 0;
    if (!EnumProcessModules(process, modules.data(), DWORD(modules.size() * sizeof(HMODULE)),
                            &size))
        return {};
    modules.resize(qMin<size_t>(modules.size(), size / sizeof(HMODULE)));
    QStringList paths;
    for (HMODULE module : modules) {
        wchar_t path[MAX_PATH];
        const DWORD length = GetModuleFileNameExW(process, module, path, MAX_PATH);
        paths << QString::fromWCharArray(path, int(length));
    }
    return paths;
}

QString windowsFolder()
{
    wchar_t path[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(path, MAX_PATH);
    return QDir::fromNativeSeparators(QString::fromWCharArray(path, int(length)));
}

// The folder's DACL as Windows reads it back, in SDDL.
QString daclOf(const QString &strFolder)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const std::wstring path = QDir::toNativeSeparators(strFolder).toStdWString();
    if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, nullptr, nullptr, &descriptor)
        != ERROR_SUCCESS)
        return QString();
    wchar_t *text = nullptr;
    QString sddl;
    if (ConvertSecurityDescriptorToStringSecurityDescriptorW(
            descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr)) {
        sddl = QString::fromWCharArray(text);
        LocalFree(text);
    }
    LocalFree(descriptor);
    return sddl;
}

// The trustees of the DACL's entries that allow anything, as SDDL names them.
QStringList allowedTrustees(const QString &strDacl)
{
    QStringList trustees;
    QRegularExpressionMatchIterator entries =
        QRegularExpression(QStringLiteral("\\(([^)]*)\\)")).globalMatch(strDacl);
    while (entries.hasNext()) {
        const QStringList fields = entries.next().captured(1).split(QLatin1Char(';'));
        if (fields.value(0) == QLatin1String("A") && fields.value(2) != QLatin1String("0"))
            trustees << fields.value(5);
    }
    return trustees;
}

// NSIS's temporary names in the Windows folder, to see what a run leaves there.
QStringList temporaryNamesInWindowsFolder()
{
    return QDir(windowsFolder()).entryList({QStringLiteral("ns*.tmp")},
                                           QDir::AllEntries | QDir::Hidden | QDir::System);
}

} // namespace

class tst_Distribution : public QObject
{
    Q_OBJECT

private slots:
    void singleFileInstallsThroughItsWindow_data();
    void singleFileInstallsThroughItsWindow();
    void singleFileNeverUsesWhatIsInItsWay_data();
    void singleFileNeverUsesWhatIsInItsWay();
    void msiInstallsAndRemovesEverything();
};

void tst_Distribution::singleFileInstallsThroughItsWindow_data()
{
    QTest::addColumn<bool>("bPluginFolderNamed");

    QTest::newRow("as started from Explorer") << false;
    // The window's own platform plugin, planted in a folder that Qt's
    // -platformpluginpath names: Qt would load that copy first.
    QTest::newRow("plugin folder on the command line") << true;
}

void tst_Distribution::singleFileInstallsThroughItsWindow()
{
    QFETCH(bool, bPluginFolderNamed);
    RecordedJLink jlink;
    QTemporaryDir temporaryFolders;
    QTemporaryDir home;
    QTemporaryDir plugins;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The window brings its own platform plugin; the tests' offscreen one is not there.
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    for (const char *name : {"TMP", "TEMP"})
        environment.insert(QLatin1String(name), QDir::toNativeSeparators(temporaryFolders.path()));
    environment.insert(QStringLiteral("APPDATA"), QDir::toNativeSeparators(home.path()));
    QStringList arguments;
    if (bPluginFolderNamed) {
        const QString strPlugin = QFileInfo(QStringLiteral(QN58_SINGLE_FILE_PATH)).path()
            + QStringLiteral("/dist/platforms/qwindows.dll");
        for (const QString &strFolder :
             {plugins.path(), plugins.path() + QStringLiteral("/platforms")})
            QVERIFY(QDir().mkpath(strFolder)
                    && QFile::copy(strPlugin, strFolder + QStringLiteral("/qwindows.dll")));
        arguments << QStringLiteral("-platformpluginpath")
                  << QDir::toNativeSeparators(plugins.path());
    }
    const QStringList windowsEntries = temporaryNamesInWindowsFolder();

    QProcess singleFile;
    singleFile.setProcessEnvironment(environment);
    singleFile.start(QStringLiteral(QN58_SINGLE_FILE_PATH), arguments);
    const HWND window = installerWindow(singleFile);
    QVERIFY2(window, "the single program ended without showing the window");
    // What the running window shows of its folder (the program's first).
    const Handle process = processOf(window);
    const QStringList modules = modulesOf(process.get());
    const QString strFolder = QFileInfo(QDir::fromNativeSeparators(modules.value(0))).path();
    const QString strDacl = daclOf(strFolder);
    const bool bElevated = isElevated(process.get());
    const bool bTemporaryFoldersEmpty = QDir(temporaryFolders.path())
        .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    // Return presses Start; Escape, waiting until the installation has ended, closes.
    pressKey(window, VK_RETURN);
    pressKey(window, VK_ESCAPE);
    QVERIFY(singleFile.waitForFinished(-1));

    QVERIFY(!modules.isEmpty());
    QCOMPARE(singleFile.exitStatus(), QProcess::NormalExit);
    QCOMPARE(singleFile.exitCode(), 0);
    QCOMPARE(status(jlink.folder()), QStringLiteral("installed"));
    // Every DLL from the window's folder or Windows' own: none from PATH
    // (which leads to Qt's DLLs here too), none from the plugin folder named.
    const QString strWindows = windowsFolder() + QLatin1Char('/');
    for (const QString &strModule : modules) {
        const QString strPath = QDir::fromNativeSeparators(strModule);
        QVERIFY2(strPath.startsWith(strFolder + QLatin1Char('/'), Qt::CaseInsensitive)
                     || (strPath.startsWith(strWindows, Qt::CaseInsensitive)
                         && !strPath.startsWith(strWindows + QStringLiteral("Temp/"),
                                                Qt::CaseInsensitive)),
                 qPrintable(strModule));
    }
    QVERIFY2(!QFileInfo::exists(strFolder), qPrintable(strFolder));
    QVERIFY(QDir(temporaryFolders.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot
                                                  | QDir::Hidden | QDir::System));
    if (!bElevated)
        return;
    // Elevated, nothing goes where the user's unelevated processes could change
    // it, NSIS's plugins neither: a folder of random name in the Windows
    // folder's Temp, which only SYSTEM and Administrators may change (Wine
    // reads back the owner's Unix rights in place of the Administrators).
    QVERIFY(bTemporaryFoldersEmpty);
    QCOMPARE(QFileInfo(strFolder).path().toLower(),
             (windowsFolder() + QStringLiteral("/Temp")).toLower());
    QVERIFY2(QRegularExpression(QStringLiteral("^qn58-jlink-setup-[0-9A-F]{8}(-[0-9A-F]{4}){3}"
                                               "-[0-9A-F]{12}$"))
                 .match(QFileInfo(strFolder).fileName())
                 .hasMatch(),
             qPrintable(strFolder));
    const QStringList trustees = allowedTrustees(strDacl);
    QVERIFY2(strDacl.contains(QStringLiteral("(A;OICI;FA;;;SY)")), qPrintable(strDacl));
    for (const char *everyone : {"WD", "S-1-1-0", "BU", "S-1-5-32-545", "AU", "S-1-5-11", "IU",
                                 "S-1-5-4", "BG", "S-1-5-32-546"})
        QVERIFY2(!trustees.contains(QLatin1String(everyone)), qPrintable(strDacl));
    QCOMPARE(temporaryNamesInWindowsFolder(), windowsEntries);
}

void tst_Distribution::singleFileNeverUsesWhatIsInItsWay_data()
{
    QTest::addColumn<PathChange>("putInTheWay");

    QTest::newRow("folder") << PathChange(putFolderInTheWay);
    QTest::newRow("file") << PathChange(putFileInTheWay);
}

// The program built with a known folder name finds it taken: it says so and
// fails, and unpacks nothing into what is there.
void tst_Distribution::singleFileNeverUsesWhatIsInItsWay()
{
    QFETCH(PathChange, putInTheWay);
    if (!isElevated(GetCurrentProcess()))
        QSKIP("Unelevated, the single program unpacks into $PLUGINSDIR");
    const QString strPath = windowsFolder() + QStringLiteral("/Temp/qn58-jlink-setup-known");
    QVERIFY(putInTheWay(strPath));
    const bool bFolder = QFileInfo(strPath).isDir();
    const auto remove = qScopeGuard([&strPath] {
        QDir(strPath).removeRecursively();
        QFile::remove(strPath);
    });

    QProcess singleFile;
    singleFile.start(QStringLiteral(QN58_SINGLE_FILE_TEST_PATH), QStringList());
    const HWND box = messageBox(singleFile);
    QVERIFY2(box, "the single program ended without a message");
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    const QString strText = QString::fromWCharArray(text);
    QVERIFY2(strText.contains(QDir::toNativeSeparators(strPath) + QStringLiteral(" already exists"),
                              Qt::CaseInsensitive),
             qPrintable(strText));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    QVERIFY(singleFile.waitForFinished(-1));

    QCOMPARE(singleFile.exitStatus(), QProcess::NormalExit);
    QCOMPARE(singleFile.exitCode(), 1);
    QCOMPARE(QFileInfo(strPath).isDir(), bFolder);
    if (bFolder)
        QVERIFY(QDir(strPath).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden
                                      | QDir::System));
    else
        QCOMPARE(readFile(strPath), inTheWay);
}

void tst_Distribution::msiInstallsAndRemovesEverything()
{
    RecordedJLink jlink;
    const QString strMsi =
        QDir::toNativeSeparators(QFileInfo(QStringLiteral(QN58_MSI_PATH)).absoluteFilePath());
    const QString strFolder = qEnvironmentVariable("ProgramFiles")
        + QStringLiteral("/Kestrilon/QN58 J-Link Setup");
    const auto msiexec = [&strMsi](const QString &strOption, const QStringList &properties) {
        return runProgram(QStringLiteral("msiexec"),
                          QStringList{strOption, strMsi, QStringLiteral("/qn")} + properties)
            .nExit;
    };

    QCOMPARE(msiexec(QStringLiteral("/i"), {QStringLiteral("QN58_DEVICES=all")}), 0);
    for (const char *file : {"qn58-jlink-setup.exe", "qn58-jlink-setup-cli.exe",
                             "platforms/qwindows.dll"})
        QVERIFY2(QFileInfo::exists(strFolder + QLatin1Char('/') + QLatin1String(file)), file);
    QCOMPARE(status(jlink.folder()), QStringLiteral("installed"));

    QCOMPARE(msiexec(QStringLiteral("/x"), {}), 0);
    QVERIFY(!QFileInfo::exists(strFolder));
    QCOMPARE(status(jlink.folder()), QStringLiteral("not installed"));
}

QTEST_GUILESS_MAIN(tst_Distribution)
#include "tst_distribution.moc"
