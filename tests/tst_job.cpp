#include "databasefixtures.h"
#include "deploymentlist.h"
#include "jlinkaddqn58mcu.h"

#include <QDir>
#include <QDomDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString vendorPath = QStringLiteral("/Devices/Kestrilon");
const QString loaderPath = QStringLiteral("/Devices/Kestrilon/QN58FLM");

} // namespace

class tst_Job : public QObject
{
    Q_OBJECT

private slots:
    void runEmitsOneSuccess();
    void obsoleteFolder_data();
    void obsoleteFolder();
    void secondRunChangesNothing();
    void failures_data();
    void failures();
};

void tst_Job::runEmitsOneSuccess()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.path() + QStringLiteral("/JLinkDevices.xml"), otherVendorsDatabase(3)));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Devices")));

    JLinkAddQN58MCU worker(dir.path());
    QSignalSpy spy(&worker, &JLinkAddQN58MCU::emitResult);
    worker.start();
    QVERIFY(worker.wait());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 0);
    QCOMPARE(spy.at(0).at(1).toString(), QString());

    const QStringList vendors = entryVendors(dir.path());
    QCOMPARE(vendors.size(), 3 + 528);
    QCOMPARE(vendors.mid(0, 3).count(QStringLiteral("Nordström & Søn")), 3);
    QCOMPARE(vendors.mid(3).count(QStringLiteral("Kestrilon")), 528);
    QStringList deployed;
    for (const char *name : deploymentList)
        deployed << QString::fromLatin1(name);
    deployed.sort();
    QStringList files = QDir(dir.path() + loaderPath).entryList(QDir::Files, QDir::NoSort);
    files.sort();
    QCOMPARE(files, deployed);
}

void tst_Job::obsoleteFolder_data()
{
    QTest::addColumn<bool>("holdsFile");
    QTest::addColumn<bool>("stays");
    QTest::newRow("empty goes") << false << false;
    QTest::newRow("holding a file stays") << true << true;
}

void tst_Job::obsoleteFolder()
{
    QFETCH(bool, holdsFile);
    QFETCH(bool, stays);
    QTemporaryDir dir;
    const QString strObsolete = dir.path() + vendorPath + QStringLiteral("/QN58Kxxx");
    QVERIFY(QDir().mkpath(strObsolete));
    if (holdsFile)
        QVERIFY(writeFile(strObsolete + QStringLiteral("/QN58K212_128.FLM"), "old loader"));

    QString strErroInfo;
    QCOMPARE(JLinkAddQN58MCU::runSetup(dir.path(), strErroInfo), 0);
    QCOMPARE(QFileInfo::exists(strObsolete), stays);
    if (holdsFile)
        QCOMPARE(readFile(strObsolete + QStringLiteral("/QN58K212_128.FLM")), QByteArray("old loader"));
}

void tst_Job::secondRunChangesNothing()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.path() + QStringLiteral("/JLinkDevices.xml"), otherVendorsDatabase(2)));
    QString strErroInfo;
    QCOMPARE(JLinkAddQN58MCU::runSetup(dir.path(), strErroInfo), 0);
    const QString strFirst = canonicalXml(loadXml(dir.path() + QStringLiteral("/JLinkDevices.xml")));
    const QMap<QString, QByteArray> firstFiles = folderContents(dir.path() + loaderPath);

    QCOMPARE(JLinkAddQN58MCU::runSetup(dir.path(), strErroInfo), 0);
    QCOMPARE(canonicalXml(loadXml(dir.path() + QStringLiteral("/JLinkDevices.xml"))), strFirst);
    QCOMPARE(folderContents(dir.path() + loaderPath), firstFiles);
    QCOMPARE(entryVendors(dir.path()).count(QStringLiteral("Kestrilon")), 528);
}

void tst_Job::failures_data()
{
    QTest::addColumn<QString>("blocker");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("vendorEntries");

    // A file where a folder must be, or the reverse: nothing can be created there.
    QTest::newRow("database is a folder") << "JLinkDevices.xml/" << 1
                                          << "\"JLinkDevices.xml\" access failed" << -1;
    QTest::newRow("database not well-formed") << "JLinkDevices.xml" << 1
                                         << "\"JLinkDevices.xml\" access failed" << -1;
    QTest::newRow("devices folder is a file") << "Devices" << 3 << "Setup has failed" << 528;
    QTest::newRow("loader folder is a file") << "Devices/Kestrilon/QN58FLM" << 3
                                             << "Setup has failed" << 528;
}

void tst_Job::failures()
{
    QFETCH(QString, blocker);
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(int, vendorEntries);
    QTemporaryDir dir;
    const QString strBlocker = dir.path() + QLatin1Char('/') + blocker;
    if (blocker.endsWith(QLatin1Char('/'))) {
        QVERIFY(QDir().mkpath(strBlocker));
    } else {
        QVERIFY(QDir().mkpath(QFileInfo(strBlocker).path()));
        QVERIFY(writeFile(strBlocker, "not a folder, not a database"));
    }

    JLinkAddQN58MCU worker(dir.path());
    QSignalSpy spy(&worker, &JLinkAddQN58MCU::emitResult);
    worker.start();
    QVERIFY(worker.wait());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), code);
    QCOMPARE(spy.at(0).at(1).toString(), message);
    if (vendorEntries >= 0)
        QCOMPARE(entryVendors(dir.path()).count(QStringLiteral("Kestrilon")), vendorEntries);
    if (!blocker.endsWith(QLatin1Char('/')))
        QCOMPARE(readFile(strBlocker), QByteArray("not a folder, not a database"));
}

QTEST_GUILESS_MAIN(tst_Job)
#include "tst_job.moc"
