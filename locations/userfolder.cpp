#include "userfolder.h"

#include "heldfolder.h"

#include <QDir>
#include <QFileInfo>

QString userDeviceFolder()
{
    const QString strBase = qEnvironmentVariable(userFolderVariable);
    if (!QDir::isAbsolutePath(strBase))
        return QString();
    return QDir::toNativeSeparators(
        QDir::cleanPath(strBase + QLatin1String(userFolderBelowVariable)));
}

bool makeUserDeviceFolder(const QString &strFolder)
{
    return userFolderRefusal(strFolder).isEmpty() && QDir().mkpath(strFolder);
}

Reason userFolderRefusal(const QString &strFolder)
{
    if (!runsPrivileged())
        return Reason();
    QString strExisting = QDir::cleanPath(QDir::fromNativeSeparators(strFolder));
    while (!QFileInfo::exists(strExisting) && !QDir(strExisting).isRoot())
        strExisting = QFileInfo(strExisting).path();
    Reason reason;
    const HeldFolder folder = HeldFolder::open(strExisting, reason);
    if (!folder.isOpen())
        return reason;
    if (folder.ownedByThisAccount())
        return Reason();
    //: %1 is an account.
    return Reason::withWords(
        QT_TRANSLATE_NOOP("Reason",
                          "refused: the per-user folder belongs to %1, not to this account"),
        strFolder, {folder.ownerName()});
}
