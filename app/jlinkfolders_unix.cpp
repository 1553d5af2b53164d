#include "jlinkfolders.h"

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
