#include "databasefixtures.h"
#include "devicedatabase.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <exception>

namespace {

const QString saveChild = QStringLiteral(SAVECHILD_PATH);
const int ourEntriesPerRound = 50;

} // namespace

class tst_SaveChild : public QObject
{
    Q_OBJECT

private slots:
    void killedSaveLeavesACompleteDatabase();
    void killedSinglePassLeavesOldOrNewBytes();
    void nonAsciiSurvivesAnyLocale_data();
    void nonAsciiSurvivesAnyLocale();
};

void tst_SaveChild::killedSaveLeavesACompleteDatabase()
{
    QTemporaryDir dir;
    const QString strDatabase = deviceDatabasePath(dir.path());
    QVERIFY(writeFile(strDatabase, otherVendorsDatabase(1000)));
    const QString strOthers = splitVendorEntries(strDatabase).strOthers;
    QVERIFY(!strOthers.isEmpty());

    // One round of the child, to aim the kills across the rounds that follow.
    QElapsedTimer roundTimer;
    roundTimer.start();
    QCOMPARE(runBuiltProgram(saveChild, {dir.path(), QStringLiteral("1")}).nExit, 0);
    const int nRoundMs = int(qMax<qint64>(roundTimer.elapsed(), 1));

    for (int nKill = 0; nKill < 30; ++nKill) {
        QProcess child;
        startBuiltProgram(child, saveChild, {dir.path(), QStringLiteral("0")});
        QVERIFY(child.waitForReadyRead(-1));
        QThread::msleep(QRandomGenerator::global()->bounded(2 * nRoundMs));
        child.kill();
        QVERIFY(child.waitForFinished(-1));
        QVERIFY2(child.exitStatus() == QProcess::CrashExit, child.readAllStandardError().constData());

        const VendorSplit content = splitVendorEntries(strDatabase);
        const QString strWhen = QStringLiteral("kill %1: %2 of our entries").arg(nKill).arg(content.nOurs);
        QVERIFY2(content.nOurs == 0 || content.nOurs == ourEntriesPerRound, qPrintable(strWhen));
        QCOMPARE(content.strOthers, strOthers);
    }
}

// Each kill lands somewhere in one pass from the same old database: the file
// then holds the old bytes or those of a whole pass, never anything between.
void tst_SaveChild::killedSinglePassLeavesOldOrNewBytes()
{
    QTemporaryDir dir;
    const QString strDatabase = deviceDatabasePath(dir.path());
    const QByteArray before = otherVendorsDatabase(2000);
    QVERIFY(writeFile(strDatabase, before));
    const QStringList arguments{dir.path(), QStringLiteral("1"), QStringLiteral("single-pass")};
    QElapsedTimer roundTimer;
    roundTimer.start();
    QCOMPARE(runBuiltProgram(saveChild, arguments).nExit, 0);
    const int nRoundMs = int(qMax<qint64>(roundTimer.elapsed(), 1));
    const QByteArray after = readFile(strDatabase);
    QVERIFY(after != before);

    int nOld = 0;
    for (int nKill = 0; nKill < 30; ++nKill) {
        QVERIFY(writeFile(strDatabase, before));
        QProcess child;
        // It may be killed while it starts.
        detachFromConsole(child);
        startBuiltProgram(child, saveChild, arguments);
        QVERIFY(child.waitForStarted(-1));
        QThread::msleep(QRandomGenerator::global()->bounded(nRoundMs + 1));
        child.kill();
        QVERIFY(child.waitForFinished(-1));
        const QByteArray content = readFile(strDatabase);
        QVERIFY2(content == before || content == after,
                 qPrintable(QStringLiteral("kill %1: %2 bytes").arg(nKill).arg(content.size())));
        if (content == before)
            ++nOld;
    }
    qInfo("%d of 30 kills left the old bytes, %d those of a whole pass", nOld, 30 - nOld);
}

void tst_SaveChild::nonAsciiSurvivesAnyLocale_data()
{
    QTest::addColumn<QString>("lang");
    QTest::newRow("LANG=C") << "C";
    QTest::newRow("POSIX") << "POSIX";
    QTest::newRow("unset") << "";
    QTest::newRow("C.UTF-8") << "C.UTF-8";
}

void tst_SaveChild::nonAsciiSurvivesAnyLocale()
{
    QFETCH(QString, lang);

    QTemporaryDir dir;
    const QString strDatabase = deviceDatabasePath(dir.path());
    QVERIFY(writeFile(strDatabase, otherVendorsDatabase(3)));
    const QString strOthers = splitVendorEntries(strDatabase).strOthers;

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LC_ALL", "LC_CTYPE", "LANG", "LANGUAGE"})
        environment.remove(QLatin1String(name));
    if (!lang.isEmpty())
        environment.insert(QStringLiteral("LANG"), lang);
    QCOMPARE(runBuiltProgram(saveChild, {dir.path(), QStringLiteral("1")}, QString(), environment).nExit, 0);

    const VendorSplit content = splitVendorEntries(strDatabase);
    QCOMPARE(content.nOurs, ourEntriesPerRound);
    QCOMPARE(content.strOthers, strOthers);
    const QByteArray saved = readFile(strDatabase);
    for (const char *text : {"Gerätedatenbank, © SEGGER", "Nordström &amp; Søn", "内部フラッシュ"})
        QVERIFY2(saved.contains(text), text);
}

QTEST_GUILESS_MAIN(tst_SaveChild)

#include "tst_savechild.moc"
