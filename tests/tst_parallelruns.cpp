#include "databasefixtures.h"
#include "jlinkaddqn58mcu.h"

#include <QDir>
#include <QLockFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

const QString lockName = QStringLiteral("/qn58-jlink-setup.lock");

} // namespace

class tst_ParallelRuns : public QObject
{
    Q_OBJECT

private slots:
    void simultaneousRunsInstallOnce_data();
    void simultaneousRunsInstallOnce();
    void heldFolderStopsTheJob();
    void lockFileWithoutContent_data();
    void lockFileWithoutContent();
};

void tst_ParallelRuns::simultaneousRunsInstallOnce_data()
{
    QTest::addColumn<int>("runs");
    QTest::addColumn<bool>("withDatabase");

    QTest::newRow("two") << 2 << true;
    QTest::newRow("three") << 3 << true;
    QTest::newRow("four, no database yet") << 4 << false;
}

// Lab scripts and double clicks start installers together; each must succeed
// and the folder must look as after one run.
void tst_ParallelRuns::simultaneousRunsInstallOnce()
{
    QFETCH(int, runs);
    QFETCH(bool, withDatabase);

    for (int nRound = 0; nRound < 2; ++nRound) {
        QTemporaryDir dir;
        const QString strDatabase = dir.path() + QStringLiteral("/JLinkDevices.xml");
        QVERIFY(!withDatabase || writeFile(strDatabase, otherVendorsDatabase(100)));
        std::vector<std::unique_ptr<QProcess>> processes;
        for (int i = 0; i < runs; ++i) {
            processes.push_back(std::make_unique<QProcess>());
            startCli(*processes.back(), {dir.path()});
        }
        for (const auto &process : processes) {
            const ProgramRun run = finishRun(*process);
            QCOMPARE(run.lines, QStringList{jobSucceeded});
            QCOMPARE(run.nExit, 0);
        }

        const QStringList vendors = entryVendors(dir.path());
        QCOMPARE(vendors.count(QStringLiteral("Kestrilon")), 528);
        QCOMPARE(vendors.size(), 528 + (withDatabase ? 100 : 0));
        const QMap<QString, QByteArray> loaders = folderContents(dir.path() + QStringLiteral("/Devices"));
        QCOMPARE(loaders.size(), 266);
        for (auto it = loaders.cbegin(); it != loaders.cend(); ++it)
            QVERIFY2(it.value() == bundledFile(it.key().section(QLatin1Char('/'), -1)),
                     qPrintable(it.key()));
        QVERIFY(!QFileInfo::exists(dir.path() + lockName));
    }
}

// Another job holding the folder past the wait: the job gives up and changes nothing.
void tst_ParallelRuns::heldFolderStopsTheJob()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Devices/Kestrilon")));
    const QByteArray database = otherVendorsDatabase(3);
    QVERIFY(writeFile(dir.path() + QStringLiteral("/JLinkDevices.xml"), database));
    QLockFile otherJob(dir.path() + lockName);
    QVERIFY(otherJob.tryLock(0));

    QString strErroInfo;
    QCOMPARE(JLinkAddQN58MCU::runSetup(dir.path(), strErroInfo, std::chrono::milliseconds(300)), 1);
    QCOMPARE(strErroInfo, accessFailed);
    QCOMPARE(readFile(dir.path() + QStringLiteral("/JLinkDevices.xml")), database);
    QVERIFY(QFileInfo(dir.path() + QStringLiteral("/Devices/Kestrilon")).isDir()); // an empty one would go

    otherJob.unlock();
    QCOMPARE(JLinkAddQN58MCU::runSetup(dir.path(), strErroInfo, std::chrono::milliseconds(300)), 0);
}

void tst_ParallelRuns::lockFileWithoutContent_data()
{
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<int>("code");

    // A job killed between making its lock file and writing it.
    QTest::newRow("left by a killed job") << 60 << 0;
    // A job that has just made it and is writing it now.
    QTest::newRow("just made") << 0 << 1;
}

void tst_ParallelRuns::lockFileWithoutContent()
{
    QFETCH(int, ageSeconds);
    QFETCH(int, code);

    QTemporaryDir dir;
    QFile lock(dir.path() + lockName);
    QVERIFY(lock.open(QIODevice::WriteOnly));
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                             QFileDevice::FileModificationTime));
    lock.close();

    QString strErroInfo;
    QCOMPARE(JLinkAddQN58MCU::runSetup(dir.path(), strErroInfo, std::chrono::milliseconds(500)), code);
}

QTEST_GUILESS_MAIN(tst_ParallelRuns)
#include "tst_parallelruns.moc"
