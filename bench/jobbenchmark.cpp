// Times the installation job and each of its steps on temporary J-Link
// folders whose database holds a given number of other vendors' entries,
// and prints the median per case, so that growth with the size can be read off.

#include "databasefixtures.h"
#include "jlinkaddqn58mcu.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Step = std::function<void(const QString &strJLinkPath)>;

const QString loaderPath = QStringLiteral("/Devices/Kestrilon/QN58FLM");

void runJob(const QString &strJLinkPath)
{
    QString strErroInfo;
    if (JLinkAddQN58MCU::runSetup(strJLinkPath, strErroInfo) != 0)
        qFatal("the job failed on %s", qPrintable(strJLinkPath));
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

void deploy(const QString &strJLinkPath)
{
    JLinkAddQN58MCU::deployFiles(strJLinkPath + loaderPath);
}

void prepareLoaderFolder(const QString &strJLinkPath)
{
    QDir().mkpath(strJLinkPath + loaderPath);
}

void nothing(const QString &) {}

struct Case
{
    const char *name;
    int nOthers; // other vendors' entries; -1 for no database at all
    Step prepare; // untimed, on the fresh folder
    Step measured;
};

// Each repetition gets a fresh folder, so no run sees what another left.
double medianMilliseconds(const Case &c, const QByteArray &database, int nRepeat)
{
    std::vector<double> times;
    for (int i = 0; i < nRepeat; ++i) {
        QTemporaryDir dir;
        if (c.nOthers >= 0)
            writeFile(dir.path() + QStringLiteral("/JLinkDevices.xml"), database);
        c.prepare(dir.path());
        QElapsedTimer timer;
        timer.start();
        c.measured(dir.path());
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::vector<Case> cases()
{
    std::vector<Case> list{{"job, fresh folder", -1, nothing, runJob},
                           {"job, empty database", 0, nothing, runJob}};
    for (int nOthers : {1000, 10000, 50000}) {
        list.push_back({"job", nOthers, nothing, runJob});
        list.push_back({"job, second run", nOthers, runJob, runJob});
        list.push_back({"removal, over an installation", nOthers, runJob, removeOld});
        list.push_back({"registration", nOthers, nothing, registerNew});
    }
    list.push_back({"deployment", 0, prepareLoaderFolder, deploy});
    return list;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int nRepeat = arguments.size() > 1 ? std::max(1, arguments.at(1).toInt()) : 5;

    std::printf("median of %d runs per case\n\n", nRepeat);
    std::printf("%-32s %8s %12s %18s\n", "case", "others", "median ms", "us per other entry");
    int nCachedOthers = -2;
    QByteArray database;
    for (const Case &c : cases()) {
        if (c.nOthers != nCachedOthers) {
            database = otherVendorsDatabase(std::max(0, c.nOthers));
            nCachedOthers = c.nOthers;
        }
        const double ms = medianMilliseconds(c, database, nRepeat);
        if (c.nOthers > 0)
            std::printf("%-32s %8d %12.1f %18.2f\n", c.name, c.nOthers, ms, ms * 1000 / c.nOthers);
        else
            std::printf("%-32s %8d %12.1f %18s\n", c.name, std::max(0, c.nOthers), ms, "-");
        std::fflush(stdout);
    }
    return 0;
}
