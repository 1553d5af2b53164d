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

QString creationReason(const QString &strJLinkPath)
{
    const QFileInfo folder(strJLinkPath);
    return !folder.isDir()      ? QStringLiteral("not a folder")
        : folder.isWritable() ? QStringLiteral("it could not be created")
                              : QStringLiteral("permission denied");
}

bool JLinkAddQN58MCU::removeOldDevices(QString strJLinkPath, QString &strErroInfo,
                                       QString *pstrReason)
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
            strErroInfo, pstrReason);
    }
    // A template that could not be copied leaves the message to the job.
    QString strReason;
    try {
        if (createDeviceDatabase(strDatabasePath))
            return true;
        strReason = creationReason(strJLinkPath);
    } catch (const FileError &error) {
        strErroInfo = JobMessages::databaseAccessFailed();
        strReason = error.reason();
    }
    if (pstrReason)
        *pstrReason = strReason;
    return false;
}
