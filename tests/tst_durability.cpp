// A success the installer reports must survive a power loss: each file's
// data is synced before it is renamed into place, and the folder after the
// renames, before the program ends. strace records the calls in order.
#include "support.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// One system call as strace prints it: name, arguments, result.
struct Call
{
    QString strName;
    QString strArguments;
    QString strResult;
};

QList<Call> tracedCalls(const QString &strLog)
{
    static const QRegularExpression line(QStringLiteral("^(?:\\d+ +)?(\\w+)\\((.*)\\) += (-?\\d+)"));
    QList<Call> calls;
    for (const QString &strLine : QString::fromUtf8(readFile(strLog)).split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = line.match(strLine);
        if (match.hasMatch())
            calls.append({match.captured(1), match.captured(2), match.captured(3)});
    }
    return calls;
}

bool isSync(const Call &call)
{
    return call.strName == QLatin1String("fsync") || call.strName == QLatin1String("fdatasync")
        || call.strName == QLatin1String("syncfs");
}

// The descriptor a sync call names.
QString syncedFd(const Call &call)
{
    return call.strArguments.section(QLatin1Char(','), 0, 0);
}

} // namespace

class tst_Durability : public QObject
{
    Q_OBJECT

private slots:
    void syncedBeforeRenamedAndReported_data();
    void syncedBeforeRenamedAndReported();
};

void tst_Durability::syncedBeforeRenamedAndReported_data()
{
    QTest::addColumn<QString>("temporary"); // how a file's temporary name begins
    QTest::addColumn<int>("renames");
    QTest::addColumn<QString>("folder"); // whose sync must follow the renames

    QTest::newRow("the loaders") << QStringLiteral("qt_temp.") << 266 << QStringLiteral("QN58FLM");
    QTest::newRow("the database") << QStringLiteral("JLinkDevices.xml.") << 1 << QStringLiteral("*");
}

void tst_Durability::syncedBeforeRenamedAndReported()
{
    QFETCH(QString, temporary);
    QFETCH(int, renames);
    QFETCH(QString, folder);
#ifdef QN58_CROSS_BUILD
    QSKIP("strace would trace the emulator, not the program");
#endif
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.path() + QStringLiteral("/JLinkExe"), QByteArray()));
    // "*" for the J-Link folder itself.
    if (folder == QLatin1String("*"))
        folder = QFileInfo(dir.path()).fileName();
    const QString strLog = dir.path() + QStringLiteral(".trace");
    // LeakSanitizer, in a checked build, cannot work under a tracer.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       environment.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
    const ProgramRun run = runProgram(
        QStringLiteral("strace"),
        {QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-o"), strLog,
         QStringLiteral("-e"), QStringLiteral("trace=openat,linkat,fsync,fdatasync,syncfs,rename,renameat,renameat2"),
         QStringLiteral(QN58_CLI_PATH), QStringLiteral("install"), dir.path()},
        QString(), environment);
    QVERIFY2(run.nExit == 0, run.errors.constData());
    const QList<Call> calls = tracedCalls(strLog);
    QFile::remove(strLog);

    // Temporary files by descriptor until they are synced, and their names:
    // made with one, or given one later when made without (O_TMPFILE).
    QSet<QString> unsynced;
    QMap<QString, QString> fdOfName;
    QString strFolderFd;
    int nRenamed = 0;
    int nSyncs = 0;
    int nLastRename = -1;
    for (int i = 0; i < calls.size(); ++i) {
        const Call &call = calls.at(i);
        const QString strFirstName = call.strArguments.section(QLatin1Char('"'), 1, 1);
        const QString strSecondName = call.strArguments.section(QLatin1Char('"'), 3, 3);
        if (call.strName == QLatin1String("openat") && call.strArguments.contains(QLatin1String("O_TMPFILE")))
            unsynced.insert(call.strResult);
        if (call.strName == QLatin1String("openat") && strFirstName.startsWith(temporary)) {
            unsynced.insert(call.strResult);
            fdOfName.insert(strFirstName, call.strResult);
        }
        if (call.strName == QLatin1String("linkat") && strSecondName.startsWith(temporary))
            fdOfName.insert(strSecondName, strFirstName.section(QLatin1Char('/'), -1));
        if (call.strName == QLatin1String("openat")
            && call.strArguments.contains(QLatin1String("\"") + folder + QLatin1String("\""))
            && call.strArguments.contains(QLatin1String("O_DIRECTORY")))
            strFolderFd = call.strResult;
        if (isSync(call)) {
            ++nSyncs;
            if (call.strName == QLatin1String("syncfs"))
                unsynced.clear();
            unsynced.remove(syncedFd(call));
        }
        if (call.strName.startsWith(QLatin1String("rename")) && strFirstName.startsWith(temporary)) {
            QVERIFY2(fdOfName.contains(strFirstName) && !unsynced.contains(fdOfName.value(strFirstName)),
                     qPrintable(strFirstName + QStringLiteral(" renamed before it was synced")));
            ++nRenamed;
            nLastRename = i;
        }
    }
    QCOMPARE(nRenamed, renames);
    // The folder's new names on disk before the program ends.
    const bool bFolderSynced = std::any_of(calls.cbegin() + nLastRename, calls.cend(), [&](const Call &call) {
        return isSync(call) && syncedFd(call) == strFolderFd;
    });
    QVERIFY(bFolderSynced);
    // Few syncs for the whole job, not one or more per file.
    QVERIFY2(nSyncs < 20, qPrintable(QString::number(nSyncs)));
}

QTEST_GUILESS_MAIN(tst_Durability)
#include "tst_durability.moc"
