#include "jlinkaddqn58mcu.h"
#include "support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QLoggingCategory>
#include <QtTest>

#include <stdexcept>

namespace {

const QByteArray olderCopy = "an older copy";

// Deployed: equal to the bundle's file, and writable by its owner so that a
// later run can replace it (root ignores permissions, so they are read).
bool isDeployed(const QString &strFLMPath, const QString &strName)
{
    const QString strTarget = strFLMPath + QLatin1Char('/') + strName;
    return readFile(strTarget) == bundledFile(strName)
        && QFile::permissions(strTarget).testFlag(QFileDevice::WriteOwner);
}

QString failureLine(const QString &strName)
{
    return QStringLiteral("Failed to copy file: ") + strName;
}

} // namespace

class tst_Deployment : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void firstDeploymentCopiesTheWholeBundle();
    void laterDeploymentReplacesEveryFile_data();
    void laterDeploymentReplacesEveryFile();
    void missingFolderFailsAtTheScript();
    void targetThatCannotBeRemovedStopsTheDeployment_data();
    void targetThatCannotBeRemovedStopsTheDeployment();
    void filesNotOnTheListAreLeftAlone();
    void failedCopyThrowsWithTheBareName_data();
    void failedCopyThrowsWithTheBareName();
};

void tst_Deployment::initTestCase()
{
    // The log lines asserted here are off by default.
    QLoggingCategory::setFilterRules(QStringLiteral("qn58.setup.debug=true"));
}

void tst_Deployment::firstDeploymentCopiesTheWholeBundle()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    QVERIFY(JLinkAddQN58MCU::deployFiles(dir.path()));

    QDir folder(dir.path());
    QCOMPARE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), 266);
    for (const QString &name : listedNames())
        QVERIFY2(isDeployed(dir.path(), name), qPrintable(name));
}

void tst_Deployment::laterDeploymentReplacesEveryFile_data()
{
    QTest::addColumn<bool>("readOnly");

    QTest::newRow("writable older copies") << false;
    QTest::newRow("read-only older copies") << true;
}

void tst_Deployment::laterDeploymentReplacesEveryFile()
{
    QFETCH(bool, readOnly);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(JLinkAddQN58MCU::deployFiles(dir.path()));
    for (const QString &name : listedNames()) {
        const QString strTarget = dir.filePath(name);
        QVERIFY(writeFile(strTarget, olderCopy));
        QVERIFY(!readOnly || QFile::setPermissions(strTarget, readOnlyFile));
    }

    QVERIFY(JLinkAddQN58MCU::deployFiles(dir.path()));

    for (const QString &name : listedNames())
        QVERIFY2(isDeployed(dir.path(), name), qPrintable(name));
}

void tst_Deployment::missingFolderFailsAtTheScript()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString strFLMPath = dir.filePath(QStringLiteral("QN58FLM"));

    QTest::ignoreMessage(QtDebugMsg, qPrintable(failureLine(QStringLiteral("QN58Kxxx.JLinkScript"))));
    QVERIFY(!JLinkAddQN58MCU::deployFiles(strFLMPath));

    QVERIFY(!QFileInfo::exists(strFLMPath));
    QVERIFY(QDir(dir.path()).isEmpty());
}

void tst_Deployment::targetThatCannotBeRemovedStopsTheDeployment_data()
{
    QTest::addColumn<int>("blocked");

    QTest::newRow("the script") << 0;
    QTest::newRow("the first loader of a block") << 17;
    QTest::newRow("the last loader") << 265;
}

// A folder in place of a file can be neither removed nor overwritten, for
// root as well: the deployment stops there, the names before it are new and
// the names after it keep their older copies.
void tst_Deployment::targetThatCannotBeRemovedStopsTheDeployment()
{
    QFETCH(int, blocked);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QStringList names = listedNames();
    for (const QString &name : names)
        QVERIFY(writeFile(dir.filePath(name), olderCopy));
    const QString strBlocked = dir.filePath(names.at(blocked));
    QVERIFY(QFile::remove(strBlocked));
    QVERIFY(QDir(dir.path()).mkpath(strBlocked + QStringLiteral("/inside")));

    QTest::ignoreMessage(QtDebugMsg, qPrintable(failureLine(names.at(blocked))));
    QVERIFY(!JLinkAddQN58MCU::deployFiles(dir.path()));

    for (int i = 0; i < blocked; ++i)
        QVERIFY2(isDeployed(dir.path(), names.at(i)), qPrintable(names.at(i)));
    QVERIFY(QFileInfo(strBlocked).isDir());
    for (int i = blocked + 1; i < names.size(); ++i)
        QCOMPARE(readFile(dir.filePath(names.at(i))), olderCopy);
    // No copy that could not take its name stays behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
             names.size());
}

void tst_Deployment::filesNotOnTheListAreLeftAlone()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QStringList others = {QStringLiteral("Other.FLM"), QStringLiteral("QN58K212_64.FLM"),
                                QStringLiteral("QN58Kxxx.JLinkScript.bak"),
                                QStringLiteral("QN58Kxxx/QN58K212_128.FLM")};
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("QN58Kxxx")));
    for (const QString &other : others)
        QVERIFY(writeFile(dir.filePath(other), olderCopy));

    QVERIFY(JLinkAddQN58MCU::deployFiles(dir.path()));

    for (const QString &other : others)
        QCOMPARE(readFile(dir.filePath(other)), olderCopy);
    // The three other files and the other folder.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
             266 + 4);
}

void tst_Deployment::failedCopyThrowsWithTheBareName_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");

    QTest::newRow("missing folder") << "missing" << "QN58K212_128.FLM";
    QTest::newRow("name not in the bundle") << "" << "QN58K212_64.FLM";
}

void tst_Deployment::failedCopyThrowsWithTheBareName()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString strFLMPath = folder.isEmpty() ? dir.path() : dir.filePath(folder);

    QTest::ignoreMessage(QtDebugMsg, qPrintable(failureLine(name)));
    try {
        JLinkAddQN58MCU::copyFlmFile(strFLMPath, name);
        QFAIL("no exception");
    } catch (const std::runtime_error &error) {
        QCOMPARE(QString::fromLatin1(error.what()), failureLine(name));
    }
    QVERIFY(QDir(dir.path()).isEmpty());
}

QTEST_MAIN(tst_Deployment)
#include "tst_deployment.moc"
