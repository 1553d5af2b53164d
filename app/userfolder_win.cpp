#include "userfolder.h"

#include <QDir>

// Roaming AppData, where J-Link looks; the toolkit's own locations add an
// organisation and program name or point at Local AppData.
QString userDeviceFolder()
{
    const QString strAppData = qEnvironmentVariable("APPDATA");
    if (strAppData.isEmpty())
        return QString();
    return QDir::toNativeSeparators(
        QDir::cleanPath(strAppData + QStringLiteral("/SEGGER/JLinkDevices")));
}
