#include "jlinkfolders.h"

#include "devicedatabase.h"
#include "jlinkversion.h"

#include <QDir>
#include <QFileInfo>

QString defaultJLinkDiscoveryRoot()
{
#ifdef Q_OS_MACOS
    return QStringLiteral("/Applications/SEGGER");
#else
    return QStringLiteral("/opt/SEGGER");
#endif
}

QStringList findJLinkInstallations(const QString &strRoot)
{
    QStringList names = QDir(strRoot).entryList({QStringLiteral("JLink*")},
                                                QDir::Dirs | QDir::NoDotAndDotDot,
                                                QDir::Name | QDir::IgnoreCase);
    QStringList folders;
    for (auto it = names.crbegin(); it != names.crend(); ++it) {
        const QString strPath = strRoot + QLatin1Char('/') + *it;
        // Only a folder that holds J-Link's command-line tool is an installation.
        if (!it->startsWith(QLatin1String("JLink"))
            || !QFileInfo::exists(strPath + QLatin1String("/JLinkExe")))
            continue;
        folders.append(strPath);
    }
    return folders;
}

QString browseStartFolder()
{
    const QString strRoot = defaultJLinkDiscoveryRoot();
    return QFileInfo::exists(strRoot) ? strRoot : QDir::homePath();
}

// The window runs with the user's rights: an installation the user may not
// write would fail, while the per-user folder serves its J-Link as well.
bool prefersUserFolder(const QString &strNewest)
{
    if (!readsUserDeviceFolder(jlinkVersion(strNewest)))
        return false;
    const QFileInfo database(deviceDatabasePath(strNewest));
    return !QFileInfo(strNewest).isWritable() || (database.exists() && !database.isWritable());
}
