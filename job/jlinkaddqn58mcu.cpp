#include "jlinkaddqn58mcu.h"

#include "jobmessages.h"
#include "vendor.h"

#include <QDir>

#include <exception>

namespace {

// One level at a time and results ignored: a folder that cannot be made
// surfaces as the deployment's failure.
void prepareFolders(const QString &strDevicesPath, const QString &strVendorPath,
                    const QString &strFLMPath)
{
    QDir dir(QString{});
    if (!dir.exists(strDevicesPath))
        dir.mkdir(strDevicesPath);
    if (!dir.exists(strVendorPath))
        dir.mkdir(strVendorPath);
    // Earlier releases kept their loaders here; only an empty one may go.
    if (dir.exists(strVendorPath))
        dir.rmdir(strVendorPath + QLatin1Char('/') + Vendor::obsoleteLoaderFolder());
    if (!dir.exists(strFLMPath))
        dir.mkdir(strFLMPath);
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
        emit emitReason(reason.text());
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
        reason = Reason(JobMessages::lockedByAnotherJob(), strJLinkPath);
        return 1;
    }
    try {
        if (const int nResult = updateDevices(strJLinkPath, strErroInfo, &reason))
            return nResult;

        const QString strFLMPath = Vendor::loaderFolderPath(strJLinkPath);
        prepareFolders(strJLinkPath + QLatin1Char('/') + Vendor::devicesFolder(),
                       Vendor::vendorFolderPath(strJLinkPath), strFLMPath);
        if (deployFiles(strFLMPath, &reason))
            return 0;
    } catch (const std::exception &) {
    }
    strErroInfo = tr("Setup has failed");
    return 3;
}
