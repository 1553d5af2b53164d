#ifndef JLINKADDQN58MCU_H
#define JLINKADDQN58MCU_H

#include "failurereason.h"
#include "heldfolder.h"
#include "installationlock.h"

#include <QDomDocument>
#include <QString>
#include <QThread>

// One installation into one J-Link folder, run once on its own thread.
// The steps and entry writers work only on their parameters, so they are
// static and can be driven without a thread.
class JLinkAddQN58MCU : public QThread
{
    Q_OBJECT

public:
    // lockWait bounds the wait for another job on the same folder.
    explicit JLinkAddQN58MCU(QString strJLinkPath,
                             std::chrono::milliseconds lockWait = installationLockWait);

    // Waits up to lockWait for another job on the same folder to end. On
    // failure, reason says in a user's words why, after the fixed message.
    static int runSetup(QString strJLinkPath, QString &strErroInfo, Reason &reason,
                        std::chrono::milliseconds lockWait = installationLockWait);
    static int runSetup(QString strJLinkPath, QString &strErroInfo,
                        std::chrono::milliseconds lockWait = installationLockWait);

    // The job's database steps in one pass: the earlier entries removed and
    // the catalogue registered with one load and one save. 0, or 1 with the
    // removal step's message when the database could not be read or written.
    static int updateDevices(QString strJLinkPath, QString &strErroInfo,
                             Reason *pReason = nullptr);
    static bool removeOldDevices(QString strJLinkPath, QString &strErroInfo,
                                 Reason *pReason = nullptr);
    static bool registerDevices(QString strJLinkPath, QString &strErroInfo,
                                Reason *pReason = nullptr);
    static bool deployFiles(QString strFLMPath, Reason *pReason = nullptr);
    // The same into the loader folder held open; folderReason says why it
    // is not open.
    static bool deployFiles(const HeldFolder &folder, const Reason &folderReason,
                            Reason *pReason = nullptr);
    static void copyFlmFile(QString strFLMPath, QString strName);

    static void addMainFlashDevice(QDomDocument doc, QString deviceName, QString workRamSize,
                                   int flashSizeKB, int familyCode);
    static void addApModeDevice(QDomDocument doc, QString deviceName, QString workRamSize,
                                int flashSizeKB, int familyCode);
    static void addUniversalDevice(QDomDocument doc, QString deviceName, QString workRamSize,
                                   int flashSizeKB, int extType, int extRemap, int familyCode);
    static void addUsdDevice(QDomDocument doc, QString deviceName, QString workRamSize,
                             int familyCode, int usdVariant);
    static void addExtFlashDevice(QDomDocument doc, QString deviceName, QString workRamSize,
                                  int extSizeKB);

signals:
    // Before emitResult, when the job failed for a reason it can name.
    void emitReason(QString strReason);
    void emitResult(int nResult, QString strErroInfo);

protected:
    void run() override;

private:
    static Reason loaderFolderMissing(const QString &strFLMPath);

    const QString strJLinkPath;
    const std::chrono::milliseconds m_lockWait;
};

#endif
