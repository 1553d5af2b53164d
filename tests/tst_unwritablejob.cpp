#include "databasefixtures.h"
#include "deploymentlist.h"
#include "jlinkaddqn58mcu.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_WIN
#include "heldopenfile.h"

#include <optional>
#else
#include <unistd.h>
#endif

namespace {

const QFileDevice::Permissions readOnly =
    QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadUser | QFileDevice::ExeUser;
const QFileDevice::Permissions writable = readOnly | QFileDevice::WriteOwner | QFileDevice::WriteUser;
const QFileDevice::Permissions readOnlyFile = QFileDevice::ReadOwner | QFileDevice::ReadUser;
const QString loaderPath = QStringLiteral("/Devices/Kestrilon/QN58FLM");
const QByteArray olderCopy = "an older copy";

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
#ifndef Q_OS_WIN
    if (geteuid() == 0)
        QFAIL("running as root, which ignores permissions; run through ctest");
#endif
}

void tst_UnwritableJob::results_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("vendorEntries"); // -1: no database is left

#ifndef Q_OS_WIN
    // Wine has no access control lists for folders, and runs as root.
    QTest::newRow("database cannot be created") << "read-only folder, no database" << 1 << "" << -1;
    // The database is written in place; the folders below cannot be made.
    QTest::newRow("read-only installation folder")
        << "read-only folder" << 3 << "Setup has failed" << 528;
#endif
    QTest::newRow("read-only database")
        << "read-only database" << 1 << "\"JLinkDevices.xml\" access failed" << 0;
    // Earlier copies are replaced whatever their permissions.
    QTest::newRow("read-only earlier deployment") << "read-only loaders" << 0 << "" << 528;
#ifdef Q_OS_WIN
    QTest::newRow("database held open")
        << "database held open" << 1 << "\"JLinkDevices.xml\" access failed" << 0;
    QTest::newRow("loader held open") << "loader held open" << 3 << "Setup has failed" << 528;
#endif
}

void tst_UnwritableJob::results()
{
    QFETCH(QString, obstacle);
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(int, vendorEntries);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString strDatabase = dir.path() + QStringLiteral("/JLinkDevices.xml");
    const QString strLoaders = dir.path() + loaderPath;
    const QByteArray original = otherVendorsDatabase(2);
    if (vendorEntries >= 0)
        QVERIFY(writeFile(strDatabase, original));
    if (obstacle == QLatin1String("read-only database"))
        QVERIFY(QFile::setPermissions(strDatabase, readOnlyFile));
    if (obstacle.contains(QLatin1String("loader"))) {
        QVERIFY(QDir().mkpath(strLoaders));
        for (const char *name : deploymentList) {
            const QString strLoader = strLoaders + QLatin1Char('/') + QLatin1String(name);
            QVERIFY(writeFile(strLoader, olderCopy));
            if (obstacle == QLatin1String("read-only loaders"))
                QVERIFY(QFile::setPermissions(strLoader, readOnlyFile));
        }
    }
    if (obstacle.startsWith(QLatin1String("read-only folder")))
        QVERIFY(QFile::setPermissions(dir.path(), readOnly));
#ifdef Q_OS_WIN
    // A loader in the middle of the list, so that the ones before it are replaced.
    const QString strHeld = obstacle == QLatin1String("database held open")
        ? strDatabase
        : strLoaders + QLatin1Char('/') + QLatin1String(deploymentList[100]);
    std::optional<HeldOpenFile> held;
    if (obstacle.endsWith(QLatin1String("held open"))) {
        held.emplace(strHeld);
        QVERIFY(held->isHeld());
    }
#endif

    QString strErroInfo;
    const int nResult = JLinkAddQN58MCU::runSetup(dir.path(), strErroInfo);
    QFile::setPermissions(dir.path(), writable);
#ifdef Q_OS_WIN
    held.reset();
    if (obstacle == QLatin1String("loader held open"))
        QCOMPARE(readFile(strHeld), olderCopy);
#endif
    QCOMPARE(nResult, code);
    QCOMPARE(strErroInfo, message);

    if (vendorEntries < 0) {
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
                 QStringList());
        return;
    }
    const QByteArray content = readFile(strDatabase);
    QCOMPARE(content.count("Vendor=\"Kestrilon\""), vendorEntries);
    QCOMPARE(content.count("Nordström &amp; Søn"), 2);
    if (vendorEntries == 0)
        QCOMPARE(content, original);
    if (code == 0) {
        for (const char *name : deploymentList) {
            const QString strLoader = strLoaders + QLatin1Char('/') + QLatin1String(name);
            QVERIFY2(readFile(strLoader) == readFile(QStringLiteral(":/FLMFile/") + QLatin1String(name)),
                     name);
            QVERIFY2(QFileInfo(strLoader).isWritable(), name);
        }
    }
}

QTEST_GUILESS_MAIN(tst_UnwritableJob)
#include "tst_unwritablejob.moc"
