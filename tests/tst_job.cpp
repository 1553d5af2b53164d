#include "databasefixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString vendorPath = QStringLiteral("/Devices/Kestrilon");

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

    const JobResult result = runJob(dir.path());
    QCOMPARE(result.nResults, 1);
    QCOMPARE(result.nCode, 0);
    QCOMPARE(result.strMessage, QString());

    const QStringList vendors = entryVendors(dir.path());
    QCOMPARE(vendors.size(), 3 + 528);
    QCOMPARE(vendors.mid(0, 3).count(QStringLiteral("Nordström & Søn")), 3);
    QCOMPARE(vendors.mid(3).count(QStringLiteral("Kestrilon")), 528);
    QStringList deployed = listedNames();
    deployed.sort();
    QCOMPARE(QDir(dir.path() + loaderFolder).entryList(QDir::Files, QDir::Name), deployed);
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

    QVERIFY(install(dir.path()));
    QCOMPARE(QFileInfo::exists(strObsolete), stays);
    if (holdsFile)
        QCOMPARE(readFile(strObsolete + QStringLiteral("/QN58K212_128.FLM")), QByteArray("old loader"));
}

void tst_Job::secondRunChangesNothing()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.path() + QStringLiteral("/JLinkDevices.xml"), otherVendorsDatabase(2)));
    QVERIFY(install(dir.path()));
    const QString strFirst = canonicalXml(loadXml(dir.path() + QStringLiteral("/JLinkDevices.xml")));
    const QMap<QString, QByteArray> firstFiles = folderContents(dir.path() + loaderFolder);

    QVERIFY(install(dir.path()));
    QCOMPARE(canonicalXml(loadXml(dir.path() + QStringLiteral("/JLinkDevices.xml"))), strFirst);
    QCOMPARE(folderContents(dir.path() + loaderFolder), firstFiles);
    QCOMPARE(ourEntryCount(dir.path()), 528);
}

void tst_Job::failures_data()
{
    QTest::addColumn<QString>("folderInTheWay"); // where a file must be
    QTest::addColumn<QString>("fileInTheWay");   // where a folder must be
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("vendorEntries"); // -1: no database to count them in

    QTest::newRow("database is a folder") << "/JLinkDevices.xml" << QString() << 1
                                          << accessFailed << -1;
    QTest::newRow("devices folder is a file") << QString() << "/Devices" << 3
                                              << "Setup has failed" << 528;
    QTest::newRow("loader folder is a file") << QString() << loaderFolder << 3
                                             << "Setup has failed" << 528;
}

// The window's job reports the outcome of the step that failed, once.
void tst_Job::failures()
{
    QFETCH(QString, folderInTheWay);
    QFETCH(QString, fileInTheWay);
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(int, vendorEntries);
    QTemporaryDir dir;
    QVERIFY(folderInTheWay.isEmpty() || putFolderInTheWay(dir.path() + folderInTheWay));
    QVERIFY(fileInTheWay.isEmpty() || putFileInTheWay(dir.path() + fileInTheWay));

    const JobResult result = runJob(dir.path());
    QCOMPARE(result.nResults, 1);
    QCOMPARE(result.nCode, code);
    QCOMPARE(result.strMessage, message);
    if (vendorEntries >= 0)
        QCOMPARE(ourEntryCount(dir.path()), vendorEntries);
    if (!fileInTheWay.isEmpty())
        QCOMPARE(readFile(dir.path() + fileInTheWay), inTheWay);
}

QTEST_GUILESS_MAIN(tst_Job)
#include "tst_job.moc"
