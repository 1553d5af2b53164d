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
#endif

Q_DECLARE_METATYPE(QFileDevice::Permissions)

namespace {

const QByteArray ourEntries("<DataBase>\n<Device><ChipInfo Vendor=\"Kestrilon\"/></Device>\n"
                            "<Device><ChipInfo Vendor=\"ST\"/></Device>\n</DataBase>\n");

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
    void databaseHeldOpenDoesNotLoad();
    void makeFileWritableThrowsOnAFileHeldOpen();
#else
    // Windows takes away no read permission, and Wine, running as root,
    // opens read-only files for writing.
    void unopenableDatabaseDoesNotLoad_data();
    void unopenableDatabaseDoesNotLoad();
    void statusReadsAReadOnlyDatabase();
    // Wine has no access control lists for folders, and runs as root.
    void databaseInAReadOnlyFolderIsWrittenInPlace();
    void databaseCannotBeCreatedInAReadOnlyFolder();
    // Windows has no files that their owner may write but not read.
    void makeFileWritableThrowsOnAnUnreadableFile();
#endif

private:
    QScopedPointer<QTemporaryDir> m_dir;
    QScopedPointer<PermissionRestorer> m_folderPermissions;
    QString m_strDatabase;
};

void tst_UnwritableDatabase::initTestCase()
{
    // The log lines asserted here are off by default.
    QLoggingCategory::setFilterRules(QStringLiteral("qn58.setup.debug=true"));
    QN58_FAIL_AS_ROOT();
}

void tst_UnwritableDatabase::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_folderPermissions.reset(new PermissionRestorer(m_dir->path()));
    m_strDatabase = deviceDatabasePath(m_dir->path());
}

void tst_UnwritableDatabase::cleanup()
{
    m_folderPermissions.reset();
    m_dir.reset();
}

void tst_UnwritableDatabase::saveOverAReadOnlyDatabaseFails()
{
    // The folder would take a replacement; the file itself must refuse it.
    QVERIFY(writeFile(m_strDatabase, ourEntries));
    const QDomDocument doc = loadDeviceDatabase(m_strDatabase);
    const PermissionRestorer restorer(m_strDatabase);
    QVERIFY(QFile::setPermissions(m_strDatabase, readOnlyFile));
    QTest::ignoreMessage(QtDebugMsg, "open file error");
    QVERIFY(!saveDeviceDatabase(doc, m_strDatabase));
    QCOMPARE(readFile(m_strDatabase), ourEntries);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("JLinkDevices.xml")});
}

#ifdef Q_OS_WIN
void tst_UnwritableDatabase::databaseHeldOpenDoesNotLoad()
{
    QVERIFY(writeFile(m_strDatabase, ourEntries));
    HeldOpenFile held(m_strDatabase);
    QVERIFY(held.isHeld());
    for (const DatabaseAccess access : {DatabaseAccess::ReadWrite, DatabaseAccess::ReadOnly}) {
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Failed to open file: ")));
        QVERIFY_EXCEPTION_THROWN(loadDeviceDatabase(m_strDatabase, access), FileError);
    }

    held.release();
    QCOMPARE(readFile(m_strDatabase), ourEntries);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("JLinkDevices.xml")});
}

void tst_UnwritableDatabase::makeFileWritableThrowsOnAFileHeldOpen()
{
    QVERIFY(writeFile(m_strDatabase, ourEntries));
    const PermissionRestorer restorer(m_strDatabase);
    QVERIFY(QFile::setPermissions(m_strDatabase, readOnlyFile));
    HeldOpenFile held(m_strDatabase);
    QVERIFY(held.isHeld());
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Failed to open file: ")
                                                        + QRegularExpression::escape(m_strDatabase)));
    QVERIFY_EXCEPTION_THROWN(makeFileWritable(m_strDatabase), std::runtime_error);
    held.release();
    QVERIFY(!QFileInfo(m_strDatabase).isWritable());
}
#else
void tst_UnwritableDatabase::unopenableDatabaseDoesNotLoad_data()
{
    QTest::addColumn<QFileDevice::Permissions>("permissions");
    QTest::addColumn<bool>("readable"); // a check asks for reading only

    QTest::newRow("read-only") << (readOnlyFile | QFileDevice::ReadOther) << true;
    QTest::newRow("write-only") << (QFileDevice::WriteOwner | QFileDevice::WriteUser) << false;
    QTest::newRow("no access") << QFileDevice::Permissions() << false;
}

void tst_UnwritableDatabase::unopenableDatabaseDoesNotLoad()
{
    QFETCH(QFileDevice::Permissions, permissions);
    QFETCH(bool, readable);

    QVERIFY(writeFile(m_strDatabase, ourEntries));
    const PermissionRestorer restorer(m_strDatabase);
    QVERIFY(QFile::setPermissions(m_strDatabase, permissions));
    for (const DatabaseAccess access : {DatabaseAccess::ReadWrite, DatabaseAccess::ReadOnly}) {
        if (readable && access == DatabaseAccess::ReadOnly) {
            QVERIFY(!loadDeviceDatabase(m_strDatabase, access).isNull());
            continue;
        }
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Failed to open file: ")));
        QCOMPARE(loadRefusal(m_strDatabase, access), QStringLiteral("permission denied"));
    }

    QCOMPARE(QFile::permissions(m_strDatabase), permissions);
    restorer.restore();
    QCOMPARE(readFile(m_strDatabase), ourEntries);
}

// A check only reads, so a database the job may not change can still be checked.
void tst_UnwritableDatabase::statusReadsAReadOnlyDatabase()
{
    QVERIFY(install(m_dir->path()));
    const PermissionRestorer restorer(m_strDatabase);
    QVERIFY(QFile::setPermissions(m_strDatabase, readOnlyFile));
    QCOMPARE(statusText(checkInstallation(m_dir->path())), QStringLiteral("installed"));
}

void tst_UnwritableDatabase::databaseInAReadOnlyFolderIsWrittenInPlace()
{
    QVERIFY(writeFile(m_strDatabase, "<?xml version=\"1.0\"?>\n" + ourEntries));
    QVERIFY(QFile::setPermissions(m_dir->path(), readOnlyFolder));
    QString strError;
    QVERIFY(JLinkAddQN58MCU::removeOldDevices(m_dir->path(), strError));
    QCOMPARE(readFile(m_strDatabase),
             QByteArray("<DataBase>\n  <Device>\n    <ChipInfo Vendor=\"ST\"/>\n  </Device>\n</DataBase>\n"));
}

void tst_UnwritableDatabase::databaseCannotBeCreatedInAReadOnlyFolder()
{
    QVERIFY(QFile::setPermissions(m_dir->path(), readOnlyFolder));
    QString strError = QStringLiteral("left from before");
    QVERIFY(!JLinkAddQN58MCU::removeOldDevices(m_dir->path(), strError));
    QCOMPARE(strError, QString());
    QVERIFY(!QFileInfo::exists(m_strDatabase));
}

void tst_UnwritableDatabase::makeFileWritableThrowsOnAnUnreadableFile()
{
    QVERIFY(writeFile(m_strDatabase, ourEntries));
    const PermissionRestorer restorer(m_strDatabase);
    QVERIFY(QFile::setPermissions(m_strDatabase, QFileDevice::WriteOwner | QFileDevice::WriteUser));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Failed to open file: ")
                                                        + QRegularExpression::escape(m_strDatabase)));
    QVERIFY_EXCEPTION_THROWN(makeFileWritable(m_strDatabase), std::runtime_error);
    QCOMPARE(QFile::permissions(m_strDatabase), QFileDevice::WriteOwner | QFileDevice::WriteUser);
}
#endif

QTEST_APPLESS_MAIN(tst_UnwritableDatabase)

#include "tst_unwritabledatabase.moc"
