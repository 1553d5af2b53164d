#include "commandline.h"

#include "installationstatus.h"
#include "jlinkaddqn58mcu.h"
#include "jlinkfolders.h"
#include "outcome.h"
#include "targets.h"
#include "uninstallation.h"
#include "userfolder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <optional>

namespace {

// As sysexits.h names them, and outside the job's codes.
const int exitUsage = 64;
const int exitNoTarget = 66;

const QStringList commands{QStringLiteral("install"), QStringLiteral("status"),
                           QStringLiteral("uninstall"), QStringLiteral("list")};

void printLine(FILE *stream, const QString &strLine)
{
    std::fputs(qUtf8Printable(strLine + QLatin1Char('\n')), stream);
}

QString description(const QString &strProgram)
{
    return QStringLiteral(
               "Usage: %1 <J-Link folder>\n"
               "       %1 install|status|uninstall [--all] [--user] [<folder>...]\n"
               "       %1 list\n"
               "\n"
               "Adds the QN58 devices of Kestrilon to J-Link, checks and removes them.\n"
               "A J-Link folder alone installs into it, as the window does.\n"
               "  install     installs into each target\n"
               "  status      compares each target with exactly what this installer writes\n"
               "  uninstall   removes what this installer wrote from each target\n"
               "  list        the J-Link installations found and the per-user folder\n"
               "A target is a J-Link folder named, each installation found (--all) or\n"
               "the per-user folder (--user), which J-Link V7.62 and later read.")
        .arg(strProgram);
}

const char exitStatusText[]
    = "\n\nExit status:\n"
      "  0   success: installed; every target installed exactly; uninstalled\n"
      "  1-3 install: the job's result for the first target that failed\n"
      "  1   status: a target is not installed, differs or cannot be read;\n"
      "      uninstall: a target could not be cleaned\n"
      "  64  bad usage\n"
      "  66  --all found no J-Link installation, or --user no per-user folder";

struct Options
{
    QCommandLineOption all{QStringLiteral("all"),
                           QStringLiteral("Every J-Link installation found.")};
    QCommandLineOption user{QStringLiteral("user"),
                            QStringLiteral("The per-user folder: %1.").arg(userDeviceFolder())};
    QCommandLineOption searchIn{QStringLiteral("search-in"),
                                QStringLiteral("Where to look for J-Link installations "
                                               "(default: %1).")
                                    .arg(defaultJLinkDiscoveryRoot()),
                                QStringLiteral("place"), defaultJLinkDiscoveryRoot()};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Displays this help.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Displays the version.")};
};

QString usage(const QCommandLineParser &parser)
{
    // The toolkit's own usage line gives way to the one of the description.
    const QString strHelp = parser.helpText();
    return strHelp.mid(strHelp.indexOf(QLatin1Char('\n')) + 1).trimmed()
        + QLatin1String(exitStatusText);
}

int usageError(const QCommandLineParser &parser, const QString &strError)
{
    if (!strError.isEmpty())
        printLine(stderr, strError);
    printLine(stderr, usage(parser));
    return exitUsage;
}

void printTargetLine(const Target &target, const QString &strText)
{
    printLine(stdout, QDir::toNativeSeparators(target.strFolder) + QStringLiteral(": ") + strText);
}

// The job as the window runs it; the per-user folder may not exist yet.
int install(const Target &target, QString &strErroInfo)
{
    if (target.bUserFolder)
        QDir().mkpath(target.strFolder);
    return JLinkAddQN58MCU::runSetup(target.strFolder, strErroInfo);
}

int installAll(const QList<Target> &targets)
{
    int nExit = 0;
    for (const Target &target : targets) {
        QString strErroInfo;
        const int nResult = install(target, strErroInfo);
        printTargetLine(target, outcomeText(nResult, strErroInfo));
        if (nExit == 0)
            nExit = nResult;
    }
    return nExit;
}

int statusAll(const QList<Target> &targets)
{
    int nExit = 0;
    for (const Target &target : targets) {
        const InstallationStatus status = checkInstallation(target.strFolder);
        printTargetLine(target, statusText(status));
        if (status.state != InstallationStatus::State::Installed)
            nExit = 1;
    }
    return nExit;
}

int uninstallAll(const QList<Target> &targets)
{
    int nExit = 0;
    for (const Target &target : targets) {
        QString strErroInfo;
        switch (uninstall(target.strFolder, strErroInfo)) {
        case UninstallResult::Removed:
            printTargetLine(target, QStringLiteral("removed"));
            break;
        case UninstallResult::NothingToRemove:
            printTargetLine(target, QStringLiteral("nothing to remove"));
            break;
        case UninstallResult::Failed:
            printTargetLine(target, strErroInfo);
            nExit = 1;
            break;
        }
    }
    return nExit;
}

QString targetLabel(const Target &target)
{
    if (target.bUserFolder)
        return QStringLiteral("per-user folder");
    return target.strVersion.isEmpty() ? QStringLiteral("J-Link, version unknown")
                                       : QStringLiteral("J-Link ") + target.strVersion;
}

int list(const QList<Target> &targets)
{
    for (const Target &target : targets) {
        printLine(stdout,
                  QStringLiteral("%1 (%2): %3")
                      .arg(QDir::toNativeSeparators(target.strFolder), targetLabel(target),
                           statusText(checkInstallation(target.strFolder))));
    }
    return 0;
}

// Named folders first, then those found, then the per-user folder; each
// target is handled on its own.
int selectTargets(const QCommandLineParser &parser, const Options &options,
                  const QStringList &folders, QList<Target> &targets)
{
    for (const QString &strFolder : folders)
        targets.append(Target{strFolder, QString(), false});
    if (parser.isSet(options.all)) {
        const QList<Target> found = foundInstallations(parser.value(options.searchIn));
        if (found.isEmpty()) {
            printLine(stderr,
                      QStringLiteral("No J-Link installation found in %1")
                          .arg(QDir::toNativeSeparators(parser.value(options.searchIn))));
            return exitNoTarget;
        }
        targets += found;
    }
    if (parser.isSet(options.user)) {
        if (userDeviceFolder().isEmpty()) {
            printLine(stderr, QStringLiteral("This account has no per-user folder"));
            return exitNoTarget;
        }
        targets.append(userFolderTarget(userDeviceFolder()));
    }
    return 0;
}

// As before the commands: one folder, the job's line alone, its result.
int installOneFolder(const QString &strFolder)
{
    QString strErroInfo;
    const int nResult = JLinkAddQN58MCU::runSetup(strFolder, strErroInfo);
    // Always on standard output: the toolkit writes its own notes to standard error.
    printLine(stdout, outcomeText(nResult, strErroInfo));
    return nResult;
}

int runCommand(const QCommandLineParser &parser, const Options &options, const QString &strCommand,
               const QStringList &folders)
{
    QList<Target> targets;
    if (strCommand == QLatin1String("list")) {
        targets = foundInstallations(parser.value(options.searchIn));
        if (!userDeviceFolder().isEmpty())
            targets.append(userFolderTarget(userDeviceFolder()));
        return list(targets);
    }
    const int nProblem = selectTargets(parser, options, folders, targets);
    if (nProblem != 0)
        return nProblem;
    if (strCommand == QLatin1String("install"))
        return installAll(targets);
    if (strCommand == QLatin1String("status"))
        return statusAll(targets);
    return uninstallAll(targets);
}

// Why the targets do not suit the command, if they do not; a J-Link folder
// alone keeps the usage as its only complaint.
std::optional<QString> targetProblem(const QString &strCommand, const QStringList &folders,
                                     bool bTargetOptions)
{
    const bool bTargets = !folders.isEmpty() || bTargetOptions;
    if (!commands.contains(strCommand))
        return bTargets ? std::optional<QString>(QString()) : std::nullopt;
    if (strCommand == QLatin1String("list"))
        return bTargets ? std::optional<QString>(QStringLiteral("list takes no targets"))
                        : std::nullopt;
    return bTargets ? std::nullopt
                    : std::optional<QString>(QStringLiteral("%1: no target").arg(strCommand));
}

} // namespace

int runCommandLine(const QStringList &arguments)
{
    const QString strProgram = QCoreApplication::applicationName();
    const Options options;
    QCommandLineParser parser;
    parser.setApplicationDescription(description(strProgram));
    parser.addOptions({options.all, options.user, options.searchIn, options.help, options.version});
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("install, status, uninstall or list."));
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("J-Link folders."),
                                 QStringLiteral("[<folder>...]"));

    if (!parser.parse(arguments))
        return usageError(parser, parser.errorText());
    if (parser.isSet(options.help)) {
        printLine(stdout, usage(parser));
        return 0;
    }
    if (parser.isSet(options.version)) {
        printLine(stdout, strProgram + QLatin1Char(' ') + QCoreApplication::applicationVersion()
                              + QStringLiteral(" (Qt %1)").arg(QLatin1String(qVersion())));
        return 0;
    }

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty() || positional.contains(QString()))
        return usageError(parser, QString());
    const QString strCommand = positional.takeFirst();
    const bool bTargetOptions = parser.isSet(options.all) || parser.isSet(options.user);
    if (const auto problem = targetProblem(strCommand, positional, bTargetOptions))
        return usageError(parser, *problem);
    if (!commands.contains(strCommand))
        return installOneFolder(strCommand);
    return runCommand(parser, options, strCommand, positional);
}
