// Windows only: the single program as a user starts it, and the MSI as a
// deployment tool installs and removes it.
#include "support.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

#include <windows.h>

namespace {

const QString jlinkKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\SEGGER\\J-Link");

// A J-Link installation recorded where J-Link records it for the user, so
// that programs started without being told where to look find it.
class RecordedJLink
{
public:
    RecordedJLink()
        : m_strGroup(QUuid::createUuid().toString(QUuid::WithoutBraces))
        , m_strFolder(QDir::toNativeSeparators(m_folder.path()))
    {
        writeFile(m_strFolder + QStringLiteral("/JLink.exe"), QByteArray());
        QSettings(jlinkKey, QSettings::NativeFormat)
            .setValue(m_strGroup + QStringLiteral("/InstallPath"), m_strFolder);
    }
    ~RecordedJLink()
    {
        QSettings settings(jlinkKey, QSettings::NativeFormat);
        settings.remove(m_strGroup);
        if (settings.allKeys().isEmpty())
            settings.remove(QString());
    }
    QString folder() const { return m_strFolder; }

private:
    QTemporaryDir m_folder;
    const QString m_strGroup;
    const QString m_strFolder;
};

// What `status` says of the folder.
QString status(const QString &strFolder)
{
    const ProgramRun run = runCli({QStringLiteral("status"), strFolder});
    return run.lines.value(0).mid(strFolder.size() + 2);
}

// The window the single program shows, once it exists; none when the program
// ended first.
HWND installerWindow(QProcess &program)
{
    const std::wstring title =
        QStringLiteral("Setup QN58 MCU Device AddOn to Segger V" QN58_VERSION).toStdWString();
    HWND window = nullptr;
    while (!(window = FindWindowW(nullptr, title.c_str()))) {
        if (program.waitForFinished(50))
            return nullptr;
    }
    return window;
}

// A key pressed and released, as the keyboard would send it to the window.
void pressKey(HWND window, WPARAM key)
{
    const LPARAM scanCode = LPARAM(MapVirtualKeyW(UINT(key), MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(window, WM_KEYDOWN, key, scanCode | 1);
    PostMessageW(window, WM_KEYUP, key, scanCode | 1 | (LPARAM(3) << 30));
}

QString nativePath(const QString &strPath)
{
    return QDir::toNativeSeparators(QFileInfo(strPath).absoluteFilePath());
}

} // namespace

class tst_Distribution : public QObject
{
    Q_OBJECT

private slots:
    void singleFileInstallsThroughItsWindow();
    void msiInstallsAndRemovesEverything();
};

void tst_Distribution::singleFileInstallsThroughItsWindow()
{
    RecordedJLink jlink;
    QTemporaryDir temporaryFolders;
    QTemporaryDir home;
    QVERIFY(temporaryFolders.isValid() && home.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The window brings its own platform plugin; the tests' offscreen one is not there.
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("TMP"), QDir::toNativeSeparators(temporaryFolders.path()));
    environment.insert(QStringLiteral("TEMP"), QDir::toNativeSeparators(temporaryFolders.path()));
    environment.insert(QStringLiteral("APPDATA"), QDir::toNativeSeparators(home.path()));

    QProcess singleFile;
    singleFile.setProcessEnvironment(environment);
    singleFile.start(nativePath(QStringLiteral(QN58_SINGLE_FILE_PATH)), QStringList());
    const HWND window = installerWindow(singleFile);
    QVERIFY2(window, "the single program ended without showing the window");
    // Return presses Start; Escape, waiting until the installation has ended, closes.
    pressKey(window, VK_RETURN);
    pressKey(window, VK_ESCAPE);
    QVERIFY(singleFile.waitForFinished(-1));

    QCOMPARE(singleFile.exitStatus(), QProcess::NormalExit);
    QCOMPARE(singleFile.exitCode(), 0);
    QCOMPARE(status(jlink.folder()), QStringLiteral("installed"));
    QCOMPARE(QDir(temporaryFolders.path())
                 .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
             QStringList());
}

void tst_Distribution::msiInstallsAndRemovesEverything()
{
    RecordedJLink jlink;
    const QString strMsi = nativePath(QStringLiteral(QN58_MSI_PATH));
    const QString strFolder = QProcessEnvironment::systemEnvironment().value(
                                  QStringLiteral("ProgramFiles"))
        + QStringLiteral("\\Kestrilon\\QN58 J-Link Setup");

    const ProgramRun install = runProgram(
        QStringLiteral("msiexec"),
        {QStringLiteral("/i"), strMsi, QStringLiteral("/qn"), QStringLiteral("QN58_DEVICES=all")});
    QCOMPARE(install.nExit, 0);
    QVERIFY(QFileInfo(strFolder + QStringLiteral("\\qn58-jlink-setup.exe")).isFile());
    QVERIFY(QFileInfo(strFolder + QStringLiteral("\\qn58-jlink-setup-cli.exe")).isFile());
    QVERIFY(QFileInfo(strFolder + QStringLiteral("\\platforms\\qwindows.dll")).isFile());
    QCOMPARE(status(jlink.folder()), QStringLiteral("installed"));

    const ProgramRun removal =
        runProgram(QStringLiteral("msiexec"), {QStringLiteral("/x"), strMsi, QStringLiteral("/qn")});
    QCOMPARE(removal.nExit, 0);
    QVERIFY(!QFileInfo::exists(strFolder));
    QCOMPARE(status(jlink.folder()), QStringLiteral("not installed"));
}

QTEST_GUILESS_MAIN(tst_Distribution)
#include "tst_distribution.moc"
