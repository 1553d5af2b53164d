#include "databasefixtures.h"

#include <QTemporaryDir>
#include <QtTest>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

// An administrator installs into a user's J-Link folder: the database must
// stay the user's. Only root may give a file to another user to set this up.
class tst_DatabaseOwner : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void savedDatabaseKeepsOwnerGroupAndMode_data();
    void savedDatabaseKeepsOwnerGroupAndMode();
};

void tst_DatabaseOwner::initTestCase()
{
    if (!runsAsRoot())
        QSKIP("giving a database to another user needs root");
}

void tst_DatabaseOwner::savedDatabaseKeepsOwnerGroupAndMode_data()
{
    QTest::addColumn<bool>("behindLink");
    QTest::addColumn<int>("mode");

    QTest::newRow("another user's database") << false << 0640;
    QTest::newRow("shared with a group") << false << 0664;
    QTest::newRow("behind a link") << true << 0600;
}

void tst_DatabaseOwner::savedDatabaseKeepsOwnerGroupAndMode()
{
    QFETCH(bool, behindLink);
    QFETCH(int, mode);
    const passwd *const user = getpwnam("nobody");
    const group *const userGroup = getgrnam("nogroup");
    QVERIFY(user && userGroup);
    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    const QString strDatabase = dir.path() + QStringLiteral("/JLinkDevices.xml");
    const QString strFile = behindLink ? elsewhere.path() + QStringLiteral("/devices.xml") : strDatabase;
    QVERIFY(writeFile(strFile, otherVendorsDatabase(2)));
    QVERIFY(!behindLink || QFile::link(strFile, strDatabase));
    QCOMPARE(chown(QFile::encodeName(strFile).constData(), user->pw_uid, userGroup->gr_gid), 0);
    QCOMPARE(chmod(QFile::encodeName(strFile).constData(), mode_t(mode)), 0);

    QVERIFY(install(dir.path()));
    QCOMPARE(ourEntryCount(dir.path()), 528);
    QCOMPARE(QFileInfo(strDatabase).isSymLink(), behindLink);
    struct stat status;
    QCOMPARE(stat(QFile::encodeName(strFile).constData(), &status), 0);
    QCOMPARE(status.st_uid, user->pw_uid);
    QCOMPARE(status.st_gid, userGroup->gr_gid);
    QCOMPARE(int(status.st_mode & 07777), mode);
}

QTEST_GUILESS_MAIN(tst_DatabaseOwner)
#include "tst_databaseowner.moc"
