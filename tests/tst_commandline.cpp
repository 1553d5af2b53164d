#include "databasefixtures.h"
#include "fakeinstallations.h"
#include "temporaryhome.h"
#include "userfolder.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    int nExit = -1;
    QStringList lines; // standard output
    QByteArray errors;
};

Run runCli(const QStringList &arguments)
{
    QProcess cli;
    cli.start(QStringLiteral(QN58_CLI_PATH), arguments);
    Run run;
    if (!cli.waitForFinished(-1) || cli.exitStatus() != QProcess::NormalExit)
        return run;
    run.nExit = cli.exitCode();
    run.lines = QString::fromUtf8(cli.readAllStandardOutput())
                    .split(QLatin1String(lineEnd), Qt::SkipEmptyParts);
    run.errors = cli.readAllStandardError();
    return run;
}

QString line(const QString &strFolder, const QString &strText)
{
    return QDir::toNativeSeparators(strFolder) + QStringLiteral(": ") + strText;
}

int vendorEntryCount(const QString &strFolder)
{
    return entryVendors(strFolder).count(QStringLiteral("Kestrilon"));
}

const QString installed
    = QStringLiteral("Setup has performed all requested operations successfully");

} // namespace

class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void badUsage_data();
    void badUsage();
    void helpAndVersion_data();
    void helpAndVersion();
    void commandsOverEveryInstallation();
    void allWithoutInstallationsFindsNothing();
    void userFolderIsMadeAndCleaned();
    void eachTargetOnItsOwn_data();
    void eachTargetOnItsOwn();
    void listShowsVersionsAndStatus();

private:
    QScopedPointer<QTemporaryDir> m_home;
    QScopedPointer<TemporaryHome> m_temporaryHome;
    QScopedPointer<FakeInstallations> m_installations;
    QString m_strUserFolder;
};

void tst_CommandLine::init()
{
    m_home.reset(new QTemporaryDir);
    m_temporaryHome.reset(new TemporaryHome(QDir::toNativeSeparators(m_home->path())));
    m_installations.reset(new FakeInstallations);
    // The path itself is checked on its own; here it must lie below the test's home.
    m_strUserFolder = userDeviceFolder();
    QVERIFY2(m_strUserFolder.startsWith(QDir::toNativeSeparators(m_home->path())),
             qPrintable(m_strUserFolder));
}

void tst_CommandLine::cleanup()
{
    m_installations.reset();
    m_temporaryHome.reset();
    m_home.reset();
}

void tst_CommandLine::badUsage_data()
{
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("install without target") << QStringList{QStringLiteral("install")};
    QTest::newRow("status without target") << QStringList{QStringLiteral("status")};
    QTest::newRow("uninstall without target") << QStringList{QStringLiteral("uninstall")};
    QTest::newRow("list with a target")
        << QStringList{QStringLiteral("list"), QStringLiteral("--all")};
    QTest::newRow("empty target") << QStringList{QStringLiteral("install"), QString()};
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--everywhere")};
    QTest::newRow("target option without command") << QStringList{QStringLiteral("--user")};
    QTest::newRow("folder with target option")
        << QStringList{QStringLiteral("/a"), QStringLiteral("--all")};
}

void tst_CommandLine::badUsage()
{
    QFETCH(QStringList, arguments);
    const Run run = runCli(arguments);
    QCOMPARE(run.nExit, 64);
    QVERIFY(run.lines.isEmpty());
    QVERIFY2(run.errors.contains("Usage: qn58-jlink-setup-cli <J-Link folder>"),
             run.errors.constData());
}

void tst_CommandLine::helpAndVersion_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("firstLine");

    QTest::newRow("help") << "--help"
                          << "Usage: qn58-jlink-setup-cli <J-Link folder>";
    QTest::newRow("version") << "--version"
                             << QStringLiteral("qn58-jlink-setup-cli " QN58_VERSION " (Qt %1)")
                                    .arg(QLatin1String(qVersion()));
}

void tst_CommandLine::helpAndVersion()
{
    QFETCH(QString, option);
    QFETCH(QString, firstLine);
    const Run run = runCli({option});
    QCOMPARE(run.nExit, 0);
    QCOMPARE(run.lines.value(0), firstLine);
}

void tst_CommandLine::commandsOverEveryInstallation()
{
    const QString strNew = m_installations->add(QStringLiteral("JLink_V794"));
    const QString strOld = m_installations->add(QStringLiteral("JLink_V620c"));
    QVERIFY(writeFile(strOld + QStringLiteral("/JLinkDevices.xml"), otherVendorsDatabase(2)));
    const QString strOthers
        = splitVendorEntries(strOld + QStringLiteral("/JLinkDevices.xml")).strOthers;
    const QStringList where{QStringLiteral("--all"), QStringLiteral("--search-in"),
                            m_installations->discoveryRoot()};

    struct Step
    {
        const char *command;
        int nExit;
        const char *text;
        int nEntries;
    };
    const Step steps[] = {
        {"status", 1, "not installed", 0},
        {"install", 0, "Setup has performed all requested operations successfully", 528},
        {"status", 0, "installed", 528},
        {"install", 0, "Setup has performed all requested operations successfully", 528},
        {"uninstall", 0, "removed", 0},
        {"uninstall", 0, "nothing to remove", 0},
        {"status", 1, "not installed", 0},
    };
    for (const Step &step : steps) {
        const Run run = runCli(QStringList{QLatin1String(step.command)} + where);
        const QString strText = QLatin1String(step.text);
        QVERIFY2(run.nExit == step.nExit, step.command);
        QCOMPARE(run.lines, (QStringList{line(strNew, strText), line(strOld, strText)}));
        QCOMPARE(vendorEntryCount(strNew), step.nEntries);
        QCOMPARE(vendorEntryCount(strOld), step.nEntries);
        QCOMPARE(splitVendorEntries(strOld + QStringLiteral("/JLinkDevices.xml")).strOthers,
                 strOthers);
    }
    // --all installs into the installations only.
    QVERIFY(!QFileInfo::exists(m_strUserFolder));
}

void tst_CommandLine::allWithoutInstallationsFindsNothing()
{
    const Run run = runCli({QStringLiteral("install"), QStringLiteral("--all"),
                            QStringLiteral("--search-in"), m_installations->discoveryRoot()});
    QCOMPARE(run.nExit, 66);
    QVERIFY(run.lines.isEmpty());
}

void tst_CommandLine::userFolderIsMadeAndCleaned()
{
    const QString strUser = QStringLiteral("--user");
    QCOMPARE(runCli({QStringLiteral("status"), strUser}).lines,
             QStringList{line(m_strUserFolder, QStringLiteral("not installed"))});
    // Looking does not make the folder.
    QVERIFY(!QFileInfo::exists(m_strUserFolder));

    Run run = runCli({QStringLiteral("install"), strUser});
    QCOMPARE(run.nExit, 0);
    QCOMPARE(run.lines, QStringList{line(m_strUserFolder, installed)});
    QCOMPARE(vendorEntryCount(m_strUserFolder), 528);
    QCOMPARE(runCli({QStringLiteral("status"), strUser}).nExit, 0);

    run = runCli({QStringLiteral("uninstall"), strUser});
    QCOMPARE(run.nExit, 0);
    QCOMPARE(run.lines, QStringList{line(m_strUserFolder, QStringLiteral("removed"))});
    QCOMPARE(vendorEntryCount(m_strUserFolder), 0);
    QVERIFY(!QFileInfo::exists(m_strUserFolder + QStringLiteral("/Devices/Kestrilon")));
}

void tst_CommandLine::eachTargetOnItsOwn_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("goodLine");
    QTest::addColumn<QString>("badLine");

    // The bad target is a plain file: no database can be made below it.
    QTest::newRow("install") << "install" << 1 << installed << "Setup has failed";
    QTest::newRow("status") << "status" << 1 << "installed"
                            << "not installed";
    QTest::newRow("uninstall") << "uninstall" << 0 << "removed"
                               << "nothing to remove";
}

void tst_CommandLine::eachTargetOnItsOwn()
{
    QFETCH(QString, command);
    QFETCH(int, exitCode);
    QFETCH(QString, goodLine);
    QFETCH(QString, badLine);
    QTemporaryDir dir;
    const QString strGood = dir.path() + QStringLiteral("/good");
    const QString strBad = dir.path() + QStringLiteral("/bad");
    QVERIFY(QDir().mkdir(strGood));
    QVERIFY(writeFile(strBad, "a file"));
    if (command != QLatin1String("install"))
        QCOMPARE(runCli({QStringLiteral("install"), strGood}).nExit, 0);

    const Run run = runCli({command, strBad, strGood});
    QCOMPARE(run.nExit, exitCode);
    QCOMPARE(run.lines, (QStringList{line(strBad, badLine), line(strGood, goodLine)}));
    QCOMPARE(readFile(strBad), QByteArray("a file"));
}

void tst_CommandLine::listShowsVersionsAndStatus()
{
    const QString strNew = m_installations->add(QStringLiteral("JLink_V794"));
    const QString strOld = m_installations->add(QStringLiteral("JLink_V620c"));
    const QString strCustom = m_installations->add(QStringLiteral("JLink_Custom"));
    QCOMPARE(runCli({QStringLiteral("install"), strNew}).nExit, 0);

    const Run run = runCli(
        {QStringLiteral("list"), QStringLiteral("--search-in"), m_installations->discoveryRoot()});
    QCOMPARE(run.nExit, 0);
    QCOMPARE(
        run.lines,
        (QStringList{
            QDir::toNativeSeparators(strNew) + QStringLiteral(" (J-Link V7.94): installed"),
            QDir::toNativeSeparators(strOld) + QStringLiteral(" (J-Link V6.20c): not installed"),
            QDir::toNativeSeparators(strCustom)
                + QStringLiteral(" (J-Link, version unknown): not installed"),
            m_strUserFolder + QStringLiteral(" (per-user folder): not installed")}));
}

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
