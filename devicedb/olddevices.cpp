#include "olddevices.h"

#include "devicedatabase.h"
#include "heldfolder.h"
#include "jlinkaddqn58mcu.h"
#include "jobmessages.h"
#include "textrewriter.h"
#include "vendor.h"
#include "vendorentries.h"

#include <QFileInfo>

void removeEmptyVendorFolder(const QString &strJLinkPath)
{
    // Only an empty folder goes, and never through a refused name; the job
    // creates it again.
    Reason reason;
    const HeldFolder installation = HeldFolder::open(strJLinkPath, reason);
    const HeldFolder devices = installation.isOpen()
        ? installation.folder(Vendor::devicesFolder(), false, reason)
        : HeldFolder();
    if (devices.isOpen() && devices.entry(Vendor::name()) == HeldFolder::Entry::Folder)
        devices.removeFolder(Vendor::name());
}

Reason creationReason(const QString &strJLinkPath)
{
    const QFileInfo folder(strJLinkPath);
    if (!folder.isDir())
        return Reason(QT_TRANSLATE_NOOP("Reason", "not a folder"), strJLinkPath);
    return Reason(folder.isWritable() ? QT_TRANSLATE_NOOP("Reason", "it could not be created")
                                      : QT_TRANSLATE_NOOP("Reason", "permission denied"),
                  deviceDatabasePath(strJLinkPath));
}

bool JLinkAddQN58MCU::removeOldDevices(QString strJLinkPath, QString &strErroInfo,
                                       Reason *pReason)
{
    strErroInfo.clear();
    removeEmptyVendorFolder(strJLinkPath);

    const QString strDatabasePath = deviceDatabasePath(strJLinkPath);
    if (QFileInfo::exists(strDatabasePath)) {
        // The job's single pass with nothing to add; a database with a
        // document type takes the tree.
        return editDeviceDatabase(
            strDatabasePath,
            [](QDomDocument doc) {
                removeVendorEntries(doc.documentElement());
                return true;
            },
            strErroInfo, pReason,
            [](const QByteArray &content, QByteArray &text) {
                return rewriteDatabaseText(content, QByteArray(), text)
                    ? TextEditResult::Edited
                    : TextEditResult::LeftToTree;
            });
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
