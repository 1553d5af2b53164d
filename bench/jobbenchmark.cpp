// Times the installation job and each of its steps on temporary J-Link
// folders whose database holds a given number of other vendors' entries, and
// prints the median per case with the peak memory of the process that ran it,
// so that growth with the size can be read off. Each case runs in a process of
// its own, so that no case's peak hides another's.

#include "databasefixtures.h"
#include "deploymentlist.h"
#include "devicedatabase.h"
#include "heldfolder.h"
#include "installationstatus.h"
#include "jlinkaddqn58mcu.h"
#include "peakmemory.h"
#include "uninstallation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Step = std::function<void(const QString &strJLinkPath)>;

const QString loaderPath = QStringLiteral("/Devices/Kestrilon/QN58FLM");

void runTheJob(const QString &strJLinkPath)
{
    QString strErroInfo;
    if (JLinkAddQN58MCU::runSetup(strJLinkPath, strErroInfo) != 0)
        qFatal("the job failed on %s", qPrintable(strJLinkPath));
}

void updateDatabase(const QString &strJLinkPath)
{
    QString strErroInfo;
    JLinkAddQN58MCU::updateDevices(strJLinkPath, strErroInfo);
}

void removeOld(const QString &strJLinkPath)
{
    QString strErroInfo;
    JLinkAddQN58MCU::removeOldDevices(strJLinkPath, strErroInfo);
}

void registerNew(const QString &strJLinkPath)
{
    QString strErroInfo;
    JLinkAddQN58MCU::registerDevices(strJLinkPath, strErroInfo);
}

void checkStatus(const QString &strJLinkPath)
{
    if (checkInstallation(strJLinkPath).state != InstallationStatus::State::Installed)
        qFatal("status does not find the installation in %s", qPrintable(strJLinkPath));
}

void uninstallAll(const QString &strJLinkPath)
{
    QString strErroInfo;
    if (uninstall(strJLinkPath, strErroInfo) != UninstallResult::Removed)
        qFatal("uninstall failed on %s", qPrintable(strJLinkPath));
}

void deploy(const QString &strJLinkPath)
{
    JLinkAddQN58MCU::deployFiles(strJLinkPath + loaderPath);
}

void prepareLoaderFolder(const QString &strJLinkPath)
{
    QDir().mkpath(strJLinkPath + loaderPath);
}

void nothing(const QString &) {}

// What a fresh installation leaves in its database, made once.
QByteArray freshDatabase()
{
    static const QByteArray text = [] {
        QTemporaryDir dir;
        runTheJob(dir.path());
        return readFile(deviceDatabasePath(dir.path()));
    }();
    return text;
}

// The files a fresh installation writes, written as a simple careful tool
// would: each beside its place, synced and renamed (QSaveFile), then the
// folders synced. Without bSync, each is written beside and renamed alone:
// what the job's syncs cost is the difference.
void writeTheSameFiles(const QString &strJLinkPath, bool bSync)
{
    QDir().mkpath(strJLinkPath + loaderPath);
    const auto write = [bSync](const QString &strPath, const QByteArray &content) {
        QSaveFile file(strPath);
        file.setDirectWriteFallback(false);
        if (bSync) {
            if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
                qFatal("cannot write %s", qPrintable(strPath));
            return;
        }
        QFile beside(strPath + QStringLiteral(".new"));
        if (!beside.open(QIODevice::WriteOnly) || beside.write(content) != content.size()
            || (beside.close(), !QFile::rename(beside.fileName(), strPath)))
            qFatal("cannot write %s", qPrintable(strPath));
    };
    write(deviceDatabasePath(strJLinkPath), freshDatabase());
    for (const char *name : deploymentList) {
        QFile source(QStringLiteral(":/FLMFile/") + QLatin1String(name));
        source.open(QIODevice::ReadOnly);
        write(strJLinkPath + loaderPath + QLatin1Char('/') + QLatin1String(name), source.readAll());
    }
    if (!bSync)
        return;
    for (const QString &strFolder : {strJLinkPath, strJLinkPath + loaderPath}) {
        Reason reason;
        HeldFolder::open(strFolder, reason).sync();
    }
}

void writeEachSynced(const QString &strJLinkPath)
{
    writeTheSameFiles(strJLinkPath, true);
}

void writeUnsynced(const QString &strJLinkPath)
{
    writeTheSameFiles(strJLinkPath, false);
}

struct Case
{
    const char *name;
    int nOthers; // other vendors' entries; -1 for no database at all
    Step prepare; // untimed, once, on the folder every run starts from a copy of
    Step measured;
};

struct Result
{
    double ms = 0;
    qint64 nPeakBytes = 0;
};

std::vector<Case> cases()
{
    std::vector<Case> list{{"job, fresh folder", -1, nothing, runTheJob},
                           {"its files, each synced", -1, nothing, writeEachSynced},
                           {"its files, not synced", -1, nothing, writeUnsynced},
                           {"database steps", 0, nothing, updateDatabase}};
    // Status and uninstall beside the job on the same database.
    for (int nOthers : {0, 1000, 10000, 50000}) {
        list.push_back({"job", nOthers, nothing, runTheJob});
        list.push_back({"status, over an installation", nOthers, runTheJob, checkStatus});
        list.push_back({"uninstall, over an installation", nOthers, runTheJob, uninstallAll});
    }
    for (int nOthers : {1000, 10000, 50000}) {
        list.push_back({"database steps", nOthers, nothing, updateDatabase});
        list.push_back({"job, second run", nOthers, runTheJob, runTheJob});
        list.push_back({"removal, over an installation", nOthers, runTheJob, removeOld});
        list.push_back({"registration", nOthers, nothing, registerNew});
    }
    list.push_back({"deployment", 0, prepareLoaderFolder, deploy});
    return list;
}

// The folder each run of the case starts from: the database, and what the
// case's preparation leaves.
void prepareStart(const Case &c, const QString &strFolder)
{
    const QString strDatabase = deviceDatabasePath(strFolder);
    if (c.nOthers >= 0 && !writeFile(strDatabase, otherVendorsDatabase(c.nOthers)))
        qFatal("cannot write %s", qPrintable(strDatabase));
    c.prepare(strFolder);
}

void copyFolder(const QString &strFrom, const QString &strTo)
{
    QDirIterator it(strFrom, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString strTarget = strTo + it.next().mid(strFrom.size());
        if (!(it.fileInfo().isDir() ? QDir().mkpath(strTarget) : QFile::copy(it.filePath(), strTarget)))
            qFatal("cannot copy %s", qPrintable(it.filePath()));
    }
}

// In this process, each run in a fresh copy of the start, so no run sees
// what another left and no text of the preparation is held while it runs.
Result measure(const Case &c, const QString &strStart, int nRepeat)
{
    std::vector<double> times;
    for (int i = 0; i < nRepeat; ++i) {
        QTemporaryDir dir;
        copyFolder(strStart, dir.path());
        QElapsedTimer timer;
        timer.start();
        c.measured(dir.path());
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], peakResidentBytes()};
}

// In a process of its own, which prints the median and its peak; the start
// is prepared here, so that its peak is the case's alone.
Result measureApart(const Case &c, int nCase, int nRepeat)
{
    QTemporaryDir start;
    prepareStart(c, start.path());
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--case"), QString::number(nCase), QStringLiteral("--start"),
                 start.path(), QString::number(nRepeat)});
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        qFatal("case %d failed", nCase);
    const QList<QByteArray> fields = child.readAllStandardOutput().simplified().split(' ');
    if (fields.size() != 2)
        qFatal("case %d printed no result", nCase);
    return {fields.at(0).toDouble(), fields.at(1).toLongLong()};
}

void printHeader(int nRepeat)
{
    std::printf("median of %d runs per case; peak: resident memory of the process that ran the case\n\n",
                nRepeat);
    std::printf("%-32s %8s %12s %18s %9s\n", "case", "others", "median ms", "us per other entry",
                "peak MB");
}

void printRow(const Case &c, const Result &result)
{
    const double dPeakMB = result.nPeakBytes / (1024.0 * 1024.0);
    if (c.nOthers > 0)
        std::printf("%-32s %8d %12.1f %18.2f %9.1f\n", c.name, c.nOthers, result.ms,
                    result.ms * 1000 / c.nOthers, dPeakMB);
    else
        std::printf("%-32s %8d %12.1f %18s %9.1f\n", c.name, std::max(0, c.nOthers), result.ms, "-",
                    dPeakMB);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times the installation job and its steps."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("runs"), QStringLiteral("Runs per case (default 5)."),
                                 QStringLiteral("[runs]"));
    const QCommandLineOption entries(
        QStringLiteral("entries"),
        QStringLiteral("Only the job, in this process, over <n> other vendors' entries."),
        QStringLiteral("n"));
    const QCommandLineOption saveDatabase(
        QStringLiteral("save-database"),
        QStringLiteral("Only write the database of --entries other vendors' entries to <file>."),
        QStringLiteral("file"));
    QCommandLineOption oneCase(QStringLiteral("case"), QStringLiteral("Runs the case of that index."),
                               QStringLiteral("index"));
    oneCase.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption start(QStringLiteral("start"), QStringLiteral("The case's prepared folder."),
                             QStringLiteral("folder"));
    start.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({entries, saveDatabase, oneCase, start});
    parser.process(app);
    const int nRepeat = std::max(1, parser.positionalArguments().value(0, QStringLiteral("5")).toInt());
    const int nEntries = parser.value(entries).toInt();

    if (parser.isSet(saveDatabase))
        return writeFile(parser.value(saveDatabase), otherVendorsDatabase(nEntries)) ? 0 : 1;
    if (parser.isSet(oneCase)) {
        // Alone, the case prepares its start itself.
        const Case c = cases().at(parser.value(oneCase).toULong());
        QTemporaryDir ownStart;
        if (!parser.isSet(start))
            prepareStart(c, ownStart.path());
        const Result result =
            measure(c, parser.isSet(start) ? parser.value(start) : ownStart.path(), nRepeat);
        std::printf("%.3f %lld\n", result.ms, static_cast<long long>(result.nPeakBytes));
        return 0;
    }
    printHeader(nRepeat);
    if (parser.isSet(entries)) {
        const Case job{"job", nEntries, nothing, runTheJob};
        QTemporaryDir jobStart;
        prepareStart(job, jobStart.path());
        printRow(job, measure(job, jobStart.path(), nRepeat));
        return 0;
    }
    const std::vector<Case> list = cases();
    for (size_t i = 0; i < list.size(); ++i)
        printRow(list[i], measureApart(list[i], int(i), nRepeat));
    return 0;
}
