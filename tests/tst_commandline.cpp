#include "databasefixtures.h"
#include "fakeinstallations.h"
#include "temporaryhome.h"
#include "userfolder.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#ifndef Q_OS_WIN
#include "filesizelimit.h"
#endif

// Runs the front end on a J-Link folder of other vendors' entries.
using FolderRun = std::function<ProgramRun(const QString &strFolder)>;
Q_DECLARE_METATYPE(FolderRun)

namespace {

QString line(const QString &strFolder, const QString &strText)
{
    return QDir::toNativeSeparators(strFolder) + QStringLiteral(": ") + strText;
}

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
    void folderAloneOutcome_data();
    void folderAloneOutcome();
    void commandsOverEveryInstallation();
    void allWithoutInstallationsFindsNothing();
    void userFolderIsMadeAndCleaned();
    void eachTargetOnItsOwn_data();
    void eachTargetOnItsOwn();
    void namedTargets_data();
    void namedTargets();
    void listShowsVersionsAndStatus();
    void jsonOutput_data();
    void jsonOutput();
    void languages_data();
    void languages();

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
    QTest::addColumn<QString>("reason");

    for (const char *name : {"install", "status", "uninstall"}) {
        QTest::addRow("%s without target", name)
            << QStringList{QLatin1String(name)}
            << QLatin1String(name) + QStringLiteral(" needs a target: a folder, --all or --user");
    }
    QTest::newRow("--force alone")
        << QStringList{QStringLiteral("install"), QStringLiteral("--force")}
        << "install needs a target: a folder, --all or --user";
    QTest::newRow("--json where no document is printed")
        << QStringList{QStringLiteral("install"), QStringLiteral("--json"), QStringLiteral("/a")}
        << "install takes no --json";
    QTest::newRow("list with a target")
        << QStringList{QStringLiteral("list"), QStringLiteral("--all")}
        << "list takes no folder, --all, --user or --force";
    QTest::newRow("empty target") << QStringList{QStringLiteral("install"), QString()}
                                  << "A folder name is empty";
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--everywhere")}
                                    << "Unknown option 'everywhere'.";
    QTest::newRow("nothing") << QStringList() << "No command and no J-Link folder given";
    QTest::newRow("target option without command")
        << QStringList{QStringLiteral("--user")} << "No command and no J-Link folder given";
    QTest::newRow("empty folder alone") << QStringList{QString()} << "A folder name is empty";
    QTest::newRow("two folders alone")
        << QStringList{QStringLiteral("/a"), QStringLiteral("/b")}
        << "\"/a\" is no command (install, status, uninstall, list), and a J-Link folder alone "
           "takes nothing more";
    QTest::newRow("folder with --json")
        << QStringList{QStringLiteral("/a"), QStringLiteral("--json")}
        << "\"/a\" is no command (install, status, uninstall, list), and a J-Link folder alone "
           "takes nothing more";
    QTest::newRow("folder with target option")
        << QStringList{QStringLiteral("/a"), QStringLiteral("--all")}
        << "\"/a\" is no command (install, status, uninstall, list), and a J-Link folder alone "
           "takes nothing more";
}

void tst_CommandLine::badUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    const ProgramRun run = runCli(arguments);
    QCOMPARE(run.nExit, 64);
    QVERIFY(run.lines.isEmpty());
    QVERIFY2(run.errors.startsWith(reason.toUtf8() + lineEnd
                                   + "Usage: qn58-jlink-setup-cli <J-Link folder>"),
             run.errors.constData());
}

void tst_CommandLine::helpAndVersion_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("firstLine");

    // The program's name alone, without folder or ".exe".
    QTest::newRow("help") << "--help"
                          << "Usage: qn58-jlink-setup-cli <J-Link folder>";
    QTest::newRow("version") << "--version"
                             << QStringLiteral("qn58-jlink-setup-cli " QN58_VERSION " (Qt %1)")
                                    .arg(QLatin1String(qVersion()));
#ifdef Q_OS_WIN
    // Windows programs take it for help; elsewhere it is a path.
    QTest::newRow("/?") << "/?"
                        << "Usage: qn58-jlink-setup-cli <J-Link folder>";
#endif
}

void tst_CommandLine::helpAndVersion()
{
    QFETCH(QString, option);
    QFETCH(QString, firstLine);
    const ProgramRun run = runCli({option});
    QCOMPARE(run.nExit, 0);
    QCOMPARE(run.lines.value(0), firstLine);
    QCOMPARE(run.errors, QByteArray());
}

void tst_CommandLine::folderAloneOutcome_data()
{
    QTest::addColumn<FolderRun>("run");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("line");

    QTest::newRow("success") << FolderRun([](const QString &strFolder) {
        return runCli({strFolder});
    }) << 0 << jobSucceeded;
    QTest::newRow("removal failed") << FolderRun([](const QString &strFolder) {
        return putFolderInTheWay(strFolder + QStringLiteral("/JLinkDevices.xml")) ? runCli({strFolder})
                                                                              : ProgramRun();
    }) << 1 << accessFailed;
    // Nothing can be created below a plain file.
    QTest::newRow("database cannot be created") << FolderRun([](const QString &strFolder) {
        return runCli({strFolder + QStringLiteral("/JLinkDevices.xml")});
    }) << 1 << "Setup has failed";
    QTest::newRow("deployment failed") << FolderRun([](const QString &strFolder) {
        return putFileInTheWay(strFolder + QStringLiteral("/Devices")) ? runCli({strFolder})
                                                                       : ProgramRun();
    }) << 3 << "Setup has failed";
#ifndef Q_OS_WIN
    // The entries do not fit below the file size limit, as on a full disk;
    // Windows has no such limit.
    QTest::newRow("database cannot be saved") << FolderRun([](const QString &strFolder) {
        const FileSizeLimit limit(65536);
        return runCli({strFolder});
    }) << 1 << accessFailed;
#endif
}

void tst_CommandLine::folderAloneOutcome()
{
    QFETCH(FolderRun, run);
    QFETCH(int, exitCode);
    QFETCH(QString, line);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("JLinkDevices.xml")), otherVendorsDatabase(1)));
    const ProgramRun result = run(dir.path());
    QCOMPARE(result.nExit, exitCode);
    QCOMPARE(result.lines, QStringList{line});
}

void tst_CommandLine::commandsOverEveryInstallation()
{
    const QString strNew = m_installations->add(QStringLiteral("JLink_V794"));
    const QString strOld = m_installations->add(QStringLiteral("JLink_V620c"));
    QVERIFY(writeFile(strOld + QStringLiteral("/JLinkDevices.xml"), otherVendorsDatabase(2)));
    const QString strOthers
        = splitVendorEntries(strOld + QStringLiteral("/JLinkDevices.xml")).strOthers;
    // Named as well as found, it is handled once, as named.
    const QString strNamed = strNew + QLatin1Char('/');
    const QStringList where{strNamed, QStringLiteral("--all"), QStringLiteral("--search-in"),
                            m_installations->discoveryRoot()};
#ifdef Q_OS_WIN
    // Only the registry keeps an installation whose folder is gone.
    const QString strGone = m_installations->add(QStringLiteral("JLink_V780"));
    QVERIFY(QDir(strGone).removeRecursively());
    const QByteArray skipped = QDir::toNativeSeparators(strGone).toUtf8()
        + " (J-Link V7.80): folder missing, skipped" + lineEnd;
#else
    const QByteArray skipped;
#endif

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
        const ProgramRun run = runCli(QStringList{QLatin1String(step.command)} + where);
        const QString strText = QLatin1String(step.text);
        QVERIFY2(run.nExit == step.nExit, step.command);
        QCOMPARE(run.lines, (QStringList{line(strNamed, strText), line(strOld, strText)}));
        QCOMPARE(run.errors, skipped);
        QCOMPARE(ourEntryCount(strNew), step.nEntries);
        QCOMPARE(ourEntryCount(strOld), step.nEntries);
        QCOMPARE(splitVendorEntries(strOld + QStringLiteral("/JLinkDevices.xml")).strOthers,
                 strOthers);
    }
#ifdef Q_OS_WIN
    const ProgramRun list = runCli({QStringLiteral("list"), where.at(2), where.at(3)});
    QVERIFY(list.lines.contains(QDir::toNativeSeparators(strGone)
                                + QStringLiteral(" (J-Link V7.80): folder missing")));
#endif
    // --all installs into the installations only.
    QVERIFY(!QFileInfo::exists(m_strUserFolder));
}

void tst_CommandLine::allWithoutInstallationsFindsNothing()
{
    const ProgramRun run = runCli({QStringLiteral("install"), QStringLiteral("--all"),
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

    ProgramRun run = runCli({QStringLiteral("install"), strUser});
    QCOMPARE(run.nExit, 0);
    QCOMPARE(run.lines, QStringList{line(m_strUserFolder, jobSucceeded)});
    QCOMPARE(run.errors, QByteArray());
    QCOMPARE(ourEntryCount(m_strUserFolder), 528);
    QCOMPARE(runCli({QStringLiteral("status"), strUser}).nExit, 0);

    run = runCli({QStringLiteral("uninstall"), strUser});
    QCOMPARE(run.nExit, 0);
    QCOMPARE(run.lines, QStringList{line(m_strUserFolder, QStringLiteral("removed"))});
    QCOMPARE(ourEntryCount(m_strUserFolder), 0);
    QVERIFY(!QFileInfo::exists(m_strUserFolder + QStringLiteral("/Devices/Kestrilon")));
}

void tst_CommandLine::eachTargetOnItsOwn_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("installedBefore");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("goodLine");
    QTest::addColumn<QString>("badLine");

    // The bad target is a plain file: no database can be made below it.
    // Neither target holds J-Link, so both are given with --force.
    QTest::newRow("install") << "install" << false << 1 << jobSucceeded << "Setup has failed";
    QTest::newRow("status") << "status" << true << 1 << "installed"
                            << "not installed";
    QTest::newRow("uninstall") << "uninstall" << true << 0 << "removed"
                               << "nothing to remove";
}

void tst_CommandLine::eachTargetOnItsOwn()
{
    QFETCH(QString, command);
    QFETCH(bool, installedBefore);
    QFETCH(int, exitCode);
    QFETCH(QString, goodLine);
    QFETCH(QString, badLine);
    QTemporaryDir dir;
    const QString strGood = dir.path() + QStringLiteral("/good");
    const QString strBad = dir.path() + QStringLiteral("/bad");
    QVERIFY(QDir().mkdir(strGood));
    QVERIFY(writeFile(strBad, "a file"));
    QVERIFY(!installedBefore || install(strGood));

    const ProgramRun run = runCli({command, QStringLiteral("--force"), strBad, strGood});
    QCOMPARE(run.nExit, exitCode);
    QCOMPARE(run.lines, (QStringList{line(strBad, badLine), line(strGood, goodLine)}));
    QCOMPARE(readFile(strBad), QByteArray("a file"));
}

void tst_CommandLine::namedTargets_data()
{
    // %1 is the test's folder, %2 the home variable, %3 where installations are looked for.
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QByteArray>("home"); // the home variable's value, unset when null
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("errors");

    for (const char *name : {"install", "status", "uninstall"}) {
        QTest::addRow("%s: missing folder", name)
            << QLatin1String(name) + QStringLiteral(" %1/missing")
            << QByteArray("%1") << 66 << "%1/missing: does not exist" << QString();
        QTest::addRow("%s: folder without J-Link", name)
            << QLatin1String(name) + QStringLiteral(" %1/plain")
            << QByteArray("%1") << 66
            << "%1/plain: not a J-Link installation (no JLinkExe, JLink.exe or J-Link library); "
               "--force takes it all the same"
            << QString();
    }
    const char unknown[] = "The per-user folder is unknown: %2 is not set to an absolute path";
    QTest::newRow("home unset") << "install --user"
                                << QByteArray() << 66 << QString() << QString::fromLatin1(unknown);
    QTest::newRow("home relative") << "install --user"
                                   << QByteArray("home") << 66 << QString()
                                   << QString::fromLatin1(unknown);
    QTest::newRow("list finds nothing")
        << "list --search-in %3"
        << QByteArray() << 0
        << "No J-Link installation found in %3, and no per-user folder: %2 is not set to an "
           "absolute path"
        << QString();
    QTest::newRow("same folder thrice")
        << "status %1/jlink %1/jlink/ %1/plain/../jlink/." << QByteArray("%1") << 1
        << "%1/jlink: not installed" << QString();
    QTest::newRow("missing and present folder")
        << "status %1/missing %1/jlink" << QByteArray("%1") << 66
        << "%1/missing: does not exist\n%1/jlink: not installed" << QString();
#ifdef Q_OS_WIN
    // Only Windows file names ignore case.
    QTest::newRow("same folder in another case") << "status %1/jlink %1/JLINK" << QByteArray("%1") << 1
                                                 << "%1/jlink: not installed" << QString();
#else
    // Windows lets only privileged users make links.
    QTest::newRow("link and its folder") << "status %1/link %1/jlink" << QByteArray("%1") << 1
                                         << "%1/link: not installed" << QString();
#endif
}

void tst_CommandLine::namedTargets()
{
    QFETCH(QString, arguments);
    QFETCH(QByteArray, home);
    QFETCH(int, exitCode);
    QFETCH(QString, lines);
    QFETCH(QString, errors);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("plain")));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("jlink")));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("jlink/JLinkExe")), ""));
#ifndef Q_OS_WIN
    QVERIFY(QFile::link(QStringLiteral("jlink"), dir.filePath(QStringLiteral("link"))));
#endif
    if (home.isNull())
        qunsetenv(homeVariable);
    else
        qputenv(homeVariable, home.replace("%1", QFile::encodeName(QDir::toNativeSeparators(dir.path()))));
    const auto expand = [&](QString strText) {
        return strText.replace(QLatin1String("%1"), dir.path())
            .replace(QLatin1String("%2"), QLatin1String(homeVariable))
            .replace(QLatin1String("%3"), m_installations->discoveryRoot());
    };
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    QStringList words = arguments.split(QLatin1Char(' '));
    for (QString &strWord : words)
        strWord = expand(strWord);
    const ProgramRun run = runCli(words, dir.path());
    QCOMPARE(run.nExit, exitCode);
    QCOMPARE(run.lines.join(QLatin1Char('\n')), QDir::toNativeSeparators(expand(lines)));
    if (!errors.isEmpty())
        errors = expand(errors) + QLatin1String(lineEnd);
    QCOMPARE(QString::fromUtf8(run.errors), errors);
    // Nothing made, neither in the folders named nor in the working folder.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QVERIFY(QDir(dir.filePath(QStringLiteral("plain"))).isEmpty());
}

void tst_CommandLine::listShowsVersionsAndStatus()
{
    const QString strNew = m_installations->add(QStringLiteral("JLink_V794"));
    const QString strOld = m_installations->add(QStringLiteral("JLink_V620c"));
    const QString strCustom = m_installations->add(QStringLiteral("JLink_Custom"));
    QVERIFY(install(strNew));

    const ProgramRun run = runCli(
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
    QCOMPARE(run.errors, QByteArray());
}

namespace {

// strText as a JSON string's content, so that a native path can be put into a document.
QString jsonEscaped(const QString &strText)
{
    const QString strArray
        = QString::fromUtf8(QJsonDocument(QJsonArray{strText}).toJson(QJsonDocument::Compact));
    return strArray.mid(2, strArray.size() - 4);
}

} // namespace

void tst_CommandLine::jsonOutput_data()
{
    // %1 is an installation found as JLink_V794, %2 the per-user folder, %3 where
    // installations are looked for.
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<PathChange>("prepare"); // of the installation's folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("targets"); // the document's array
    QTest::addColumn<QString>("errors");

    const PathChange nothing = [](const QString &) { return true; };
    const PathChange change = [](const QString &strFolder) {
        return install(strFolder)
            && writeFile(strFolder + QStringLiteral("/Devices/Kestrilon/QN58FLM/QN58K212_128.FLM"),
                         "changed");
    };
    const PathChange breakDatabase = [](const QString &strFolder) {
        return writeFile(strFolder + QStringLiteral("/JLinkDevices.xml"), "<DataBase>\n<");
    };
    const QString notInstalled = QStringLiteral(
        R"({"path": "%2", "kind": "per-user folder", "state": "not installed"})");
    const QString changed = QStringLiteral(
        R"({"path": "%1", "kind": "installation", "version": "V7.94", "state": "differs",
            "changedFiles": ["QN58K212_128.FLM"]})");
    QTest::newRow("status: not installed, named")
        << "status --json %1" << nothing << 1
        << R"([{"path": "%1", "kind": "installation", "state": "not installed"}])" << QString();
    QTest::newRow("status: installed, found")
        << "status --all --json --search-in %3"
        << PathChange(install) << 0
        << R"([{"path": "%1", "kind": "installation", "version": "V7.94", "state": "installed"}])"
        << QString();
    QTest::newRow("status: a file changed")
        << "status --json --all --search-in %3"
        << change << 1 << QLatin1Char('[') + changed + QLatin1Char(']') << QString();
    QTest::newRow("status: unreadable")
        << "status --json %1"
        << breakDatabase << 1
        << R"([{"path": "%1", "kind": "installation", "state": "unreadable",
                "reason": "not well-formed at line 2, column 2"}])"
        << "%1/JLinkDevices.xml:2:2: not well-formed";
    QTest::newRow("status: missing folder and the per-user folder")
        << "status --json %4 %2" << nothing << 66
        << QLatin1String(R"([{"path": "%4", "kind": "installation",
                              "state": "does not exist"}, )")
            + notInstalled + QLatin1Char(']')
        << "%4: does not exist";
    QTest::newRow("status: none found")
        << "status --json --all --search-in %3/none" << nothing << 66 << "[]"
        << "No J-Link installation found in %3/none";
    QTest::newRow("list: a file changed")
        << "list --json --search-in %3"
        << change << 0
        << QLatin1Char('[') + changed + QStringLiteral(", ") + notInstalled + QLatin1Char(']')
        << QString();
#ifdef Q_OS_WIN
    // Only the registry keeps an installation whose folder is gone.
    QTest::newRow("list: folder missing")
        << "list --json --search-in %3"
        << PathChange([](const QString &strFolder) { return QDir(strFolder).removeRecursively(); })
        << 0
        << QLatin1String(R"([{"path": "%1", "kind": "installation", "version": "V7.94",
                              "state": "folder missing"}, )")
            + notInstalled + QLatin1Char(']')
        << QString();
#endif
}

void tst_CommandLine::jsonOutput()
{
    QFETCH(QString, arguments);
    QFETCH(PathChange, prepare);
    QFETCH(int, exitCode);
    QFETCH(QString, targets);
    QFETCH(QString, errors);
    const QString strFolder = m_installations->add(QStringLiteral("JLink_V794"));
    QVERIFY(prepare(strFolder));
    // %4 is a folder that does not exist, below %1.
    const auto expand = [&](QString strText, QString (*quote)(const QString &)) {
        return strText.replace(QLatin1String("%4"), quote(strFolder + QStringLiteral("/missing")))
            .replace(QLatin1String("%1"), quote(strFolder))
            .replace(QLatin1String("%2"), quote(m_strUserFolder))
            .replace(QLatin1String("%3"), quote(m_installations->discoveryRoot()));
    };
    const auto plain = [](const QString &strText) { return strText; };
    const auto jsonPath
        = [](const QString &strPath) { return jsonEscaped(QDir::toNativeSeparators(strPath)); };

    QStringList words = arguments.split(QLatin1Char(' '));
    for (QString &strWord : words)
        strWord = expand(strWord, plain);
    const ProgramRun run = runCli(words);
    QCOMPARE(run.nExit, exitCode);
    QJsonParseError error;
    const QJsonDocument document
        = QJsonDocument::fromJson(run.lines.join(QLatin1Char('\n')).toUtf8(), &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    const QJsonDocument expected = QJsonDocument::fromJson(
        QStringLiteral("{\"targets\": %1}").arg(expand(targets, jsonPath)).toUtf8(), &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    QCOMPARE(document.toJson(QJsonDocument::Compact), expected.toJson(QJsonDocument::Compact));
    if (!errors.isEmpty())
        errors = QDir::toNativeSeparators(expand(errors, plain)) + QLatin1String(lineEnd);
    QCOMPARE(QString::fromUtf8(run.errors), errors);
}

void tst_CommandLine::languages_data()
{
    QTest::addColumn<QString>("language");
    for (const char *language : {"C", "de", "ja", "zh_CN"})
        QTest::newRow(language) << language;
}

// Lines follow the user's language; --json and exit codes never do.
void tst_CommandLine::languages()
{
    QFETCH(QString, language);
    const auto run = [](const QStringList &arguments, const QString &strLanguage) {
        // The locale on Linux, LANGUAGE on Windows, where a process cannot
        // be given a display language of its own.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), strLanguage == QLatin1String("C")
                               ? strLanguage
                               : QLocale(strLanguage).name() + QStringLiteral(".UTF-8"));
        environment.insert(QStringLiteral("LANGUAGE"), strLanguage);
        return runCli(arguments, QString(), environment);
    };
    const bool bEnglish = language == QLatin1String("C");
    const ProgramRun help = run({QStringLiteral("--help")}, language);
    QCOMPARE(help.nExit, 0);
    QCOMPARE(help.lines == run({QStringLiteral("--help")}, QStringLiteral("C")).lines, bEnglish);

    const QString strFolder = m_installations->add(QStringLiteral("JLink_V794"));
    const ProgramRun installed = run({strFolder}, language);
    QCOMPARE(installed.nExit, 0);
    QCOMPARE(installed.lines.size(), 1);
    QCOMPARE(installed.lines.first()
                 == QLatin1String("Setup has performed all requested operations successfully"),
             bEnglish);
    for (const QStringList &arguments :
         {QStringList{QStringLiteral("status"), QStringLiteral("--json"), strFolder},
          QStringList{QStringLiteral("list"), QStringLiteral("--json"), QStringLiteral("--search-in"),
                      m_installations->discoveryRoot()}}) {
        const ProgramRun json = run(arguments, language);
        const ProgramRun english = run(arguments, QStringLiteral("C"));
        QCOMPARE(json.nExit, english.nExit);
        QCOMPARE(json.lines, english.lines);
    }
    const QStringList removal{QStringLiteral("uninstall"), strFolder};
    const ProgramRun removed = run(removal, language);
    QCOMPARE(removed.nExit, 0);
    QCOMPARE(removed.lines.value(0) == line(strFolder, QStringLiteral("removed")), bEnglish);
}

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
