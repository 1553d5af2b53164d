#include "databasefixtures.h"
#include "devicedatabase.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <exception>

namespace {

const int ourEntries = 528;
const int loaderFiles = 266;
const int kills = 50;
// A front end that fails to start ran nothing; it is started again this often.
const int startTries = 3;
#ifdef Q_OS_WIN
// What QProcess::kill() hands to TerminateProcess as the exit code.
const int killedExitCode = 0xf291;
#else
const int killedExitCode = SIGKILL;
#endif

QString canonicalDatabase(const QString &strFileName)
{
    try {
        return canonicalXml(loadDeviceDatabase(strFileName));
    } catch (const std::exception &) {
        return QString();
    }
}

// What a killed run may leave behind: the temporary files of QSaveFile and
// QFile::copy, named ones where the file system takes no unnamed files.
struct Strays
{
    int nSaveFiles = 0;
    int nCopyFiles = 0;
};

struct Folder
{
    QMap<QString, QByteArray> devicesFiles; // path below the J-Link folder, content
    Strays strays;
    QStringList unexpected;
};

Folder readFolder(const QString &strFolder)
{
    static const QRegularExpression saveFile(QStringLiteral("^JLinkDevices\\.xml\\.[A-Za-z0-9]{6}$"));
    static const QRegularExpression copyFile(
        QStringLiteral("^Devices/Kestrilon/QN58FLM/qt_temp\\.[A-Za-z0-9]{6}$"));
    // The lock of a killed run, which the next run takes over as stale.
    static const QRegularExpression lockFile(QStringLiteral("^qn58-jlink-setup\\.lock(\\.rmlock)?$"));
    const QStringList folders = {QStringLiteral("Devices"), QStringLiteral("Devices/Kestrilon"),
                                 loaderFolder.mid(1)};

    Folder folder;
    const QDir dir(strFolder);
    QDirIterator it(strFolder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString strPath = dir.relativeFilePath(it.next());
        const QFileInfo info = it.fileInfo();
        if (info.isDir() && !info.isSymLink() && folders.contains(strPath))
            continue;
        if (!info.isFile() || info.isSymLink())
            folder.unexpected << strPath;
        else if (strPath == QLatin1String("JLinkDevices.xml") || lockFile.match(strPath).hasMatch())
            continue;
        else if (saveFile.match(strPath).hasMatch())
            ++folder.strays.nSaveFiles;
        else if (copyFile.match(strPath).hasMatch())
            ++folder.strays.nCopyFiles;
        else if (strPath.startsWith(QLatin1String("Devices/")))
            folder.devicesFiles.insert(strPath, readFile(info.filePath()));
        else
            folder.unexpected << strPath;
    }
    return folder;
}

// Starts the front end on strFolder and waits until it runs: on Unix start()
// returns before, and a kill then would hit a child not yet the front end.
bool startFrontEnd(QProcess &run, const QString &strFolder, int &nFailedStarts)
{
    for (int nTry = 0; nTry < startTries; ++nTry) {
        startCli(run, {strFolder});
        if (run.waitForStarted(-1))
            return true;
        ++nFailedStarts;
        qWarning("The front end did not start (%s); starting it again",
                 qPrintable(run.errorString()));
    }
    return false;
}

quint32 killSeed()
{
    bool bOk = false;
    const quint32 seed = qEnvironmentVariable("QN58_INTERRUPTED_SEED").toUInt(&bOk);
    return bOk ? seed : QRandomGenerator::system()->generate();
}

} // namespace

class tst_Interrupted : public QObject
{
    Q_OBJECT

private slots:
    void killedRunsLeaveAUsableFolder();
};

// A user who kills the setup and starts it again, over and over, must end up
// with what one clean run gives, and never with a damaged database between.
void tst_Interrupted::killedRunsLeaveAUsableFolder()
{
    QTemporaryDir referenceDir;
    QTemporaryDir dir;
    QVERIFY(referenceDir.isValid() && dir.isValid());
    // Big enough that a run spends about as long on the database as on the loaders.
    const QByteArray others = otherVendorsDatabase(2000);
    QVERIFY(writeFile(deviceDatabasePath(referenceDir.path()), others));
    QVERIFY(writeFile(deviceDatabasePath(dir.path()), others));
    const QString strDatabase = deviceDatabasePath(dir.path());
    const VendorSplit before = splitVendorEntries(strDatabase);
    QCOMPARE(before.nOurs, 0);

    // The clean run, which also sets the range of the kill moments.
    QElapsedTimer runTimer;
    runTimer.start();
    const ProgramRun referenceRun = runCli({referenceDir.path()});
    const int nRunMs = int(qMax<qint64>(runTimer.elapsed(), 1));
    QCOMPARE(referenceRun.lines, QStringList{jobSucceeded});
    QCOMPARE(referenceRun.nExit, 0);
    const VendorSplit referenceContent = splitVendorEntries(deviceDatabasePath(referenceDir.path()));
    QCOMPARE(referenceContent.nOurs, ourEntries);
    QCOMPARE(referenceContent.strOthers, before.strOthers);
    const QString strReference = canonicalDatabase(deviceDatabasePath(referenceDir.path()));
    const Folder reference = readFolder(referenceDir.path());
    QVERIFY2(reference.unexpected.isEmpty(), qPrintable(reference.unexpected.join(QLatin1Char(' '))));
    QCOMPARE(reference.strays.nSaveFiles + reference.strays.nCopyFiles, 0);
    QCOMPARE(reference.devicesFiles.size(), loaderFiles);
    for (auto it = reference.devicesFiles.cbegin(); it != reference.devicesFiles.cend(); ++it)
        QVERIFY2(it.key().startsWith(loaderFolder.mid(1) + QLatin1Char('/')), qPrintable(it.key()));

    const quint32 seed = killSeed();
    qInfo("Kill moments from seed %u (QN58_INTERRUPTED_SEED=%u replays them), a clean run took %d ms",
          seed, seed, nRunMs);
    QRandomGenerator random(seed);
    int nRangeMs = nRunMs;
    int nHits = 0;
    int nStrayKills = 0;
    int nFailedStarts = 0;
    Strays strays;
    for (int nKill = 0; nKill < kills; ++nKill) {
        const int nDelayMs = random.bounded(nRangeMs + 1);
        const QString strWhen = QStringLiteral("kill %1 after %2 ms").arg(nKill).arg(nDelayMs);
        QProcess run;
        runTimer.restart();
        QVERIFY2(startFrontEnd(run, dir.path(), nFailedStarts),
                 qPrintable(strWhen + QStringLiteral(": did not start: ") + run.errorString()));
        QThread::msleep(nDelayMs);
        run.kill();
        // Returns false, without waiting, for a program already known to have
        // ended: the state tells.
        run.waitForFinished(-1);
        QVERIFY2(run.state() == QProcess::NotRunning,
                 qPrintable(strWhen + QStringLiteral(": still running: ") + run.errorString()));
        if (run.exitStatus() == QProcess::CrashExit) {
            // Anything but the kill is a crash of its own.
            QVERIFY2(run.exitCode() == killedExitCode,
                     qPrintable(strWhen + QStringLiteral(": crashed with %1").arg(run.exitCode())));
            ++nHits;
        } else {
            // Finished before the kill: then it must have succeeded.
            const ProgramRun finished = finishRun(run);
            QVERIFY2(finished.nExit == 0 && finished.lines == QStringList{jobSucceeded},
                     qPrintable(strWhen + QStringLiteral(": failed with %1: %2")
                                              .arg(finished.nExit)
                                              .arg(QString::fromLocal8Bit(finished.errors))));
            // The clean run may have been slowed down by other work on the machine.
            nRangeMs = int(qBound<qint64>(1, runTimer.elapsed(), nRangeMs));
        }

        QVERIFY2(QFileInfo::exists(strDatabase), qPrintable(strWhen));
        const VendorSplit after = splitVendorEntries(strDatabase);
        QVERIFY2(after.nOurs >= 0, qPrintable(strWhen + QStringLiteral(": database does not load")));
        QVERIFY2(after.nOurs == 0 || after.nOurs == ourEntries,
                 qPrintable(strWhen + QStringLiteral(": %1 of our entries").arg(after.nOurs)));
        QVERIFY2(after.strOthers == before.strOthers,
                 qPrintable(strWhen + QStringLiteral(": other vendors' entries changed")));

        const Folder folder = readFolder(dir.path());
        QVERIFY2(folder.unexpected.isEmpty(),
                 qPrintable(strWhen + QStringLiteral(": ") + folder.unexpected.join(QLatin1Char(' '))));
        // Loaders are copied aside and renamed: one that is there is whole.
        for (auto it = folder.devicesFiles.cbegin(); it != folder.devicesFiles.cend(); ++it) {
            QVERIFY2(reference.devicesFiles.contains(it.key()),
                     qPrintable(strWhen + QStringLiteral(": unexpected ") + it.key()));
            QVERIFY2(it.value() == reference.devicesFiles.value(it.key()),
                     qPrintable(strWhen + QStringLiteral(": incomplete ") + it.key()));
        }
        if (folder.strays.nSaveFiles != strays.nSaveFiles || folder.strays.nCopyFiles != strays.nCopyFiles)
            ++nStrayKills;
        strays = folder.strays;
    }
    qInfo("%d of %d kills hit a running setup (drawn from the first %d ms); %d left temporary files, "
          "%d beside the database and %d in the loader folder in all; %d starts failed and were repeated",
          nHits, kills, nRangeMs, nStrayKills, strays.nSaveFiles, strays.nCopyFiles, nFailedStarts);
    // Kill moments are drawn across a whole run, so missing every time means they are not aimed.
    QVERIFY(nHits > 0);

    const ProgramRun lastRun = runCli({dir.path()});
    QCOMPARE(lastRun.lines, QStringList{jobSucceeded});
    QCOMPARE(lastRun.nExit, 0);
    QCOMPARE(canonicalDatabase(strDatabase), strReference);
    const Folder last = readFolder(dir.path());
    QVERIFY2(last.unexpected.isEmpty(), qPrintable(last.unexpected.join(QLatin1Char(' '))));
    QCOMPARE(last.devicesFiles.keys(), reference.devicesFiles.keys());
    QVERIFY(last.devicesFiles == reference.devicesFiles);
}

QTEST_GUILESS_MAIN(tst_Interrupted)
#include "tst_interrupted.moc"
