#include "uninstallation.h"

#include "deploymentlist.h"
#include "devicedatabase.h"
#include "pinnedhashseed.h"
#include "vendor.h"
#include "vendorentries.h"

#include <QDir>
#include <QFileInfo>

#include <exception>

namespace {

// A database without the vendor's entries is not rewritten.
bool removeEntries(const QString &strDatabasePath, bool &bRemoved)
{
    if (!QFileInfo::exists(strDatabasePath))
        return true;
    try {
        const PinnedHashSeed seed;
        QDomDocument doc = loadDeviceDatabase(strDatabasePath);
        QDomElement root = doc.documentElement();
        const int nBefore = root.childNodes().count();
        removeVendorEntries(root);
        if (root.childNodes().count() == nBefore)
            return true;
        bRemoved = true;
        return saveDeviceDatabase(doc, strDatabasePath);
    } catch (const std::exception &) {
    }
    return false;
}

// A folder of the user's own that bears a loader's name is not ours.
bool removeFiles(const QString &strLoaderFolder, bool &bRemoved, QString &strFailed)
{
    for (const char *name : deploymentList) {
        const QString strPath = strLoaderFolder + QLatin1Char('/') + QLatin1String(name);
        const QFileInfo info(strPath);
        if (!info.isFile() && !info.isSymLink())
            continue;
        if (!removeEarlierCopy(strPath)) {
            strFailed = strPath;
            return false;
        }
        bRemoved = true;
    }
    return true;
}

} // namespace

UninstallResult uninstall(const QString &strJLinkPath, QString &strErroInfo,
                          std::chrono::milliseconds lockWait)
{
    strErroInfo.clear();
    InstallationLock lock(strJLinkPath);
    bool bRemoved = false;
    if (!lock.acquire(lockWait) || !removeEntries(deviceDatabasePath(strJLinkPath), bRemoved)) {
        strErroInfo = QStringLiteral("\"JLinkDevices.xml\" access failed");
        return UninstallResult::Failed;
    }
    const QString strVendorFolder = strJLinkPath + QLatin1Char('/') + Vendor::devicesFolder()
        + QLatin1Char('/') + Vendor::name();
    const QString strLoaderFolder = strVendorFolder + QLatin1Char('/') + Vendor::loaderFolder();
    QString strFailed;
    if (!removeFiles(strLoaderFolder, bRemoved, strFailed)) {
        strErroInfo = QStringLiteral("\"%1\" could not be removed")
                          .arg(QDir::toNativeSeparators(strFailed));
        return UninstallResult::Failed;
    }
    // Only empty folders go; one holding a file of the user's own stays.
    QDir dir(QString{});
    if (dir.rmdir(strLoaderFolder))
        bRemoved = true;
    dir.rmdir(strVendorFolder);
    return bRemoved ? UninstallResult::Removed : UninstallResult::NothingToRemove;
}
