#include "jlinkfolders.h"

#include <QFileInfo>
#include <QSettings>

QString defaultJLinkDiscoveryRoot()
{
    return QStringLiteral("HKEY_CURRENT_USER\\software\\segger\\J-Link");
}

QStringList findJLinkInstallations(const QString &strRoot)
{
    QSettings settings(strRoot, QSettings::NativeFormat);
    QStringList groups = settings.childGroups();
    groups.sort(Qt::CaseInsensitive);

    QStringList folders;
    for (auto it = groups.crbegin(); it != groups.crend(); ++it) {
        settings.beginGroup(*it);
        const QString strPath = settings.value(QStringLiteral("InstallPath"), QString()).toString();
        if (!strPath.isEmpty())
            folders.append(strPath);
        settings.endGroup();
    }
    return folders;
}

QString browseStartFolder()
{
    return QStringLiteral("C:/Program Files");
}

// Administrators are asked to elevate for installations under Program Files,
// so the registry's order stands.
bool prefersUserFolder(const QString &)
{
    return false;
}
