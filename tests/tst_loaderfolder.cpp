#include "support.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

struct CheckResult
{
    int nExitCode = -1;
    QString strMessages; // what the check writes to standard error
};

#ifdef Q_OS_WIN
// A cross build's check is the build machine's cmake. A Windows program under
// Wine can start it but never learns that it finished, so it goes through
// Wine's own spawn, which waits for it; its messages come back in a file.
void runOnBuildMachine(const QString &strFolder, CheckResult &result)
{
    using Spawn = LONG(WINAPI *)(char *const *argv, int wait);
    using UnixFileName = char *(CDECL *)(const wchar_t *dosName);
    const auto spawn = reinterpret_cast<Spawn>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"ntdll"), "__wine_unix_spawnvp")));
    const auto unixFileName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    QVERIFY2(spawn && unixFileName, "the build machine's cmake runs only under Wine: " QN58_CMAKE_COMMAND);
    const auto toUnix = [unixFileName](const QString &strPath) {
        const QString strNative = QDir::toNativeSeparators(strPath);
        char *name = unixFileName(reinterpret_cast<const wchar_t *>(strNative.utf16()));
        const QByteArray path(name);
        HeapFree(GetProcessHeap(), 0, name);
        return path;
    };

    QTemporaryDir messagesDir;
    QVERIFY(messagesDir.isValid());
    const QString strMessages = messagesDir.filePath(QStringLiteral("messages"));
    QByteArray command = "exec \"$0\" \"$1\" -P \"$2\" 2>\"$3\"";
    QByteArray cmake = QN58_CMAKE_COMMAND;
    QByteArray folder = "-DQN58_LOADER_DIR=" + toUnix(strFolder);
    QByteArray script = QN58_CHECK_SCRIPT;
    QByteArray messages = toUnix(strMessages);
    QVERIFY(!folder.endsWith('=') && !messages.isEmpty());
    char shell[] = "/bin/sh";
    char option[] = "-c";
    char *const argv[] = {shell, option, command.data(), cmake.data(), folder.data(), script.data(),
                          messages.data(), nullptr};
    // The exit status of the shell, or an NTSTATUS when it could not be started.
    result.nExitCode = int(spawn(argv, 1));
    result.strMessages = QString::fromUtf8(readFile(strMessages));
}
#endif

// Runs the build's check of the folder.
void runCheck(const QString &strFolder, CheckResult &result)
{
#ifdef Q_OS_WIN
    // Built on a Unix machine: its cmake has a Unix path.
    if (QN58_CMAKE_COMMAND[0] == '/') {
        runOnBuildMachine(strFolder, result);
        return;
    }
#endif
    const ProgramRun run = runProgram(QString::fromLocal8Bit(QN58_CMAKE_COMMAND),
                                      {QStringLiteral("-DQN58_LOADER_DIR=") + strFolder,
                                       QStringLiteral("-P"), QString::fromLocal8Bit(QN58_CHECK_SCRIPT)});
    QVERIFY2(run.nExit >= 0, "the check did not end normally");
    result.nExitCode = run.nExit;
    result.strMessages = QString::fromLocal8Bit(run.errors);
}

} // namespace

// The build takes the vendor's loaders from a folder only when it holds
// exactly the deployment list; this runs that check of the build on its own.
class tst_LoaderFolder : public QObject
{
    Q_OBJECT

private slots:
    void folderMustHoldExactlyTheList_data();
    void folderMustHoldExactlyTheList();
};

void tst_LoaderFolder::folderMustHoldExactlyTheList_data()
{
    QTest::addColumn<QStringList>("leftOut");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<bool>("accepted");

    const QStringList none;
    QTest::newRow("exactly the list") << none << none << true;
    QTest::newRow("the script missing") << QStringList{QStringLiteral("QN58Kxxx.JLinkScript")} << none
                                        << false;
    QTest::newRow("two loaders missing")
        << QStringList{QStringLiteral("QN58K212_128.FLM"), QStringLiteral("VC71K228_USD.FLM")} << none
        << false;
    QTest::newRow("a loader not on the list")
        << none << QStringList{QStringLiteral("QN58K212_64.FLM")} << false;
    QTest::newRow("a hidden file") << none << QStringList{QStringLiteral(".listing")} << false;
    QTest::newRow("a folder") << none << QStringList{QStringLiteral("old/")} << false;
}

void tst_LoaderFolder::folderMustHoldExactlyTheList()
{
    QFETCH(QStringList, leftOut);
    QFETCH(QStringList, added);
    QFETCH(bool, accepted);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString &strName : listedNames()) {
        if (!leftOut.contains(strName))
            QVERIFY(writeFile(dir.filePath(strName), QByteArray()));
    }
    for (const QString &name : added) {
        if (name.endsWith(QLatin1Char('/')))
            QVERIFY(QDir(dir.path()).mkdir(name));
        else
            QVERIFY(writeFile(dir.filePath(name), QByteArray()));
    }

    CheckResult result;
    runCheck(dir.path(), result);
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(result.nExitCode == 0, accepted);
    // The message names every file that is missing or does not belong there.
    for (QString name : leftOut + added)
        QVERIFY2(result.strMessages.contains(name.remove(QLatin1Char('/'))), qPrintable(result.strMessages));
}

QTEST_MAIN(tst_LoaderFolder)
#include "tst_loaderfolder.moc"
