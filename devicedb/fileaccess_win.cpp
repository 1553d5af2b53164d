#include "fileaccess.h"

// Who may change a file on Windows is set by access lists, not by its owner
// and group; the replacement inherits those of the folder, as the file did.
void keepOwner(QFileDevice &, const QString &)
{
}

// Clears the read-only attribute that a copy out of the resources carries.
QFileDevice::Permissions writablePermissions()
{
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
        | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::WriteGroup
        | QFileDevice::ReadOther | QFileDevice::WriteOther;
}
