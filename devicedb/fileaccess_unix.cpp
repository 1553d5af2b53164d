#include "fileaccess.h"

#include "setuplog.h"

#include <QFileInfo>

#include <unistd.h>

void keepOwner(QFileDevice &replacement, const QString &strReplaced)
{
    // Follows a link: the file it names is the one replaced.
    const QFileInfo replaced(strReplaced);
    if (!replaced.exists())
        return;
    const int fd = replacement.handle();
    if (fchown(fd, replaced.ownerId(), replaced.groupId()) == 0)
        return;
    if (fchown(fd, uid_t(-1), replaced.groupId()) != 0)
        qCDebug(lcSetup) << "cannot keep the owner of" << strReplaced;
}

// Files that every local user could write would let anyone point J-Link at
// loaders and scripts of their own.
QFileDevice::Permissions writablePermissions()
{
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
        | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
}
