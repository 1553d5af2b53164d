#include "deploymentlist.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The build takes the vendor's loaders from a folder only when it holds
// exactly the deployment list; this runs that check of the build on its own.
class tst_LoaderFolder : public QObject
{
    Q_OBJECT

private slots:
    void folderMustHoldExactlyTheList_data();
    void folderMustHoldExactlyTheList();
};

void tst_LoaderFolder::folderMustHoldExactlyTheList_data()
{
    QTest::addColumn<QStringList>("leftOut");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<bool>("accepted");

    const QStringList none;
    QTest::newRow("exactly the list") << none << none << true;
    QTest::newRow("the script missing") << QStringList{QStringLiteral("QN58Kxxx.JLinkScript")} << none
                                        << false;
    QTest::newRow("two loaders missing")
        << QStringList{QStringLiteral("QN58K212_128.FLM"), QStringLiteral("VC71K228_USD.FLM")} << none
        << false;
    QTest::newRow("a loader not on the list")
        << none << QStringList{QStringLiteral("QN58K212_64.FLM")} << false;
    QTest::newRow("a hidden file") << none << QStringList{QStringLiteral(".listing")} << false;
    QTest::newRow("a folder") << none << QStringList{QStringLiteral("old/")} << false;
}

void tst_LoaderFolder::folderMustHoldExactlyTheList()
{
    QFETCH(QStringList, leftOut);
    QFETCH(QStringList, added);
    QFETCH(bool, accepted);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char *name : deploymentList) {
        const QString strName = QString::fromLatin1(name);
        if (!leftOut.contains(strName))
            QVERIFY(QFile(dir.filePath(strName)).open(QIODevice::WriteOnly));
    }
    for (const QString &name : added) {
        if (name.endsWith(QLatin1Char('/')))
            QVERIFY(QDir(dir.path()).mkdir(name));
        else
            QVERIFY(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
    }

    QProcess cmake;
    cmake.start(QString::fromLocal8Bit(QN58_CMAKE_COMMAND),
                {QStringLiteral("-DQN58_LOADER_DIR=") + dir.path(), QStringLiteral("-P"),
                 QString::fromLocal8Bit(QN58_CHECK_SCRIPT)});
    QVERIFY(cmake.waitForFinished(-1));
    const QString output = QString::fromLocal8Bit(cmake.readAllStandardError());

    QCOMPARE(cmake.exitCode() == 0, accepted);
    // The message names every file that is missing or does not belong there.
    for (QString name : leftOut + added)
        QVERIFY2(output.contains(name.remove(QLatin1Char('/'))), qPrintable(output));
}

QTEST_MAIN(tst_LoaderFolder)
#include "tst_loaderfolder.moc"
