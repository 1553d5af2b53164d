#include "userfolder.h"

#include <QDir>

QString userDeviceFolder()
{
    const QString strBase = qEnvironmentVariable(userFolderVariable);
    if (!QDir::isAbsolutePath(strBase))
        return QString();
    return QDir::toNativeSeparators(
        QDir::cleanPath(strBase + QLatin1String(userFolderBelowVariable)));
}

bool makeUserDeviceFolder(const QString &strFolder)
{
    return QDir().mkpath(strFolder);
}
