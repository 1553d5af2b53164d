#include "databasefixtures.h"
#include "devicedatabase.h"
#include "installationstatus.h"
#include "jlinkaddqn58mcu.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QLoggingCategory>
#include <QtTest>

#ifdef Q_OS_WIN
#include "heldopenfile.h"
#else
#include <unistd.h>
#endif

namespace {

const QByteArray ourEntries("<DataBase>\n<Device><ChipInfo Vendor=\"Kestrilon\"/></Device>\n"
                            "<Device><ChipInfo Vendor=\"ST\"/></Device>\n</DataBase>\n");

const QFileDevice::Permissions folderReadOnly =
    QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadUser | QFileDevice::ExeUser;
const QFileDevice::Permissions folderWritable = folderReadOnly | QFileDevice::WriteOwner | QFileDevice::WriteUser;
const QFileDevice::Permissions fileWritable = QFileDevice::ReadOwner | QFileDevice::WriteOwner
    | QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;

} // namespace

// Permissions mean nothing to root: ctest runs this program as an ordinary user.
class tst_UnwritableDatabase : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void saveOverAReadOnlyDatabaseFails();
#ifdef Q_OS_WIN
    void databaseHeldOpenIsLeftUntouched();
    void makeFileWritableThrowsOnAFileHeldOpen();
#else
    // Windows takes away no read permission, and Wine, running as root,
    // opens read-only files for writing.
    void unopenableDatabaseIsLeftUntouched_data();
    void unopenableDatabaseIsLeftUntouched();
    // Wine has no access control lists for folders, and runs as root.
    void databaseInAReadOnlyFolderIsWrittenInPlace();
    void databaseCannotBeCreatedInAReadOnlyFolder();
    // Windows has no files that their owner may write but not read.
    void makeFileWritableThrowsOnAnUnreadableFile();
#endif

private:
    QScopedPointer<QTemporaryDir> m_dir;
    QString m_strDatabase;
};

void tst_UnwritableDatabase::initTestCase()
{
    // The log lines asserted here are off by default.
    QLoggingCategory::setFilterRules(QStringLiteral("qn58.setup.debug=true"));
#ifndef Q_OS_WIN
    if (geteuid() == 0)
        QFAIL("running as root, which ignores permissions; run through ctest");
#endif
}

void tst_UnwritableDatabase::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_strDatabase = deviceDatabasePath(m_dir->path());
}

void tst_UnwritableDatabase::cleanup()
{
    // Lets the temporary folder be removed again.
    QFile::setPermissions(m_dir->path(), folderWritable);
    QFile::setPermissions(m_strDatabase, fileWritable);
    m_dir.reset();
}

void tst_UnwritableDatabase::saveOverAReadOnlyDatabaseFails()
{
    // The folder would take a replacement; the file itself must refuse it.
    QVERIFY(writeFile(m_strDatabase, ourEntries));
    const QDomDocument doc = loadDeviceDatabase(m_strDatabase);
    QVERIFY(QFile::setPermissions(m_strDatabase, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    QTest::ignoreMessage(QtDebugMsg, "open file error");
    QVERIFY(!saveDeviceDatabase(doc, m_strDatabase));
    QCOMPARE(readFile(m_strDatabase), ourEntries);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("JLinkDevices.xml")});
}

#ifdef Q_OS_WIN
void tst_UnwritableDatabase::databaseHeldOpenIsLeftUntouched()
{
    QVERIFY(writeFile(m_strDatabase, ourEntries));
    HeldOpenFile held(m_strDatabase);
    QVERIFY(held.isHeld());
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Failed to open file: ")));
    QString strError;
    QVERIFY(!JLinkAddQN58MCU::removeOldDevices(m_dir->path(), strError));
    QCOMPARE(strError, QStringLiteral("\"JLinkDevices.xml\" access failed"));

    held.release();
    QCOMPARE(readFile(m_strDatabase), ourEntries);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("JLinkDevices.xml")});
}

void tst_UnwritableDatabase::makeFileWritableThrowsOnAFileHeldOpen()
{
    QVERIFY(writeFile(m_strDatabase, ourEntries));
    QVERIFY(QFile::setPermissions(m_strDatabase, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    HeldOpenFile held(m_strDatabase);
    QVERIFY(held.isHeld());
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Failed to open file: ")
                                                        + QRegularExpression::escape(m_strDatabase)));
    QVERIFY_EXCEPTION_THROWN(makeFileWritable(m_strDatabase), std::runtime_error);
    held.release();
    QVERIFY(!QFileInfo(m_strDatabase).isWritable());
}
#else
void tst_UnwritableDatabase::unopenableDatabaseIsLeftUntouched_data()
{
    QTest::addColumn<int>("permissions");
    QTest::addColumn<bool>("checkable"); // a status check only reads
    QTest::newRow("read-only")
        << int(QFileDevice::ReadOwner | QFileDevice::ReadUser | QFileDevice::ReadOther) << true;
    QTest::newRow("write-only") << int(QFileDevice::WriteOwner | QFileDevice::WriteUser) << false;
    QTest::newRow("no access") << 0 << false;
}

void tst_UnwritableDatabase::unopenableDatabaseIsLeftUntouched()
{
    QFETCH(int, permissions);
    QFETCH(bool, checkable);

    QVERIFY(writeFile(m_strDatabase, ourEntries));
    QVERIFY(QFile::setPermissions(m_strDatabase, QFileDevice::Permissions(permissions)));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Failed to open file: ")));
    QString strError;
    QString strReason;
    QVERIFY(!JLinkAddQN58MCU::removeOldDevices(m_dir->path(), strError, &strReason));
    QCOMPARE(strError, QStringLiteral("\"JLinkDevices.xml\" access failed"));
    QCOMPARE(strReason, QStringLiteral("permission denied"));
    if (!checkable)
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Failed to open file: ")));
    const InstallationStatus status = checkInstallation(m_dir->path());
    QCOMPARE(status.state == InstallationStatus::State::Unreadable, !checkable);

    QCOMPARE(QFile::permissions(m_strDatabase), QFileDevice::Permissions(permissions));
    QVERIFY(QFile::setPermissions(m_strDatabase, fileWritable));
    QCOMPARE(readFile(m_strDatabase), ourEntries);
}

void tst_UnwritableDatabase::databaseInAReadOnlyFolderIsWrittenInPlace()
{
    QVERIFY(writeFile(m_strDatabase, "<?xml version=\"1.0\"?>\n" + ourEntries));
    QVERIFY(QFile::setPermissions(m_dir->path(), folderReadOnly));
    QString strError;
    QVERIFY(JLinkAddQN58MCU::removeOldDevices(m_dir->path(), strError));
    QCOMPARE(readFile(m_strDatabase),
             QByteArray("<DataBase>\n  <Device>\n    <ChipInfo Vendor=\"ST\"/>\n  </Device>\n</DataBase>\n"));
}

void tst_UnwritableDatabase::databaseCannotBeCreatedInAReadOnlyFolder()
{
    QVERIFY(QFile::setPermissions(m_dir->path(), folderReadOnly));
    QString strError = QStringLiteral("left from before");
    QVERIFY(!JLinkAddQN58MCU::removeOldDevices(m_dir->path(), strError));
    QCOMPARE(strError, QString());
    QVERIFY(!QFileInfo::exists(m_strDatabase));
}

void tst_UnwritableDatabase::makeFileWritableThrowsOnAnUnreadableFile()
{
    QVERIFY(writeFile(m_strDatabase, ourEntries));
    QVERIFY(QFile::setPermissions(m_strDatabase, QFileDevice::WriteOwner | QFileDevice::WriteUser));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Failed to open file: ")
                                                        + QRegularExpression::escape(m_strDatabase)));
    QVERIFY_EXCEPTION_THROWN(makeFileWritable(m_strDatabase), std::runtime_error);
    QCOMPARE(QFile::permissions(m_strDatabase), QFileDevice::WriteOwner | QFileDevice::WriteUser);
}
#endif

QTEST_APPLESS_MAIN(tst_UnwritableDatabase)

#include "tst_unwritabledatabase.moc"
