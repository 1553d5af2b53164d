#include "jlinkfolders.h"

#include <QDir>
#include <QFileInfo>

const char jlinkToolName[] = "JLinkExe";

// The folder J-Link installs into holds every installation of the machine.
JLinkSearch defaultJLinkSearch()
{
#ifdef Q_OS_MACOS
    return JLinkSearch(QStringLiteral("/Applications/SEGGER"));
#else
    return JLinkSearch(QStringLiteral("/opt/SEGGER"));
#endif
}

QStringList findJLinkInstallations(const QString &strPlace)
{
    return jlinkFoldersBelow(strPlace);
}

QStringList findOtherJLinkInstallations(const QString &strPlace)
{
    return jlinkFoldersBelow(strPlace);
}

bool placeExists(const QString &strPlace)
{
    return QFileInfo(strPlace).isDir();
}

QString browseStartFolder()
{
    const QString strRoot = defaultJLinkSearch().strOwnPlace;
    return QFileInfo::exists(strRoot) ? strRoot : QDir::homePath();
}

// The folder's mode says it exactly.
bool mayCreateFilesIn(const QString &strFolder)
{
    return QFileInfo(strFolder).isWritable();
}
