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

// The console's own texts, in the user's language; names of options,
// commands and files, and the synopses, stay as they are.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

// As sysexits.h names them, and outside the job's codes.
const int exitUsage = 64;
const int exitNoTarget = 66;

QString userFolderUnknown()
{
    //: %1 is the name of an environment variable, such as HOME.
    return CommandLine::tr("%1 is not set to an absolute path")
        .arg(QLatin1String(userFolderVariable));
}

QString userFolderHelp()
{
    const QString strFolder = userDeviceFolder();
    //: %1 says why, such as "HOME is not set to an absolute path".
    if (strFolder.isEmpty())
        return CommandLine::tr("The per-user folder, unknown here: %1.").arg(userFolderUnknown());
    return CommandLine::tr("The per-user folder: %1.").arg(strFolder);
}

struct Options
{
    QCommandLineOption all{QStringLiteral("all"),
                           CommandLine::tr("Every J-Link installation found.")};
    QCommandLineOption user{QStringLiteral("user"), userFolderHelp()};
    QCommandLineOption force{QStringLiteral("force"),
                             CommandLine::tr("Takes a folder that holds no J-Link installation "
                                             "all the same.")};
    //: %1 lists the places, folders or registry keys, separated by commas.
    QCommandLineOption searchIn{QStringLiteral("search-in"),
                                CommandLine::tr("Looks for J-Link installations there alone "
                                                "instead of in %1.")
                                    .arg(defaultJLinkSearch().places().join(
                                        QStringLiteral(", "))),
                                QStringLiteral("place")};
    //: "status" and "list" are the commands that print it.
    QCommandLineOption json{QStringLiteral("json"),
                            CommandLine::tr("Prints one JSON document on standard output "
                                            "(status, list).")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            CommandLine::tr("Displays this help.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               CommandLine::tr("Displays the version.")};
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
    const char *description; // marked for translation
    bool bTakesTargets;
    bool bTakesJson;
    int (*run)(const Invocation &);
};

int installTargets(const Invocation &invocation);
int statusTargets(const Invocation &invocation);
int uninstallTargets(const Invocation &invocation);
int listInstallations(const Invocation &invocation);

const char targetsSynopsis[] = "[--all] [--user] [--force] [--search-in <place>] [<folder>...]";

// The descriptions follow the command's name in the help.
const Command commands[] = {
    {"install", targetsSynopsis, QT_TRANSLATE_NOOP("CommandLine", "installs into each target"),
     true, false, installTargets},
    {"status", "[--all] [--user] [--force] [--search-in <place>] [--json] [<folder>...]",
     QT_TRANSLATE_NOOP("CommandLine",
                       "compares each target with exactly what this installer writes"),
     true, true, statusTargets},
    {"uninstall", targetsSynopsis,
     QT_TRANSLATE_NOOP("CommandLine", "removes what this installer wrote from each target"), true,
     false, uninstallTargets},
    {"list", "[--search-in <place>] [--json]",
     QT_TRANSLATE_NOOP("CommandLine", "the J-Link installations found and the per-user folder"),
     false, true, listInstallations},
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

// The columns a text takes in a terminal: Chinese, Japanese and Korean
// characters and full-width forms take two.
int terminalColumns(const QString &strText)
{
    int nColumns = 0;
    for (const QChar c : strText) {
        const ushort u = c.unicode();
        const bool bWide = (u >= 0x1100 && u <= 0x115f) || (u >= 0x2e80 && u <= 0xa4cf)
            || (u >= 0xac00 && u <= 0xd7a3) || (u >= 0xf900 && u <= 0xfaff)
            || (u >= 0xfe30 && u <= 0xfe4f) || (u >= 0xff00 && u <= 0xff60)
            || (u >= 0xffe0 && u <= 0xffe6);
        nColumns += bWide ? 2 : 1;
    }
    return nColumns;
}

// The synopses, each below the one before.
QString usageText(const QString &strProgram)
{
    //: Before the program's synopses, which line up after it.
    const QString strUsage = CommandLine::tr("Usage:") + QLatin1Char(' ');
    const QString strIndent(terminalColumns(strUsage), QLatin1Char(' '));
    return strUsage + usageLines(strProgram).join(QLatin1Char('\n') + strIndent);
}

QString description(const QString &strProgram)
{
    QString strText = usageText(strProgram) + QStringLiteral("\n\n")
        + CommandLine::tr("Adds the QN58 devices of Kestrilon to J-Link, checks and removes "
                          "them.\nA J-Link folder alone installs into it, as the window does.")
        + QLatin1Char('\n');
    for (const Command &command : commands)
        strText += QStringLiteral("  %1 %2\n")
                       .arg(QLatin1String(command.name), -11)
                       .arg(CommandLine::tr(command.description));
    return strText
        + CommandLine::tr("A target is a J-Link folder named, each installation found (--all) or\n"
                          "the per-user folder (--user), which J-Link V7.62 and later read.");
}

//: Keep the exit codes, the command names and the layout; lines end before 80 columns.
const char exitStatusText[] = QT_TRANSLATE_NOOP(
    "CommandLine",
    "Exit status (with several targets, that of the first one that failed):\n"
    "  0   success: installed; every target installed exactly; uninstalled\n"
    "  1-3 install: the job's result\n"
    "  1   status: a target is not installed, differs or cannot be read;\n"
    "      uninstall: a target could not be cleaned\n"
    "  64  bad usage\n"
    "  66  a folder does not exist or holds no J-Link installation, --all found\n"
    "      none, or the per-user folder is unknown");

QString usage(const QCommandLineParser &parser)
{
    // The toolkit's own usage line gives way to the one of the description.
    const QString strHelp = parser.helpText();
    return strHelp.mid(strHelp.indexOf(QLatin1Char('\n')) + 1).trimmed() + QStringLiteral("\n\n")
        + CommandLine::tr(exitStatusText);
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
    return target.strVersion.isEmpty() ? CommandLine::tr("J-Link, version unknown")
                                       : QStringLiteral("J-Link ") + target.strVersion;
}

// J-Link may still record an installation whose folder was removed.
bool isGone(const Target &target)
{
    return target.bFound && !QFileInfo(target.strFolder).isDir();
}

// In English for --json, translated on a line.
//: The state of an installation that J-Link still records but whose folder is gone.
const char goneState[] = QT_TRANSLATE_NOOP("CommandLine", "folder missing");

JLinkSearch searchOf(const Invocation &invocation)
{
    if (invocation.parser.isSet(invocation.options.searchIn))
        return JLinkSearch(invocation.parser.value(invocation.options.searchIn));
    return defaultJLinkSearch();
}

QString nothingFoundIn(const JLinkSearch &search)
{
    //: %1 lists the places, folders or registry keys, separated by commas.
    return CommandLine::tr("No J-Link installation found in %1")
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
            //: %1 is a folder, %2 its installation, such as "J-Link V7.94".
            printLine(stderr, CommandLine::tr("%1 (%2): folder missing, skipped")
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
            //: %1 says why, such as "HOME is not set to an absolute path".
            printLine(stderr, CommandLine::tr("The per-user folder is unknown: %1")
                                  .arg(userFolderUnknown()));
            return exitNoTarget;
        }
        targets.append(userFolderTarget(strUserFolder));
    }
    targets = withoutRepeats(targets);
    return 0;
}

// Why a target is not worked on: a state, in English for --json, the line's
// words in the user's language and, for standard error, a reason. The
// per-user folder is made when missing, and installations found were checked
// when found.
struct Refusal
{
    const char *pszState = nullptr;
    QString strWords;
    Reason reason;
};

// A state whose words are the state itself; pszState is marked for translation.
Refusal stateRefusal(const char *pszState, const Reason &reason = Reason())
{
    return {pszState, CommandLine::tr(pszState), reason};
}

Refusal refusal(const Target &target, bool bForce)
{
    if (target.kind == TargetKind::UserFolder) {
        const Reason reason = userFolderRefusal(target.strFolder);
        if (reason.isEmpty())
            return {};
        //: A target's state.
        return stateRefusal(QT_TRANSLATE_NOOP("CommandLine", "refused"), reason);
    }
    if (target.bFound)
        return {};
    //: A target's state.
    if (!QFileInfo::exists(target.strFolder))
        return stateRefusal(QT_TRANSLATE_NOOP("CommandLine", "does not exist"));
    if (!bForce && !holdsJLink(target.strFolder))
        //: %1 names the files looked for, "no JLinkExe, JLink.exe or J-Link library".
        return {"not a J-Link installation",
                CommandLine::tr("not a J-Link installation (%1); --force takes it all the same")
                    .arg(CommandLine::tr(jlinkFilesText)),
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
        if (refused.pszState) {
            report.refuse(targetLine(target, refused.strWords),
                          targetJson(target, QLatin1String(refused.pszState)));
            printReason(exitNoTarget, refused.reason);
        }
        const int nResult = refused.pszState ? exitNoTarget : work(target, report);
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
        report.add(targetLine(target, CommandLine::tr("removed")), QJsonObject());
        return 0;
    case UninstallResult::NothingToRemove:
        report.add(targetLine(target, CommandLine::tr("nothing to remove")), QJsonObject());
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
        report.add(strPrefix + CommandLine::tr(goneState),
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
        //: %1 lists the places looked in, %2 says why there is no per-user folder.
        const QString strNone = strUserFolder.isEmpty()
            ? CommandLine::tr("No J-Link installation found in %1, and no per-user folder: %2")
                  .arg(search.places().join(QStringLiteral(", ")), userFolderUnknown())
            : nothingFoundIn(search);
        report.add(strNone, QJsonObject());
    }
    for (const Target &target : found)
        addListLine(report, target, installationLabel(target));
    if (!strUserFolder.isEmpty())
        addListLine(report, userFolderTarget(strUserFolder), CommandLine::tr("per-user folder"));
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
            //: %1 is what was given, %2 lists the command names.
            return CommandLine::tr("\"%1\" is no command (%2), and a J-Link folder alone takes "
                                   "nothing more")
                .arg(strFirst, commandNames());
        return QString();
    }
    if (command->bTakesTargets && !bTargets)
        //: %1 is a command's name.
        return CommandLine::tr("%1 needs a target: a folder, --all or --user")
            .arg(QLatin1String(command->name));
    if (!command->bTakesTargets && bTargetOptions)
        //: %1 is a command's name.
        return CommandLine::tr("%1 takes no folder, --all, --user or --force")
            .arg(QLatin1String(command->name));
    if (!command->bTakesJson && parser.isSet(options.json))
        //: %1 is a command's name.
        return CommandLine::tr("%1 takes no --json").arg(QLatin1String(command->name));
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
    parser.addPositionalArgument(QStringLiteral("folder"), CommandLine::tr("J-Link folders."),
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
        return usageError(parser, CommandLine::tr("No command and no J-Link folder given"));
    if (positional.contains(QString()))
        return usageError(parser, CommandLine::tr("A folder name is empty"));
    const QString strFirst = positional.takeFirst();
    const Command *command = findCommand(strFirst);
    const Invocation invocation{parser, options, positional};
    const QString strProblem = usageProblem(invocation, strFirst, command);
    if (!strProblem.isEmpty())
        return usageError(parser, strProblem);
    return command ? command->run(invocation) : installOneFolder(strFirst);
}
