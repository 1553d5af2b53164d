#include "userfolder.h"

#include <QDir>

// J-Link names $HOME/.config itself, whatever XDG_CONFIG_HOME says.
QString userDeviceFolder()
{
    return QDir::homePath() + QStringLiteral("/.config/SEGGER/JLinkDevices");
}
