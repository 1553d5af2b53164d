#include "databasefixtures.h"
#include "deploymentlist.h"
#include "devicedatabase.h"
#include "jlinkaddqn58mcu.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_WIN
#include "heldopenfile.h"
#endif

namespace {

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
    QN58_FAIL_AS_ROOT();
}

void tst_UnwritableJob::results_data()
{
    QTest::addColumn<bool>("database");        // other vendors' database there before
    QTest::addColumn<bool>("readOnlyLoaders"); // an earlier deployment the user may not write
    QTest::addColumn<bool>("folderReadOnly");  // the installation folder
    QTest::addColumn<int>("heldLoader");       // held open, -1 for none
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    // The console's reason line, below the installation folder %1.
    QTest::addColumn<QString>("diagnostic");

#ifndef Q_OS_WIN
    // Wine has no access control lists for folders, and runs as root.
    QTest::newRow("database cannot be created")
        << false << false << true << -1 << 1 << "" << "%1/JLinkDevices.xml: permission denied";
    // The database is written in place; the folders below cannot be made.
    QTest::newRow("read-only installation folder")
        << true << false << true << -1 << 3 << "Setup has failed"
        << "%1/Devices/Kestrilon/QN58FLM: could not be made";
#endif
    // Earlier copies are replaced whatever their permissions.
    QTest::newRow("read-only earlier deployment") << true << true << false << -1 << 0 << "" << "";
#ifdef Q_OS_WIN
    // One in the middle of the list, so that the ones before it are replaced.
    QTest::newRow("loader held open")
        << true << false << false << 100 << 3 << "Setup has failed"
        << QStringLiteral("%1/Devices/Kestrilon/QN58FLM/") + QLatin1String(deploymentList[100])
            + QStringLiteral(": could not be written");
#endif
}

void tst_UnwritableJob::results()
{
    QFETCH(bool, database);
    QFETCH(bool, readOnlyLoaders);
    QFETCH(bool, folderReadOnly);
    QFETCH(int, heldLoader);
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(QString, diagnostic);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString strDatabase = deviceDatabasePath(dir.path());
    const QString strLoaders = dir.path() + loaderFolder;
    QVERIFY(!database || writeFile(strDatabase, otherVendorsDatabase(2)));
    const QStringList names = listedNames();
    if (readOnlyLoaders || heldLoader >= 0) {
        QVERIFY(QDir().mkpath(strLoaders));
        for (const QString &strName : names) {
            QVERIFY(writeFile(strLoaders + QLatin1Char('/') + strName, olderCopy));
            QVERIFY(!readOnlyLoaders
                    || QFile::setPermissions(strLoaders + QLatin1Char('/') + strName, readOnlyFile));
        }
    }
    const PermissionRestorer restorer(dir.path());
    QVERIFY(!folderReadOnly || QFile::setPermissions(dir.path(), readOnlyFolder));
#ifdef Q_OS_WIN
    const QString strHeld = strLoaders + QLatin1Char('/') + names.value(heldLoader);
    std::optional<HeldOpenFile> held;
    if (heldLoader >= 0) {
        held.emplace(strHeld);
        QVERIFY(held->isHeld());
    }
#endif

    QString strErroInfo;
    Reason reason;
    const int nResult = JLinkAddQN58MCU::runSetup(dir.path(), strErroInfo, reason);
    restorer.restore();
#ifdef Q_OS_WIN
    held.reset();
    if (heldLoader >= 0)
        QCOMPARE(readFile(strHeld), olderCopy);
#endif
    QCOMPARE(nResult, code);
    QCOMPARE(strErroInfo, message);
    QCOMPARE(reason.diagnostic(),
             QDir::toNativeSeparators(diagnostic.replace(QStringLiteral("%1"), dir.path())));

    if (!database && code != 0) {
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
                 QStringList());
        return;
    }
    const QByteArray content = readFile(strDatabase);
    QCOMPARE(content.count("Vendor=\"Kestrilon\""), 528);
    QCOMPARE(content.count("Nordström &amp; Søn"), 2);
    if (code == 0) {
        for (const QString &strName : names) {
            const QString strLoader = strLoaders + QLatin1Char('/') + strName;
            QVERIFY2(readFile(strLoader) == bundledFile(strName), qPrintable(strName));
            QVERIFY2(QFileInfo(strLoader).isWritable(), qPrintable(strName));
        }
    }
}

QTEST_GUILESS_MAIN(tst_UnwritableJob)
#include "tst_unwritablejob.moc"
