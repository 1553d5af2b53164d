#include "commandline.h"

#include "console.h"
#include "installationstatus.h"
#include "jlinkaddqn58mcu.h"
#include "jlinkfolders.h"
#include "outcome.h"
#include "targetjson.h"
#include "targets.h"
#include "uninstallation.h"
#include "userfolder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

namespace {

// As sysexits.h names them, and outside the job's codes.
const int exitUsage = 64;
const int exitNoTarget = 66;

QString userFolderUnknown()
{
    return QStringLiteral("%1 is not set to an absolute path")
        .arg(QLatin1String(userFolderVariable));
}

QString userFolderHelp()
{
    const QString strFolder = userDeviceFolder();
    if (strFolder.isEmpty())
        return QStringLiteral("The per-user folder, unknown here: %1.").arg(userFolderUnknown());
    return QStringLiteral("The per-user folder: %1.").arg(strFolder);
}

struct Options
{
    QCommandLineOption all{QStringLiteral("all"),
                           QStringLiteral("Every J-Link installation found.")};
    QCommandLineOption user{QStringLiteral("user"), userFolderHelp()};
    QCommandLineOption force{QStringLiteral("force"),
                             QStringLiteral("Takes a folder that holds no J-Link installation "
                                            "all the same.")};
    QCommandLineOption searchIn{QStringLiteral("search-in"),
                                QStringLiteral("Looks for J-Link installations there alone "
                                               "instead of in %1.")
                                    .arg(defaultJLinkSearch().places().join(
                                        QStringLiteral(", "))),
                                QStringLiteral("place")};
    QCommandLineOption json{QStringLiteral("json"),
                            QStringLiteral("Prints one JSON document on standard output "
                                           "(status, list).")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Displays this help.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Displays the version.")};
};

// What a command is given.
struct Invocation
{
    const QCommandLineParser &parser;
    const Options &options;
    QStringList folders;
};

struct Command
{
    const char *name;
    const char *synopsis; // what follows the name
    const char *description;
    bool bTakesTargets;
    bool bTakesJson;
    int (*run)(const Invocation &);
};

int installTargets(const Invocation &invocation);
int statusTargets(const Invocation &invocation);
int uninstallTargets(const Invocation &invocation);
int listInstallations(const Invocation &invocation);

const char targetsSynopsis[] = "[--all] [--user] [--force] [--search-in <place>] [<folder>...]";

const Command commands[] = {
    {"install", targetsSynopsis, "installs into each target", true, false, installTargets},
    {"status", "[--all] [--user] [--force] [--search-in <place>] [--json] [<folder>...]",
     "compares each target with exactly what this installer writes", true, true, statusTargets},
    {"uninstall", targetsSynopsis, "removes what this installer wrote from each target", true,
     false, uninstallTargets},
    {"list", "[--search-in <place>] [--json]",
     "the J-Link installations found and the per-user folder", false, true, listInstallations},
};

const Command *findCommand(const QString &strName)
{
    for (const Command &command : commands) {
        if (strName == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

QString commandNames()
{
    QStringList names;
    for (const Command &command : commands)
        names << QLatin1String(command.name);
    return names.join(QStringLiteral(", "));
}

QString description(const QString &strProgram)
{
    const QStringList synopses = usageLines(strProgram);
    QString strText = QStringLiteral("Usage: ") + synopses.join(QStringLiteral("\n       "))
        + QStringLiteral("\n\nAdds the QN58 devices of Kestrilon to J-Link, checks and removes "
                         "them.\nA J-Link folder alone installs into it, as the window does.\n");
    for (const Command &command : commands)
        strText += QStringLiteral("  %1 %2\n")
                       .arg(QLatin1String(command.name), -11)
                       .arg(QLatin1String(command.description));
    return strText
        + QStringLiteral("A target is a J-Link folder named, each installation found (--all) or\n"
                         "the per-user folder (--user), which J-Link V7.62 and later read.");
}

const char exitStatusText[]
    = "\n\nExit status (with several targets, that of the first one that failed):\n"
      "  0   success: installed; every target installed exactly; uninstalled\n"
      "  1-3 install: the job's result\n"
      "  1   status: a target is not installed, differs or cannot be read;\n"
      "      uninstall: a target could not be cleaned\n"
      "  64  bad usage\n"
      "  66  a folder does not exist or holds no J-Link installation, --all found\n"
      "      none, or the per-user folder is unknown";

QString usage(const QCommandLineParser &parser)
{
    // The toolkit's own usage line gives way to the one of the description.
    const QString strHelp = parser.helpText();
    return strHelp.mid(strHelp.indexOf(QLatin1Char('\n')) + 1).trimmed()
        + QLatin1String(exitStatusText);
}

int usageError(const QCommandLineParser &parser, const QString &strError)
{
    printLine(stderr, strError);
    printLine(stderr, usage(parser));
    return exitUsage;
}

QString nativeFolder(const Target &target)
{
    return QDir::toNativeSeparators(target.strFolder);
}

QString targetLine(const Target &target, const QString &strText)
{
    return nativeFolder(target) + QStringLiteral(": ") + strText;
}

// A command's lines on standard output, or with --json one document of the
// targets in their place, printed when the command ends; lines that refuse a
// target then go to standard error, so that standard output stays parseable.
class Report
{
public:
    explicit Report(bool bJson) : m_bJson(bJson) {}
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;
    ~Report()
    {
        if (!m_bJson)
            return;
        const QJsonObject document{{QStringLiteral("targets"), m_targets}};
        printLine(stdout, QString::fromUtf8(QJsonDocument(document).toJson()).trimmed());
    }

    // A line about no target, such as that none was found, has no place in the document.
    void add(const QString &strLine, const QJsonObject &target)
    {
        if (m_bJson) {
            if (!target.isEmpty())
                m_targets.append(target);
        } else {
            printLine(stdout, strLine);
        }
    }
    void refuse(const QString &strLine, const QJsonObject &target)
    {
        add(strLine, target);
        if (m_bJson)
            printLine(stderr, strLine);
    }
    // Standard error noted it when the targets were chosen.
    void addJsonOnly(const QJsonObject &target)
    {
        if (m_bJson)
            m_targets.append(target);
    }

private:
    const bool m_bJson;
    QJsonArray m_targets;
};

// On its own line of standard error, so that the line on standard output
// stays what scripts compare; the file first, as compilers write it.
void printReason(int nResult, const Reason &reason)
{
    if (nResult != 0 && !reason.isEmpty())
        printLine(stderr, reason.diagnostic());
}

QString installationLabel(const Target &target)
{
    return target.strVersion.isEmpty() ? QStringLiteral("J-Link, version unknown")
                                       : QStringLiteral("J-Link ") + target.strVersion;
}

// J-Link may still record an installation whose folder was removed.
bool isGone(const Target &target)
{
    return target.bFound && !QFileInfo(target.strFolder).isDir();
}

const char goneState[] = "folder missing";

JLinkSearch searchOf(const Invocation &invocation)
{
    if (invocation.parser.isSet(invocation.options.searchIn))
        return JLinkSearch(invocation.parser.value(invocation.options.searchIn));
    return defaultJLinkSearch();
}

QString nothingFoundIn(const JLinkSearch &search)
{
    return QStringLiteral("No J-Link installation found in %1")
        .arg(search.places().join(QStringLiteral(", ")));
}

// Notes each installation that is gone; returns whether any is present.
bool anyPresent(const QList<Target> &found)
{
    bool bAny = false;
    for (const Target &target : found) {
        if (!isGone(target))
            bAny = true;
        else
            printLine(stderr, QStringLiteral("%1 (%2): folder missing, skipped")
                                  .arg(nativeFolder(target), installationLabel(target)));
    }
    return bAny;
}

// Named folders first, then those found, then the per-user folder; each
// folder once. Returns the exit status when there is nothing to work on.
int selectTargets(const Invocation &invocation, QList<Target> &targets)
{
    const QString strUserFolder = userDeviceFolder();
    for (const QString &strFolder : invocation.folders)
        targets.append(namedTarget(strFolder, strUserFolder));
    if (invocation.parser.isSet(invocation.options.all)) {
        const JLinkSearch search = searchOf(invocation);
        const QList<Target> found = foundInstallations(search);
        if (!anyPresent(found)) {
            printLine(stderr, nothingFoundIn(search));
            return exitNoTarget;
        }
        targets += found;
    }
    if (invocation.parser.isSet(invocation.options.user)) {
        if (strUserFolder.isEmpty()) {
            printLine(stderr,
                      QStringLiteral("The per-user folder is unknown: ") + userFolderUnknown());
            return exitNoTarget;
        }
        targets.append(userFolderTarget(strUserFolder));
    }
    targets = withoutRepeats(targets);
    return 0;
}

// Why a target is not worked on: a state, the words that follow it and, for
// standard error, a reason. The per-user folder is made when missing, and
// installations found were checked when found.
struct Refusal
{
    QString strState;
    QString strWords;
    Reason reason;
};

Refusal refusal(const Target &target, bool bForce)
{
    if (target.kind == TargetKind::UserFolder) {
        const Reason reason = userFolderRefusal(target.strFolder);
        if (reason.isEmpty())
            return {};
        return {QStringLiteral("refused"), QString(), reason};
    }
    if (target.bFound)
        return {};
    if (!QFileInfo::exists(target.strFolder))
        return {QStringLiteral("does not exist"), QString(), Reason()};
    if (!bForce && !holdsJLink(target.strFolder))
        return {QStringLiteral("not a J-Link installation"),
                QStringLiteral(" (%1); --force takes it all the same")
                    .arg(QLatin1String(jlinkFilesText)),
                Reason()};
    return {};
}

// Each target on its own; the first that fails gives the exit status.
int forEachTarget(const Invocation &invocation, int (*work)(const Target &, Report &))
{
    Report report(invocation.parser.isSet(invocation.options.json));
    QList<Target> targets;
    if (const int nProblem = selectTargets(invocation, targets))
        return nProblem;
    const bool bForce = invocation.parser.isSet(invocation.options.force);
    int nExit = 0;
    for (const Target &target : targets) {
        if (isGone(target)) {
            report.addJsonOnly(targetJson(target, QLatin1String(goneState)));
            continue;
        }
        const Refusal refused = refusal(target, bForce);
        if (!refused.strState.isEmpty()) {
            report.refuse(targetLine(target, refused.strState + refused.strWords),
                          targetJson(target, refused.strState));
            printReason(exitNoTarget, refused.reason);
        }
        const int nResult = refused.strState.isEmpty() ? work(target, report) : exitNoTarget;
        if (nExit == 0)
            nExit = nResult;
    }
    return nExit;
}

// The job as the window runs it; the per-user folder may not exist yet.
int installInto(const Target &target, Report &report)
{
    if (target.kind == TargetKind::UserFolder)
        makeUserDeviceFolder(target.strFolder);
    QString strErroInfo;
    Reason reason;
    const int nResult = JLinkAddQN58MCU::runSetup(target.strFolder, strErroInfo, reason);
    report.add(targetLine(target, outcomeText(nResult, strErroInfo)), QJsonObject());
    printReason(nResult, reason);
    return nResult;
}

int statusOf(const Target &target, Report &report)
{
    const InstallationStatus status = checkInstallation(target.strFolder);
    report.add(targetLine(target, statusText(status)), statusJson(target, status));
    const int nResult = status.state == InstallationStatus::State::Installed ? 0 : 1;
    printReason(nResult, status.reason);
    return nResult;
}

int uninstallFrom(const Target &target, Report &report)
{
    QString strErroInfo;
    Reason reason;
    switch (uninstall(target.strFolder, strErroInfo, target.kind, &reason)) {
    case UninstallResult::Removed:
        report.add(targetLine(target, QStringLiteral("removed")), QJsonObject());
        return 0;
    case UninstallResult::NothingToRemove:
        report.add(targetLine(target, QStringLiteral("nothing to remove")), QJsonObject());
        return 0;
    case UninstallResult::Failed:
        break;
    }
    report.add(targetLine(target, strErroInfo), QJsonObject());
    printReason(1, reason);
    return 1;
}

int installTargets(const Invocation &invocation)
{
    return forEachTarget(invocation, installInto);
}

int statusTargets(const Invocation &invocation)
{
    return forEachTarget(invocation, statusOf);
}

int uninstallTargets(const Invocation &invocation)
{
    return forEachTarget(invocation, uninstallFrom);
}

void addListLine(Report &report, const Target &target, const QString &strLabel)
{
    const QString strPrefix = QStringLiteral("%1 (%2): ").arg(nativeFolder(target), strLabel);
    if (isGone(target)) {
        report.add(strPrefix + QLatin1String(goneState),
                   targetJson(target, QLatin1String(goneState)));
        return;
    }
    const InstallationStatus status = checkInstallation(target.strFolder);
    report.add(strPrefix + statusText(status), statusJson(target, status));
}

// Says so when nothing is found; a listing is never a failure.
int listInstallations(const Invocation &invocation)
{
    Report report(invocation.parser.isSet(invocation.options.json));
    const JLinkSearch search = searchOf(invocation);
    const QList<Target> found = foundInstallations(search);
    const QString strUserFolder = userDeviceFolder();
    if (found.isEmpty()) {
        QString strNone = nothingFoundIn(search);
        if (strUserFolder.isEmpty())
            strNone += QStringLiteral(", and no per-user folder: ") + userFolderUnknown();
        report.add(strNone, QJsonObject());
    }
    for (const Target &target : found)
        addListLine(report, target, installationLabel(target));
    if (!strUserFolder.isEmpty())
        addListLine(report, userFolderTarget(strUserFolder), QStringLiteral("per-user folder"));
    return 0;
}

// As before the commands: one folder, the job's line alone, its result.
int installOneFolder(const QString &strFolder)
{
    QString strErroInfo;
    Reason reason;
    const int nResult = JLinkAddQN58MCU::runSetup(strFolder, strErroInfo, reason);
    // Always on standard output: the toolkit writes its own notes to standard error.
    printLine(stdout, outcomeText(nResult, strErroInfo));
    printReason(nResult, reason);
    return nResult;
}

// Why the arguments make no call, in one line; empty when they make one.
QString usageProblem(const Invocation &invocation, const QString &strFirst,
                     const Command *command)
{
    const QCommandLineParser &parser = invocation.parser;
    const Options &options = invocation.options;
    const bool bTargets = !invocation.folders.isEmpty() || parser.isSet(options.all)
        || parser.isSet(options.user);
    const bool bTargetOptions = bTargets || parser.isSet(options.force);
    if (!command) {
        if (bTargetOptions || parser.isSet(options.searchIn) || parser.isSet(options.json))
            return QStringLiteral("\"%1\" is no command (%2), and a J-Link folder alone takes "
                                  "nothing more")
                .arg(strFirst, commandNames());
        return QString();
    }
    if (command->bTakesTargets && !bTargets)
        return QStringLiteral("%1 needs a target: a folder, --all or --user")
            .arg(QLatin1String(command->name));
    if (!command->bTakesTargets && bTargetOptions)
        return QStringLiteral("%1 takes no folder, --all, --user or --force")
            .arg(QLatin1String(command->name));
    if (!command->bTakesJson && parser.isSet(options.json))
        return QStringLiteral("%1 takes no --json").arg(QLatin1String(command->name));
    return QString();
}

} // namespace

QStringList usageLines(const QString &strProgram)
{
    QStringList lines{strProgram + QStringLiteral(" <J-Link folder>")};
    for (const Command &command : commands)
        lines << QStringLiteral("%1 %2 %3")
                     .arg(strProgram, QLatin1String(command.name), QLatin1String(command.synopsis));
    return lines;
}

int runCommandLine(const QStringList &arguments)
{
    const QString strProgram = QCoreApplication::applicationName();
    const Options options;
    QCommandLineParser parser;
    parser.setApplicationDescription(description(strProgram));
    parser.addOptions({options.all, options.user, options.force, options.searchIn, options.json,
                       options.help, options.version});
    parser.addPositionalArgument(QStringLiteral("command"), commandNames() + QLatin1Char('.'));
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("J-Link folders."),
                                 QStringLiteral("[<folder>...]"));

    if (!parser.parse(arguments))
        return usageError(parser, parser.errorText());
    QStringList positional = parser.positionalArguments();
    if (parser.isSet(options.help)
        || std::any_of(positional.cbegin(), positional.cend(), isPlatformHelpRequest)) {
        printLine(stdout, usage(parser));
        return 0;
    }
    if (parser.isSet(options.version)) {
        printLine(stdout, strProgram + QLatin1Char(' ') + QCoreApplication::applicationVersion()
                              + QStringLiteral(" (Qt %1)").arg(QLatin1String(qVersion())));
        return 0;
    }

    if (positional.isEmpty())
        return usageError(parser, QStringLiteral("No command and no J-Link folder given"));
    if (positional.contains(QString()))
        return usageError(parser, QStringLiteral("A folder name is empty"));
    const QString strFirst = positional.takeFirst();
    const Command *command = findCommand(strFirst);
    const Invocation invocation{parser, options, positional};
    const QString strProblem = usageProblem(invocation, strFirst, command);
    if (!strProblem.isEmpty())
        return usageError(parser, strProblem);
    return command ? command->run(invocation) : installOneFolder(strFirst);
}
