#include "uninstallation.h"

#include "deploymentlist.h"
#include "devicedatabase.h"
#include "heldfolder.h"
#include "jobmessages.h"
#include "textrewriter.h"
#include "vendor.h"
#include "vendorentries.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The job's single pass with nothing to add; a database with a document type
// takes the tree. One without the vendor's entries is not rewritten.
// bEmptied tells that nothing else is left in it either.
bool removeEntries(const QString &strDatabasePath, bool &bRemoved, bool &bEmptied,
                   QString &strErroInfo, Reason *pReason)
{
    if (!QFileInfo::exists(strDatabasePath))
        return true;
    const auto textEdit = [&](const QByteArray &content, QByteArray &text) {
        RewriteOutcome outcome;
        if (!rewriteDatabaseText(content, QByteArray(), text, &outcome))
            return TextEditResult::LeftToTree;
        bEmptied = outcome.bEmptied;
        bRemoved = outcome.nRemoved > 0;
        return bRemoved ? TextEditResult::Edited : TextEditResult::Unchanged;
    };
    const auto edit = [&](QDomDocument doc) {
        QDomElement root = doc.documentElement();
        const int nBefore = root.childNodes().count();
        removeVendorEntries(root);
        bEmptied = holdsNothing(doc);
        bRemoved = root.childNodes().count() != nBefore;
        return bRemoved;
    };
    return editDeviceDatabase(strDatabasePath, edit, strErroInfo, pReason, textEdit);
}

// The vendor's folders below the installation, when they are there; a
// refused name fails with its reason.
struct VendorFolders
{
    HeldFolder installation;
    HeldFolder devices;
    HeldFolder vendor;
    HeldFolder loaders;
};

bool openVendorFolders(const QString &strJLinkPath, VendorFolders &folders, Reason &reason)
{
    folders.installation = HeldFolder::open(strJLinkPath, reason);
    if (!folders.installation.isOpen())
        return !isRefusal(reason);
    reason = Reason();
    if (folders.installation.entry(Vendor::devicesFolder()) != HeldFolder::Entry::Missing)
        folders.devices = folders.installation.folder(Vendor::devicesFolder(), false, reason);
    if (folders.devices.isOpen() && folders.devices.entry(Vendor::name()) != HeldFolder::Entry::Missing)
        folders.vendor = folders.devices.ownFolder(Vendor::name(), false, reason);
    if (folders.vendor.isOpen()
        && folders.vendor.entry(Vendor::loaderFolder()) != HeldFolder::Entry::Missing)
        folders.loaders = folders.vendor.ownFolder(Vendor::loaderFolder(), false, reason);
    return !isRefusal(reason);
}

// A folder of the user's own that bears a loader's name is not ours; a
// privileged run removes no link of a loader's name either.
bool removeFiles(const HeldFolder &loaders, bool &bRemoved, Reason &reason)
{
    for (const char *name : deploymentList) {
        const QString strName = QLatin1String(name);
        const HeldFolder::Entry entry = loaders.entry(strName);
        if (entry == HeldFolder::Entry::Link && runsPrivileged()) {
            reason = Reason(QT_TRANSLATE_NOOP("Reason", "refused: a link where the installer "
                                                        "writes its own file"),
                            loaders.pathOf(strName));
            return false;
        }
        if (entry != HeldFolder::Entry::File && entry != HeldFolder::Entry::Link)
            continue;
        if (!loaders.remove(strName)) {
            //: %1 is a file's path.
            reason = Reason(QT_TRANSLATE_NOOP("Reason", "\"%1\" could not be removed"), QString(),
                            {QDir::toNativeSeparators(loaders.pathOf(strName))});
            return false;
        }
        bRemoved = true;
    }
    loaders.sync();
    return true;
}

// Under the folder's lock: the entries, the files, the vendor's folders and,
// when bUserFolder and nothing else is left in it, the database.
UninstallResult removeInstallation(const QString &strJLinkPath, bool bUserFolder,
                                   QString &strErroInfo, Reason *pReason)
{
    VendorFolders folders;
    Reason reason;
    if (!openVendorFolders(strJLinkPath, folders, reason)) {
        strErroInfo = JobMessages::databaseAccessFailed();
        if (pReason)
            *pReason = reason;
        return UninstallResult::Failed;
    }
    bool bRemoved = false;
    bool bEmptied = false;
    const QString strDatabasePath = deviceDatabasePath(strJLinkPath);
    if (!removeEntries(strDatabasePath, bRemoved, bEmptied, strErroInfo, pReason))
        return UninstallResult::Failed;
    if (folders.loaders.isOpen() && !removeFiles(folders.loaders, bRemoved, reason)) {
        if (isRefusal(reason)) {
            strErroInfo = JobMessages::databaseAccessFailed();
            if (pReason)
                *pReason = reason;
        } else {
            strErroInfo = reason.translated();
        }
        return UninstallResult::Failed;
    }
    // Only empty folders go; one holding a file of the user's own stays.
    // Each is let go first: Windows removes no folder that is still open.
    folders.loaders = HeldFolder();
    if (folders.vendor.isOpen() && folders.vendor.removeFolder(Vendor::loaderFolder()))
        bRemoved = true;
    folders.vendor = HeldFolder();
    if (folders.devices.isOpen())
        folders.devices.removeFolder(Vendor::name());
    // J-Link's own database stays; the per-user one is the installer's.
    if (bUserFolder && bEmptied && folders.installation.remove(QStringLiteral("JLinkDevices.xml")))
        bRemoved = true;
    return bRemoved ? UninstallResult::Removed : UninstallResult::NothingToRemove;
}

// The folders the job made in the per-user folder, when empty, and the
// per-user folder itself; SEGGER's folder above it stays.
void removeEmptyUserFolders(const QString &strJLinkPath)
{
    Reason reason;
    HeldFolder folder = HeldFolder::open(strJLinkPath, reason);
    if (!folder.isOpen() || folder.entry(QStringLiteral("JLinkDevices.xml")) != HeldFolder::Entry::Missing)
        return;
    folder.removeFolder(Vendor::devicesFolder());
    folder = HeldFolder();
    const QFileInfo info(strJLinkPath);
    const HeldFolder parent = HeldFolder::open(info.path(), reason);
    if (parent.isOpen())
        parent.removeFolder(info.fileName());
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
                *pReason = lock.failure();
            return UninstallResult::Failed;
        }
        result = removeInstallation(strJLinkPath, bUserFolder, strErroInfo, pReason);
    }
    // Once the lock file is gone.
    if (bUserFolder)
        removeEmptyUserFolders(strJLinkPath);
    return result;
}
