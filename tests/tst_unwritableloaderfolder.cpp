#include "deploymentlist.h"
#include "jlinkaddqn58mcu.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

const QByteArray olderCopy = "an older copy";
const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ReadUser
    | QFileDevice::ExeOwner | QFileDevice::ExeUser;
const QFileDevice::Permissions writable = readOnly | QFileDevice::WriteOwner | QFileDevice::WriteUser;

QByteArray readFile(const QString &strFileName)
{
    QFile file(strFileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// Read-only files in a folder the user may not write cannot be removed, as
// a read-only file cannot be on Windows. Root may remove anything, so these
// cases run as an unprivileged user.
class tst_UnwritableLoaderFolder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readOnlyEarlierCopiesStopTheDeploymentAtTheScript_data();
    void readOnlyEarlierCopiesStopTheDeploymentAtTheScript();
};

void tst_UnwritableLoaderFolder::initTestCase()
{
    if (geteuid() == 0)
        QFAIL("runs as root, which ignores file permissions; run it through unprivileged.sh");
}

void tst_UnwritableLoaderFolder::readOnlyEarlierCopiesStopTheDeploymentAtTheScript_data()
{
    QTest::addColumn<int>("earlierCopies");

    QTest::newRow("empty folder") << 0;
    QTest::newRow("the script alone") << 1;
    QTest::newRow("a whole earlier deployment") << 266;
}

void tst_UnwritableLoaderFolder::readOnlyEarlierCopiesStopTheDeploymentAtTheScript()
{
    QFETCH(int, earlierCopies);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (int i = 0; i < earlierCopies; ++i) {
        const QString strTarget = dir.filePath(QString::fromLatin1(deploymentList.at(i)));
        QFile file(strTarget);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(olderCopy) == olderCopy.size());
        file.close();
        QVERIFY(QFile::setPermissions(strTarget, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    }
    QVERIFY(QFile::setPermissions(dir.path(), readOnly));

    QTest::ignoreMessage(QtDebugMsg, "Failed to copy file: QN58Kxxx.JLinkScript");
    const bool deployed = JLinkAddQN58MCU::deployFiles(dir.path());
    QVERIFY(QFile::setPermissions(dir.path(), writable));

    QVERIFY(!deployed);
    const QStringList present = QDir(dir.path()).entryList(QDir::Files);
    QCOMPARE(present.size(), earlierCopies);
    for (const QString &name : present)
        QCOMPARE(readFile(dir.filePath(name)), olderCopy);
}

QTEST_MAIN(tst_UnwritableLoaderFolder)
#include "tst_unwritableloaderfolder.moc"
