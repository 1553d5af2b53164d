#include "databasefixtures.h"
#include "heldfolder.h"
#include "jlinkaddqn58mcu.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

// Gives the reason a call on a J-Link folder fails with.
using ReasonOf = std::function<Reason(const QString &strFolder)>;
Q_DECLARE_METATYPE(ReasonOf)

namespace {

const QString vendorPath = QStringLiteral("/Devices/Kestrilon");

// The job as the console runs it, without waiting for another job.
Reason jobReason(const QString &strFolder)
{
    QString strErroInfo;
    Reason reason;
    JLinkAddQN58MCU::runSetup(strFolder, strErroInfo, reason, std::chrono::milliseconds(0));
    return reason;
}

} // namespace

class tst_Job : public QObject
{
    Q_OBJECT

private slots:
    void runEmitsOneSuccess();
    void obsoleteFolder_data();
    void obsoleteFolder();
    void secondRunChangesNothing();
    void failures_data();
    void failures();
    void reasonsInTheUsersLanguage_data();
    void reasonsInTheUsersLanguage();
    void systemWordsStayAsTheyAre();
};

void tst_Job::runEmitsOneSuccess()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.path() + QStringLiteral("/JLinkDevices.xml"), otherVendorsDatabase(3)));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Devices")));

    const JobResult result = runJob(dir.path());
    QCOMPARE(result.nResults, 1);
    QCOMPARE(result.nCode, 0);
    QCOMPARE(result.strMessage, QString());

    const QStringList vendors = entryVendors(dir.path());
    QCOMPARE(vendors.size(), 3 + 528);
    QCOMPARE(vendors.mid(0, 3).count(QStringLiteral("Nordström & Søn")), 3);
    QCOMPARE(vendors.mid(3).count(QStringLiteral("Kestrilon")), 528);
    QStringList deployed = listedNames();
    deployed.sort();
    QCOMPARE(QDir(dir.path() + loaderFolder).entryList(QDir::Files, QDir::Name), deployed);
}

void tst_Job::obsoleteFolder_data()
{
    QTest::addColumn<bool>("holdsFile");
    QTest::addColumn<bool>("stays");
    QTest::newRow("empty goes") << false << false;
    QTest::newRow("holding a file stays") << true << true;
}

void tst_Job::obsoleteFolder()
{
    QFETCH(bool, holdsFile);
    QFETCH(bool, stays);
    QTemporaryDir dir;
    const QString strObsolete = dir.path() + vendorPath + QStringLiteral("/QN58Kxxx");
    QVERIFY(QDir().mkpath(strObsolete));
    if (holdsFile)
        QVERIFY(writeFile(strObsolete + QStringLiteral("/QN58K212_128.FLM"), "old loader"));

    QVERIFY(install(dir.path()));
    QCOMPARE(QFileInfo::exists(strObsolete), stays);
    if (holdsFile)
        QCOMPARE(readFile(strObsolete + QStringLiteral("/QN58K212_128.FLM")), QByteArray("old loader"));
}

void tst_Job::secondRunChangesNothing()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.path() + QStringLiteral("/JLinkDevices.xml"), otherVendorsDatabase(2)));
    QVERIFY(install(dir.path()));
    const QString strFirst = canonicalXml(loadXml(dir.path() + QStringLiteral("/JLinkDevices.xml")));
    const QMap<QString, QByteArray> firstFiles = folderContents(dir.path() + loaderFolder);

    QVERIFY(install(dir.path()));
    QCOMPARE(canonicalXml(loadXml(dir.path() + QStringLiteral("/JLinkDevices.xml"))), strFirst);
    QCOMPARE(folderContents(dir.path() + loaderFolder), firstFiles);
    QCOMPARE(ourEntryCount(dir.path()), 528);
}

void tst_Job::failures_data()
{
    QTest::addColumn<QString>("folderInTheWay"); // where a file must be
    QTest::addColumn<QString>("fileInTheWay");   // where a folder must be
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("vendorEntries"); // -1: no database to count them in
    QTest::addColumn<QString>("reason");    // in the user's language, marked as translated

    const QString notMade
        = QStringLiteral("[the folder \"Devices/Kestrilon/QN58FLM\" could not be made]");
    QTest::newRow("database is a folder") << "/JLinkDevices.xml" << QString() << 1
                                          << accessFailed << -1 << "[not a plain file]";
    QTest::newRow("devices folder is a file") << QString() << "/Devices" << 3
                                              << "Setup has failed" << 528 << notMade;
    QTest::newRow("loader folder is a file") << QString() << loaderFolder << 3
                                             << "Setup has failed" << 528 << notMade;
}

// The window's job reports the outcome of the step that failed, once.
void tst_Job::failures()
{
    QFETCH(QString, folderInTheWay);
    QFETCH(QString, fileInTheWay);
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(int, vendorEntries);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(folderInTheWay.isEmpty() || putFolderInTheWay(dir.path() + folderInTheWay));
    QVERIFY(fileInTheWay.isEmpty() || putFileInTheWay(dir.path() + fileInTheWay));

    const MarkedTranslation translation({QStringLiteral("Reason")});
    const JobResult result = runJob(dir.path());
    QCOMPARE(result.nResults, 1);
    QCOMPARE(result.nCode, code);
    QCOMPARE(result.strMessage, message);
    QCOMPARE(result.strReason, reason);
    if (vendorEntries >= 0)
        QCOMPARE(ourEntryCount(dir.path()), vendorEntries);
    if (!fileInTheWay.isEmpty())
        QCOMPARE(readFile(dir.path() + fileInTheWay), inTheWay);
}

void tst_Job::reasonsInTheUsersLanguage_data()
{
    // %1 is the J-Link folder.
    QTest::addColumn<ReasonOf>("reasonOf");
    QTest::addColumn<QString>("text");       // in English, for --json, the log and scripts
    QTest::addColumn<QString>("translated"); // marked as translated
    QTest::addColumn<QString>("diagnostic"); // the console's line, the file first

    QTest::newRow("not well-formed") << ReasonOf([](const QString &strFolder) {
        return writeFile(deviceDatabasePath(strFolder), "<DataBase>\n<") ? jobReason(strFolder)
                                                                          : Reason();
    }) << "not well-formed at line 2, column 2" << "[not well-formed at line 2, column 2]"
       << "%1/JLinkDevices.xml:2:2: [not well-formed]";
    // An account's name is never translated, nor read for placeholders.
    QTest::newRow("words and names") << ReasonOf([](const QString &strFolder) {
        return Reason::withWords("a %1 owned by %2 that leads to a %3 owned by %4", strFolder,
                                 {Reason::Word{"junction"}, QStringLiteral("%3"),
                                  Reason::Word{"file"}, QStringLiteral("link")});
    }) << "a junction owned by %3 that leads to a file owned by link"
       << "[a [junction] owned by %3 that leads to a [file] owned by link]"
       << "%1: [a [junction] owned by %3 that leads to a [file] owned by link]";
}

void tst_Job::reasonsInTheUsersLanguage()
{
    QFETCH(ReasonOf, reasonOf);
    QFETCH(QString, text);
    QFETCH(QString, translated);
    QFETCH(QString, diagnostic);
    QTemporaryDir dir;
    const MarkedTranslation translation({QStringLiteral("Reason")});
    const Reason reason = reasonOf(dir.path());
    QCOMPARE(reason.text(), text);
    QCOMPARE(reason.translated(), translated);
    QCOMPARE(reason.diagnostic(),
             QDir::toNativeSeparators(diagnostic.replace(QLatin1String("%1"), dir.path())));
}

// The system's words are shown as the system gave them.
void tst_Job::systemWordsStayAsTheyAre()
{
    QTemporaryDir dir;
    const MarkedTranslation translation({QStringLiteral("Reason")});
#ifdef Q_OS_WIN
    // A name no Windows file system takes.
    const QString strPath = dir.filePath(QStringLiteral("x?y"));
#else
    // Longer than any file system takes.
    const QString strPath = dir.filePath(QString(300, QLatin1Char('x')));
#endif
    Reason reason;
    QVERIFY(!HeldFolder::open(strPath, reason).isOpen());
    QVERIFY(!reason.text().isEmpty());
    QCOMPARE(reason.translated(), reason.text());
    QCOMPARE(reason.diagnostic(), QDir::toNativeSeparators(strPath) + QStringLiteral(": ")
                                      + reason.text());
}

QTEST_GUILESS_MAIN(tst_Job)
#include "tst_job.moc"
