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
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The window brings its own platform plugin; the tests' offscreen one is not there.
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    for (const char *name : {"TMP", "TEMP"})
        environment.insert(QLatin1String(name), QDir::toNativeSeparators(temporaryFolders.path()));
    environment.insert(QStringLiteral("APPDATA"), QDir::toNativeSeparators(home.path()));

    QProcess singleFile;
    singleFile.setProcessEnvironment(environment);
    singleFile.start(QStringLiteral(QN58_SINGLE_FILE_PATH), QStringList());
    const HWND window = installerWindow(singleFile);
    QVERIFY2(window, "the single program ended without showing the window");
    // Return presses Start; Escape, waiting until the installation has ended, closes.
    pressKey(window, VK_RETURN);
    pressKey(window, VK_ESCAPE);
    QVERIFY(singleFile.waitForFinished(-1));

    QCOMPARE(singleFile.exitStatus(), QProcess::NormalExit);
    QCOMPARE(singleFile.exitCode(), 0);
    QCOMPARE(status(jlink.folder()), QStringLiteral("installed"));
    QVERIFY(QDir(temporaryFolders.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot
                                                  | QDir::Hidden | QDir::System));
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
