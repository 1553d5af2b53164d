#include "userfolder.h"

#include <QDir>

QString userDeviceFolder()
{
    return QDir::homePath() + QStringLiteral("/Library/Application Support/SEGGER/JLinkDevices");
}
