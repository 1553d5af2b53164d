#include "jlinkaddqn58mcu.h"

#include "devicedatabase.h"
#include "pinnedhashseed.h"
#include "vendor.h"
#include "vendorentries.h"

#include <QDir>
#include <QFileInfo>

#include <exception>

bool JLinkAddQN58MCU::removeOldDevices(QString strJLinkPath, QString &strErroInfo,
                                       QString *pstrReason)
{
    const QString strVendorPath =
        strJLinkPath + QLatin1Char('/') + Vendor::devicesFolder() + QLatin1Char('/') + Vendor::name();
    strErroInfo.clear();

    try {
        // Only an empty folder goes; the job creates it again.
        QDir dir(QString{});
        if (dir.exists(strVendorPath))
            dir.rmdir(strVendorPath);
    } catch (const std::exception &) {
        strErroInfo = QStringLiteral("Directory access failed");
        return false;
    }

    const QString strDatabasePath = deviceDatabasePath(strJLinkPath);
    try {
        if (!QFileInfo::exists(strDatabasePath))
            return createDeviceDatabase(strDatabasePath);
        const PinnedHashSeed seed;
        QDomDocument doc = loadDeviceDatabase(strDatabasePath);
        removeVendorEntries(doc.documentElement());
        // A save that did not happen (a full disk, say) is no success.
        if (saveDeviceDatabase(doc, strDatabasePath))
            return true;
    } catch (const std::exception &) {
    }
    strErroInfo = QStringLiteral("\"JLinkDevices.xml\" access failed");
    return false;
}
