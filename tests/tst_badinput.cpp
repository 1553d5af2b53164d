#include "databasefixtures.h"
#include "deploymentlist.h"
#include "devicedatabase.h"
#include "heldfolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#ifndef Q_OS_WIN
#include "filesizelimit.h"
#endif

class tst_BadInput : public QObject
{
    Q_OBJECT

private slots:
    void otherEncodings_data();
    void otherEncodings();
    void installationPaths_data();
    void installationPaths();
#ifndef Q_OS_WIN
    // QFile::link makes a shortcut on Windows, a plain file to J-Link and to
    // the installer; Wine makes no symbolic links.
    void databaseBehindLink();
    void loaderLinks_data();
    void loaderLinks();
    // Windows has no file size limit, and a full disk under Wine would be the
    // build machine's.
    void fullDisk_data();
    void fullDisk();
#endif
};

void tst_BadInput::otherEncodings_data()
{
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<QByteArray>("declared");

    QTest::newRow("UTF-16 LE with byte-order mark") << QByteArray("UTF-16LE") << QByteArray("UTF-16");
    QTest::newRow("UTF-16 BE with byte-order mark") << QByteArray("UTF-16BE") << QByteArray("UTF-16");
    QTest::newRow("UTF-8 with byte-order mark") << QByteArray("UTF-8") << QByteArray("UTF-8");
}

// Read whole in its encoding and written back in UTF-8 with nothing lost.
void tst_BadInput::otherEncodings()
{
    QFETCH(QByteArray, codec);
    QFETCH(QByteArray, declared);
    const QByteArray text = otherVendorsDatabase(20).replace("encoding=\"UTF-8\"",
                                                             "encoding=\"" + declared + '"');
    const QByteArray content = encoded(codec.constData(), text);
    QVERIFY(content.size() > text.size()); // the mark is there
    QTemporaryDir dir;
    const QString strDatabase = deviceDatabasePath(dir.path());
    QVERIFY(writeFile(strDatabase, content));
    QDomDocument original;
    QVERIFY(original.setContent(content));

    const JobResult result = runJob(dir.path());
    QCOMPARE(result.nCode, 0);
    const QByteArray saved = readFile(strDatabase);
    QVERIFY(saved.startsWith("<!--")); // UTF-8, without a byte-order mark
    QCOMPARE(ourEntryCount(dir.path()), 528);
    QCOMPARE(splitVendorEntries(strDatabase).strOthers, canonicalXml(original));
}

void tst_BadInput::installationPaths_data()
{
    QTest::addColumn<QString>("folder");   // made below the temporary folder
    QTest::addColumn<QString>("argument"); // relative ones against it as working folder
    QTest::addColumn<bool>("relative");

    QTest::newRow("spaces") << "J-Link V7.92 (x64)" << "J-Link V7.92 (x64)" << false;
    QTest::newRow("non-ASCII letters") << "JLink Ünïcødé 開発" << "JLink Ünïcødé 開発" << false;
    QTest::newRow("trailing slash") << "JLink_V792" << "JLink_V792/" << false;
    QTest::newRow("relative") << "JLink_V792" << "JLink_V792" << true;
    QTest::newRow("relative with dots") << "JLink_V792" << "./other/../JLink_V792" << true;
#ifdef Q_OS_WIN
    // As Windows users type them; elsewhere a backslash is part of a name.
    QTest::newRow("backslashes") << "JLink_V792" << ".\\other\\..\\JLink_V792\\" << true;
#endif
}

void tst_BadInput::installationPaths()
{
    QFETCH(QString, folder);
    QFETCH(QString, argument);
    QFETCH(bool, relative);
    QTemporaryDir dir;
    const QString strFolder = dir.path() + QLatin1Char('/') + folder;
    QVERIFY(QDir().mkpath(strFolder) && QDir().mkpath(dir.path() + QStringLiteral("/other")));
    QVERIFY(writeFile(deviceDatabasePath(strFolder), otherVendorsDatabase(3)));
    const QString strWorkingFolder = QDir::currentPath();
    if (relative)
        QVERIFY(QDir::setCurrent(dir.path()));

    const JobResult result = runJob(relative ? argument : dir.path() + QLatin1Char('/') + argument);
    QDir::setCurrent(strWorkingFolder);
    QCOMPARE(result.nCode, 0);
    QCOMPARE(entryVendors(strFolder).size(), 3 + 528);
    QCOMPARE(QDir(strFolder + loaderFolder).entryList(QDir::Files).size(), 266);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 2);
}

#ifndef Q_OS_WIN
// The link stays; the file it names takes the entries.
void tst_BadInput::databaseBehindLink()
{
    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    const QString strTarget = elsewhere.path() + QStringLiteral("/devices.xml");
    QVERIFY(writeFile(strTarget, otherVendorsDatabase(5)));
    const QString strDatabase = deviceDatabasePath(dir.path());
    QVERIFY(QFile::link(strTarget, strDatabase));

    QCOMPARE(runJob(dir.path()).nCode, 0);
    QCOMPARE(QFileInfo(strDatabase).symLinkTarget(), strTarget);
    QCOMPARE(ourEntryCount(dir.path()), 528);
    QCOMPARE(entryVendors(dir.path()).size(), 5 + 528);
    QCOMPARE(QDir(elsewhere.path()).entryList(QDir::Files), QStringList{QStringLiteral("devices.xml")});
}

void tst_BadInput::loaderLinks_data()
{
    QTest::addColumn<PathChange>("makeTarget");

    QTest::newRow("file outside the installation") << PathChange([](const QString &strPath) {
        return writeFile(strPath, "precious");
    });
    QTest::newRow("folder outside the installation") << PathChange([](const QString &strPath) {
        return QDir().mkdir(strPath) && writeFile(strPath + QStringLiteral("/inside"), "kept");
    });
    QTest::newRow("nothing (dangling)") << PathChange([](const QString &) { return true; });
}

// A loader's place taken by a link: the link is replaced, or refused by a
// privileged run; what it names is untouched either way.
void tst_BadInput::loaderLinks()
{
    QFETCH(PathChange, makeTarget);
    QTemporaryDir dir;
    QTemporaryDir outside;
    QVERIFY(writeFile(deviceDatabasePath(dir.path()), otherVendorsDatabase(2)));
    QVERIFY(QDir().mkpath(dir.path() + loaderFolder));
    const QString strOutside = outside.path() + QStringLiteral("/precious");
    QVERIFY(makeTarget(strOutside));
    const QMap<QString, QByteArray> outsideBefore = folderContents(outside.path());
    const bool bOutsideExists = QFileInfo::exists(strOutside);
    // The first and a later file of the list, so that a failure cannot hide behind the order.
    const QStringList names{QLatin1String(deploymentList.front()), QLatin1String(deploymentList[100])};
    for (const QString &strName : names)
        QVERIFY(QFile::link(strOutside, dir.path() + loaderFolder + QLatin1Char('/') + strName));

    const bool bRefused = runsPrivileged();
    QCOMPARE(runJob(dir.path()).nCode, bRefused ? 3 : 0);
    for (const QString &strName : names) {
        const QString strTarget = dir.path() + loaderFolder + QLatin1Char('/') + strName;
        QCOMPARE(QFileInfo(strTarget).isSymLink(), bRefused);
        if (!bRefused)
            QCOMPARE(readFile(strTarget), bundledFile(strName));
    }
    if (!bRefused)
        QCOMPARE(QDir(dir.path() + loaderFolder).entryList(QDir::Files).size(), 266);
    QCOMPARE(folderContents(outside.path()), outsideBefore);
    QCOMPARE(QFileInfo::exists(strOutside), bOutsideExists);
}

void tst_BadInput::fullDisk_data()
{
    QTest::addColumn<int>("bytesShort"); // how much less than the new database may be written

    QTest::newRow("nothing but the start fits") << -1;
    QTest::newRow("all but the last byte fits") << 1;
}

// A save that cannot be written fails the job as the removal step does; the
// database keeps its bytes and nothing is deployed.
void tst_BadInput::fullDisk()
{
    QFETCH(int, bytesShort);
    QTemporaryDir dir;
    const QString strDatabase = deviceDatabasePath(dir.path());
    QVERIFY(writeFile(strDatabase, otherVendorsDatabase(200)));
    QCOMPARE(runJob(dir.path()).nCode, 0);
    QVERIFY(QDir(dir.path() + loaderFolder).removeRecursively());
    const QByteArray installed = readFile(strDatabase);

    JobResult result;
    {
        const FileSizeLimit limit(bytesShort < 0 ? 1024 : installed.size() - bytesShort);
        result = runJob(dir.path());
    }
    QCOMPARE(result.nCode, 1);
    QCOMPARE(result.strMessage, accessFailed);
    QVERIFY(!QFileInfo::exists(dir.path() + loaderFolder));
    QCOMPARE(readFile(strDatabase), installed);
}
#endif

QTEST_GUILESS_MAIN(tst_BadInput)
#include "tst_badinput.moc"
