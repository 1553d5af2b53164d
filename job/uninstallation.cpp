#include "uninstallation.h"

#include "deploymentlist.h"
#include "devicedatabase.h"
#include "jobmessages.h"
#include "vendor.h"
#include "vendorentries.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Nothing but the bare document element: no entry, no other element, no
// comment, no attribute, only line ends and indentation.
bool holdsNothing(const QDomDocument &doc)
{
    const QDomElement root = doc.documentElement();
    if (doc.childNodes().count() != 1 || root.attributes().count() != 0)
        return false;
    for (QDomNode child = root.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (!child.isText() || !child.nodeValue().trimmed().isEmpty())
            return false;
    }
    return true;
}

// A database without the vendor's entries is not rewritten. bEmptied tells
// that nothing else is left in it either.
bool removeEntries(const QString &strDatabasePath, bool &bRemoved, bool &bEmptied,
                   QString &strErroInfo, Reason *pReason)
{
    if (!QFileInfo::exists(strDatabasePath))
        return true;
    const auto edit = [&](QDomDocument doc) {
        QDomElement root = doc.documentElement();
        const int nBefore = root.childNodes().count();
        removeVendorEntries(root);
        bEmptied = holdsNothing(doc);
        bRemoved = root.childNodes().count() != nBefore;
        return bRemoved;
    };
    return editDeviceDatabase(strDatabasePath, edit, strErroInfo, pReason);
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

// Under the folder's lock: the entries, the files, the vendor's folders and,
// when bUserFolder and nothing else is left in it, the database.
UninstallResult removeInstallation(const QString &strJLinkPath, bool bUserFolder,
                                   QString &strErroInfo, Reason *pReason)
{
    bool bRemoved = false;
    bool bEmptied = false;
    const QString strDatabasePath = deviceDatabasePath(strJLinkPath);
    if (!removeEntries(strDatabasePath, bRemoved, bEmptied, strErroInfo, pReason))
        return UninstallResult::Failed;
    const QString strLoaderFolder = Vendor::loaderFolderPath(strJLinkPath);
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
    dir.rmdir(Vendor::vendorFolderPath(strJLinkPath));
    // J-Link's own database stays; the per-user one is the installer's.
    if (bUserFolder && bEmptied && QFile::remove(strDatabasePath))
        bRemoved = true;
    return bRemoved ? UninstallResult::Removed : UninstallResult::NothingToRemove;
}

} // namespace

UninstallResult uninstall(const QString &strJLinkPath, QString &strErroInfo, TargetKind kind,
                          Reason *pReason, std::chrono::milliseconds lockWait)
{
    strErroInfo.clear();
    const bool bUserFolder = kind == TargetKind::UserFolder;
    UninstallResult result;
    {
        InstallationLock lock(strJLinkPath);
        if (!lock.acquire(lockWait)) {
            strErroInfo = JobMessages::databaseAccessFailed();
            if (pReason)
                *pReason = Reason(JobMessages::lockedByAnotherJob(), strJLinkPath);
            return UninstallResult::Failed;
        }
        result = removeInstallation(strJLinkPath, bUserFolder, strErroInfo, pReason);
    }
    // Once the lock file is gone: the folders the job made, when empty.
    // SEGGER's folder above the per-user folder stays.
    if (bUserFolder && !QFileInfo::exists(deviceDatabasePath(strJLinkPath))) {
        QDir dir(QString{});
        dir.rmdir(strJLinkPath + QLatin1Char('/') + Vendor::devicesFolder());
        dir.rmdir(strJLinkPath);
    }
    return result;
}
