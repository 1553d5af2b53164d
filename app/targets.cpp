#include "targets.h"

#include "jlinkfolders.h"
#include "jlinkversion.h"

#include <QFileInfo>
#include <QSet>

namespace {

QString sameFolderKey(const QString &strFolder)
{
    const QString strCanonical = QFileInfo(strFolder).canonicalFilePath();
    return strCanonical.isEmpty() ? strFolder : strCanonical;
}

} // namespace

QList<Target> foundInstallations(const QString &strDiscoveryRoot)
{
    QList<Target> targets;
    QSet<QString> seen;
    for (const QString &strFolder : findJLinkInstallations(strDiscoveryRoot)) {
        const QString strKey = sameFolderKey(strFolder);
        if (seen.contains(strKey))
            continue;
        seen.insert(strKey);
        targets.append(Target{strFolder, jlinkVersion(strFolder), false});
    }
    return targets;
}

Target userFolderTarget(const QString &strUserFolder)
{
    return Target{strUserFolder, QString(), true};
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
