#include "databasefixtures.h"
#include "jlinkaddqn58mcu.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

const QFileDevice::Permissions readOnly =
    QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadUser | QFileDevice::ExeUser;
const QFileDevice::Permissions writable = readOnly | QFileDevice::WriteOwner | QFileDevice::WriteUser;

} // namespace

// Permissions mean nothing to root: ctest runs this program as an ordinary user.
class tst_UnwritableJob : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void results_data();
    void results();
};

void tst_UnwritableJob::initTestCase()
{
    if (geteuid() == 0)
        QFAIL("running as root, which ignores permissions; run through ctest");
}

void tst_UnwritableJob::results_data()
{
    QTest::addColumn<bool>("withDatabase");
    QTest::addColumn<bool>("folderWritable");
    QTest::addColumn<bool>("databaseWritable");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("vendorEntries");

    QTest::newRow("database cannot be created") << false << false << false << 1 << "" << -1;
    // The database is written in place; the folders below cannot be made.
    QTest::newRow("read-only installation folder")
        << true << false << true << 3 << "Setup has failed" << 528;
    QTest::newRow("read-only database")
        << true << true << false << 1 << "\"JLinkDevices.xml\" access failed" << 0;
}

void tst_UnwritableJob::results()
{
    QFETCH(bool, withDatabase);
    QFETCH(bool, folderWritable);
    QFETCH(bool, databaseWritable);
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(int, vendorEntries);

    QTemporaryDir dir;
    const QString strDatabase = dir.path() + QStringLiteral("/JLinkDevices.xml");
    const QByteArray original = otherVendorsDatabase(2);
    if (withDatabase) {
        QVERIFY(writeFile(strDatabase, original));
        if (!databaseWritable)
            QVERIFY(QFile::setPermissions(strDatabase, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    }
    if (!folderWritable)
        QVERIFY(QFile::setPermissions(dir.path(), readOnly));

    QString strErroInfo;
    const int nResult = JLinkAddQN58MCU::runSetup(dir.path(), strErroInfo);
    QFile::setPermissions(dir.path(), writable);
    QCOMPARE(nResult, code);
    QCOMPARE(strErroInfo, message);

    if (!withDatabase) {
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
                 QStringList());
        return;
    }
    const QByteArray content = readFile(strDatabase);
    QCOMPARE(content.count("Vendor=\"Kestrilon\""), vendorEntries);
    QCOMPARE(content.count("Nordström &amp; Søn"), 2);
    if (vendorEntries == 0)
        QCOMPARE(content, original);
}

QTEST_GUILESS_MAIN(tst_UnwritableJob)
#include "tst_unwritablejob.moc"
