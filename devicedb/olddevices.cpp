#include "olddevices.h"

#include "devicedatabase.h"
#include "jlinkaddqn58mcu.h"
#include "jobmessages.h"
#include "vendor.h"
#include "vendorentries.h"

#include <QDir>
#include <QFileInfo>

void removeEmptyVendorFolder(const QString &strJLinkPath)
{
    // Only an empty folder goes; the job creates it again.
    QDir dir(QString{});
    const QString strVendorPath = Vendor::vendorFolderPath(strJLinkPath);
    if (dir.exists(strVendorPath))
        dir.rmdir(strVendorPath);
}

Reason creationReason(const QString &strJLinkPath)
{
    const QFileInfo folder(strJLinkPath);
    if (!folder.isDir())
        return Reason(QStringLiteral("not a folder"), strJLinkPath);
    return Reason(folder.isWritable() ? QStringLiteral("it could not be created")
                                      : QStringLiteral("permission denied"),
                  deviceDatabasePath(strJLinkPath));
}

bool JLinkAddQN58MCU::removeOldDevices(QString strJLinkPath, QString &strErroInfo,
                                       Reason *pReason)
{
    strErroInfo.clear();
    removeEmptyVendorFolder(strJLinkPath);

    const QString strDatabasePath = deviceDatabasePath(strJLinkPath);
    if (QFileInfo::exists(strDatabasePath)) {
        return editDeviceDatabase(
            strDatabasePath,
            [](QDomDocument doc) {
                removeVendorEntries(doc.documentElement());
                return true;
            },
            strErroInfo, pReason);
    }
    // A template that could not be copied leaves the message to the job.
    Reason reason;
    try {
        if (createDeviceDatabase(strDatabasePath))
            return true;
        reason = creationReason(strJLinkPath);
    } catch (const FileError &error) {
        strErroInfo = JobMessages::databaseAccessFailed();
        reason = error.reason();
    }
    if (pReason)
        *pReason = reason;
    return false;
}
