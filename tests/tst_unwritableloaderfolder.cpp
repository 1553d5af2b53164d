#include "jlinkaddqn58mcu.h"
#include "support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QLoggingCategory>
#include <QtTest>

#ifdef Q_OS_WIN
#include "heldopenfile.h"
#endif

namespace {

const QByteArray olderCopy = "an older copy";

} // namespace

// Earlier copies that the user may not remove stop the deployment at them.
// On Unix that takes a folder the user may not write, and root may remove
// anything, so this runs as an unprivileged user; on Windows it takes a file
// that another program holds open.
class tst_UnwritableLoaderFolder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
#ifdef Q_OS_WIN
    void earlierCopyHeldOpenStopsTheDeployment_data();
    void earlierCopyHeldOpenStopsTheDeployment();
#else
    // Wine has no access control lists for folders, and runs as root.
    void readOnlyEarlierCopiesStopTheDeploymentAtTheScript_data();
    void readOnlyEarlierCopiesStopTheDeploymentAtTheScript();
#endif
};

void tst_UnwritableLoaderFolder::initTestCase()
{
    // The log lines asserted here are off by default.
    QLoggingCategory::setFilterRules(QStringLiteral("qn58.setup.debug=true"));
    QN58_FAIL_AS_ROOT();
}

#ifdef Q_OS_WIN
void tst_UnwritableLoaderFolder::earlierCopyHeldOpenStopsTheDeployment_data()
{
    QTest::addColumn<int>("held");

    QTest::newRow("the script") << 0;
    QTest::newRow("a loader in the middle") << 100;
    QTest::newRow("the last loader") << 265;
}

// The names before the held one are replaced, the rest keep their older copies.
void tst_UnwritableLoaderFolder::earlierCopyHeldOpenStopsTheDeployment()
{
    QFETCH(int, held);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QStringList names = listedNames();
    for (const QString &strName : names)
        QVERIFY(writeFile(dir.filePath(strName), olderCopy));
    const QString strHeldName = names.at(held);
    HeldOpenFile heldOpen(dir.filePath(strHeldName));
    QVERIFY(heldOpen.isHeld());

    QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("Failed to copy file: ") + strHeldName));
    const bool deployed = JLinkAddQN58MCU::deployFiles(dir.path());
    heldOpen.release();

    QVERIFY(!deployed);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        const QByteArray expected = i < held ? bundledFile(names.at(i)) : olderCopy;
        QVERIFY2(readFile(dir.filePath(names.at(i))) == expected, qPrintable(names.at(i)));
    }
}
#else
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
    for (const QString &strName : listedNames().mid(0, earlierCopies)) {
        QVERIFY(writeFile(dir.filePath(strName), olderCopy));
        QVERIFY(QFile::setPermissions(dir.filePath(strName), readOnlyFile));
    }
    const PermissionRestorer restorer(dir.path());
    QVERIFY(QFile::setPermissions(dir.path(), readOnlyFolder));

    QTest::ignoreMessage(QtDebugMsg, "Failed to copy file: QN58Kxxx.JLinkScript");
    const bool deployed = JLinkAddQN58MCU::deployFiles(dir.path());
    restorer.restore();

    QVERIFY(!deployed);
    const QStringList present = QDir(dir.path()).entryList(QDir::Files);
    QCOMPARE(present.size(), earlierCopies);
    for (const QString &name : present)
        QCOMPARE(readFile(dir.filePath(name)), olderCopy);
}
#endif

QTEST_MAIN(tst_UnwritableLoaderFolder)
#include "tst_unwritableloaderfolder.moc"
