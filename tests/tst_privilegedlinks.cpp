// Root installs into and uninstalls from a J-Link folder that an unprivileged
// account owns, with links that account planted. What leads out of the
// installation to what the account does not own is refused; links of root's
// own and the account's links to its own files are followed.
#include "support.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The account that plants the links, as tests/unprivileged.sh runs as.
const char account[] = "nobody";

// Every entry below the folder: kind, owner, mode, and a file's hash.
QStringList listing(const QString &strFolder)
{
    QStringList entries;
    QDirIterator it(strFolder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString strPath = it.next();
        struct stat status;
        lstat(QFile::encodeName(strPath).constData(), &status);
        const QByteArray hash = S_ISREG(status.st_mode)
            ? QCryptographicHash::hash(readFile(strPath), QCryptographicHash::Sha256).toHex()
            : QFile::symLinkTarget(strPath).toUtf8();
        entries << QStringLiteral("%1 %2 %3 %4 %5")
                       .arg(strPath.mid(strFolder.size()))
                       .arg(status.st_mode, 0, 8)
                       .arg(status.st_uid)
                       .arg(status.st_gid)
                       .arg(QLatin1String(hash));
    }
    entries.sort();
    return entries;
}

// Runs a shell command as the account, with the row's folders in its environment.
bool asAccount(const QString &strCommand, const QProcessEnvironment &environment)
{
    const ProgramRun run = runProgram(
        QStringLiteral("setpriv"),
        {QStringLiteral("--reuid=%1").arg(QLatin1String(account)), QStringLiteral("--regid=nogroup"),
         QStringLiteral("--clear-groups"), QStringLiteral("sh"), QStringLiteral("-ec"), strCommand},
        QString(), environment);
    if (run.nExit != 0)
        qWarning() << strCommand << run.errors;
    return run.nExit == 0;
}

} // namespace

class tst_PrivilegedLinks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void plantedLinks_data();
    void plantedLinks();
};

void tst_PrivilegedLinks::initTestCase()
{
    if (!runsAsRoot())
        QSKIP("a run is privileged only as root");
}

void tst_PrivilegedLinks::plantedLinks_data()
{
    QTest::addColumn<QString>("plant"); // run as the account, in its J-Link folder $jlink
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("target"); // what the front end is given
    QTest::addColumn<QString>("refusal"); // on standard error; empty when followed

    const QString installation = QStringLiteral("$jlink");
    const QString loaders = QStringLiteral("mkdir -p Devices/Kestrilon/QN58FLM; ");
    const QString linkOut = QStringLiteral(": not followed: a link owned by nobody that leads to a %1 owned by root");
    const QString ownFolder = QStringLiteral(": refused: a link where the installer makes its own folder");
    struct Place
    {
        const char *name;
        QString plant;
        QString target;
        QString refusal;
    };
    const QList<Place> places = {
        {"the installation folder", QStringLiteral("ln -s \"$victim\" \"$home/JLink\""),
         QStringLiteral("$home/JLink"), QStringLiteral("$home/JLink") + linkOut.arg(QStringLiteral("folder"))},
        {"Devices", QStringLiteral("ln -s \"$victim/Devices\" Devices"), installation,
         QStringLiteral("$jlink/Devices") + linkOut.arg(QStringLiteral("folder"))},
        {"Kestrilon", QStringLiteral("mkdir Devices; ln -s \"$victim/Devices/Kestrilon\" Devices/Kestrilon"),
         installation, QStringLiteral("$jlink/Devices/Kestrilon") + ownFolder},
        {"QN58FLM", QStringLiteral("mkdir -p Devices/Kestrilon; ln -s \"$victim/Devices/Kestrilon/QN58FLM\" Devices/Kestrilon/QN58FLM"),
         installation, QStringLiteral("$jlink/Devices/Kestrilon/QN58FLM") + ownFolder},
        {"a loader", loaders + QStringLiteral("ln -s \"$victim/JLinkExe\" Devices/Kestrilon/QN58FLM/QN58K212_128.FLM"),
         installation,
         QStringLiteral("$jlink/Devices/Kestrilon/QN58FLM/QN58K212_128.FLM: refused: a link where the installer writes its own file")},
        {"the database", QStringLiteral("rm JLinkDevices.xml; ln -s \"$victim/JLinkDevices.xml\" JLinkDevices.xml"),
         installation, QStringLiteral("$jlink/JLinkDevices.xml") + linkOut.arg(QStringLiteral("file"))},
        {"the lock", QStringLiteral("ln -s \"$victim/JLinkExe\" qn58-jlink-setup.lock"), installation,
         QStringLiteral("$jlink/qn58-jlink-setup.lock: refused: a link where the installer keeps its lock")},
        {"the lock as an old FIFO", QStringLiteral("mkfifo qn58-jlink-setup.lock; touch -d 2000-01-01 qn58-jlink-setup.lock"),
         installation,
         QStringLiteral("$jlink/qn58-jlink-setup.lock: refused: a FIFO or another special file where the installer keeps its lock")},
        {"--user's folder", QStringLiteral("ln -s \"$victim\" \"$home/.config\""), QStringLiteral("--user"),
         QStringLiteral("$home/.config") + linkOut.arg(QStringLiteral("folder"))},
        {"--user with the account's HOME", QString(), QStringLiteral("--user"),
         QStringLiteral("$home/.config/SEGGER/JLinkDevices: refused: the per-user folder belongs to nobody, not to this account")},
        // What stays followed: root's own link, and the account's to its own files.
        {"root's link to its installation", QString(), QStringLiteral("$rootlink"), QString()},
        {"the account's database elsewhere", QStringLiteral("mv JLinkDevices.xml \"$home/devices.xml\"; ln -s \"$home/devices.xml\" JLinkDevices.xml"),
         installation, QString()},
        {"the account's Devices elsewhere", QStringLiteral("mkdir \"$home/Devices\"; ln -s \"$home/Devices\" Devices"),
         installation, QString()},
    };
    for (const Place &place : places) {
        for (const QString &strCommand : {QStringLiteral("install"), QStringLiteral("uninstall")})
            QTest::addRow("%s, %s", place.name, qPrintable(strCommand))
                << place.plant << strCommand << place.target << place.refusal;
    }
}

void tst_PrivilegedLinks::plantedLinks()
{
    QFETCH(QString, plant);
    QFETCH(QString, command);
    QFETCH(QString, target);
    QFETCH(QString, refusal);

    // $base/home belongs to the account: its J-Link, its files and its HOME.
    // $base/victim is root's: an installation's worth of names to hit.
    QTemporaryDir base;
    QVERIFY(QFile::setPermissions(base.path(), QFileDevice::Permissions(0x7755)));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QMap<QString, QString> folders = {{QStringLiteral("home"), base.path() + QStringLiteral("/home")},
                                            {QStringLiteral("jlink"), base.path() + QStringLiteral("/home/JLinkAccount")},
                                            {QStringLiteral("victim"), base.path() + QStringLiteral("/victim")},
                                            {QStringLiteral("rootlink"), base.path() + QStringLiteral("/JLink")}};
    for (auto it = folders.cbegin(); it != folders.cend(); ++it)
        environment.insert(it.key(), it.value());
    QVERIFY(QDir().mkpath(folders[QStringLiteral("victim")] + QStringLiteral("/Devices/Kestrilon/QN58FLM")));
    QVERIFY(install(folders[QStringLiteral("victim")]));
    QVERIFY(writeFile(folders[QStringLiteral("victim")] + QStringLiteral("/JLinkExe"), "root's"));
    QVERIFY(QFile::link(folders[QStringLiteral("victim")], folders[QStringLiteral("rootlink")]));
    const QStringList victimBefore = listing(folders[QStringLiteral("victim")]);
    QVERIFY(QDir().mkdir(folders[QStringLiteral("home")]));
    const passwd *const owner = getpwnam(account);
    QVERIFY(owner);
    QCOMPARE(chown(QFile::encodeName(folders[QStringLiteral("home")]).constData(), owner->pw_uid,
                   owner->pw_gid),
             0);
    QVERIFY(asAccount(QStringLiteral("mkdir \"$jlink\"; cd \"$jlink\"; : >JLinkExe; echo '<DataBase>\n</DataBase>' >JLinkDevices.xml; ")
                          + plant,
                      environment));
    if (command == QLatin1String("uninstall") && refusal.isEmpty() && target != QLatin1String("$rootlink"))
        QVERIFY(asAccount(QStringLiteral("cd \"$jlink\"; mkdir -p Devices/Kestrilon/QN58FLM; : >Devices/Kestrilon/QN58FLM/QN58K212_128.FLM"),
                          environment));

    environment.insert(QStringLiteral("HOME"), folders[QStringLiteral("home")]);
    QString strTarget = target;
    QString strRefusal = refusal;
    for (auto it = folders.cbegin(); it != folders.cend(); ++it) {
        strTarget.replace(QLatin1Char('$') + it.key(), it.value());
        strRefusal.replace(QLatin1Char('$') + it.key(), it.value());
    }
    const ProgramRun run = runCli({command, strTarget}, QString(), environment);
    if (strRefusal.isEmpty()) {
        QVERIFY2(run.nExit == 0, run.errors.constData());
        QVERIFY2(run.errors.isEmpty(), run.errors.constData());
    } else {
        QVERIFY(run.nExit != 0);
        QVERIFY2(QString::fromUtf8(run.errors).contains(strRefusal + QLatin1Char('\n')),
                 run.errors.constData());
    }
    // Root's installation changes only where root's own link leads to it.
    if (target != QLatin1String("$rootlink"))
        QCOMPARE(listing(folders[QStringLiteral("victim")]), victimBefore);
    // What root made in the account's folder is the account's.
    const QString strOwned = QStringLiteral(" %1 ").arg(owner->pw_uid);
    for (const QString &strEntry : listing(folders[QStringLiteral("home")]))
        QVERIFY2(strEntry.contains(strOwned), qPrintable(strEntry));
}

QTEST_GUILESS_MAIN(tst_PrivilegedLinks)
#include "tst_privilegedlinks.moc"
