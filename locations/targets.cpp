#include "targets.h"

#include "filenames.h"
#include "jlinkfolders.h"
#include "jlinkversion.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

// The tool of Linux and macOS, of Windows, and the library of each.
const QStringList &jlinkFiles()
{
    static const QStringList files{
        QStringLiteral("JLinkExe"),       QStringLiteral("JLink.exe"),
        QStringLiteral("libjlinkarm.so*"), QStringLiteral("libjlinkarm*.dylib"),
        QStringLiteral("JLinkARM.dll"),   QStringLiteral("JLink_x64.dll")};
    return files;
}

} // namespace

//: Why a folder is not taken for a J-Link installation.
const char jlinkFilesText[]
    = QT_TRANSLATE_NOOP("CommandLine", "no JLinkExe, JLink.exe or J-Link library");

QList<Target> foundInstallations(const JLinkSearch &search)
{
    QList<Target> targets;
    for (const QString &strFolder : discoverJLinkInstallations(search))
        targets.append(Target{strFolder, jlinkVersion(strFolder), TargetKind::Installation, true});
    return withoutRepeats(targets);
}

Target userFolderTarget(const QString &strUserFolder)
{
    return Target{strUserFolder, QString(), TargetKind::UserFolder};
}

Target namedTarget(const QString &strFolder, const QString &strUserFolder)
{
    if (!strUserFolder.isEmpty() && sameFolderKey(strFolder) == sameFolderKey(strUserFolder))
        return userFolderTarget(strFolder);
    return Target{strFolder, QString(), TargetKind::Installation};
}

QList<Target> withoutRepeats(const QList<Target> &targets)
{
    QList<Target> unique;
    QSet<QString> seen;
    for (const Target &target : targets) {
        const QString strKey = sameFolderKey(target.strFolder);
        if (seen.contains(strKey))
            continue;
        seen.insert(strKey);
        unique.append(target);
    }
    return unique;
}

// Names compare without case: Windows file names ignore it, and J-Link's
// own spelling has varied.
bool holdsJLink(const QString &strFolder)
{
    return !QDir(strFolder).entryList(jlinkFiles(), QDir::Files).isEmpty();
}

bool proposesUserFolder(const QStringList &installations, const QString &strUserFolder)
{
    if (strUserFolder.isEmpty())
        return false;
    if (QFileInfo(strUserFolder).isDir())
        return true;
    for (const QString &strFolder : installations) {
        if (readsUserDeviceFolder(jlinkVersion(strFolder)))
            return true;
    }
    return false;
}
