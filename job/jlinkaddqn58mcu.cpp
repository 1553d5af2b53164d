#include "jlinkaddqn58mcu.h"

#include "jobmessages.h"
#include "vendor.h"

#include <exception>

namespace {

// One level at a time, each through the folder above it held open. A folder
// that cannot be made surfaces as the deployment's failure; a refused one
// with its reason.
HeldFolder prepareFolders(const QString &strJLinkPath, Reason &reason)
{
    const HeldFolder installation = HeldFolder::open(strJLinkPath, reason);
    if (!installation.isOpen())
        return HeldFolder();
    const HeldFolder devices = installation.folder(Vendor::devicesFolder(), true, reason);
    const HeldFolder vendor = devices.isOpen() ? devices.ownFolder(Vendor::name(), true, reason)
                                               : HeldFolder();
    if (!vendor.isOpen())
        return HeldFolder();
    // Earlier releases kept their loaders here; only an empty one may go.
    vendor.removeFolder(Vendor::obsoleteLoaderFolder());
    HeldFolder loaders = vendor.ownFolder(Vendor::loaderFolder(), true, reason);
    // The new folders' names on disk before the files in them are.
    installation.sync();
    devices.sync();
    vendor.sync();
    return loaders;
}

} // namespace

JLinkAddQN58MCU::JLinkAddQN58MCU(QString strJLinkPath, std::chrono::milliseconds lockWait)
    : QThread(nullptr)
    , strJLinkPath(strJLinkPath)
    , m_lockWait(lockWait)
{
}

void JLinkAddQN58MCU::run()
{
    QString strErroInfo;
    Reason reason;
    const int nResult = runSetup(strJLinkPath, strErroInfo, reason, m_lockWait);
    if (!reason.isEmpty())
        emit emitReason(reason.translated());
    emit emitResult(nResult, strErroInfo);
}

int JLinkAddQN58MCU::runSetup(QString strJLinkPath, QString &strErroInfo,
                              std::chrono::milliseconds lockWait)
{
    Reason reason;
    return runSetup(strJLinkPath, strErroInfo, reason, lockWait);
}

int JLinkAddQN58MCU::runSetup(QString strJLinkPath, QString &strErroInfo, Reason &reason,
                              std::chrono::milliseconds lockWait)
{
    strErroInfo.clear();
    reason = Reason();
    // Held until the job ends; a job that gives up has changed nothing.
    InstallationLock lock(strJLinkPath);
    if (!lock.acquire(lockWait)) {
        strErroInfo = JobMessages::databaseAccessFailed();
        reason = lock.failure();
        return 1;
    }
    try {
        if (const int nResult = updateDevices(strJLinkPath, strErroInfo, &reason))
            return nResult;

        Reason folderReason;
        const HeldFolder loaders = prepareFolders(strJLinkPath, folderReason);
        if (!loaders.isOpen() && !isRefusal(folderReason))
            folderReason = loaderFolderMissing(Vendor::loaderFolderPath(strJLinkPath));
        if (deployFiles(loaders, folderReason, &reason))
            return 0;
    } catch (const std::exception &) {
    }
    strErroInfo = tr("Setup has failed");
    return 3;
}
