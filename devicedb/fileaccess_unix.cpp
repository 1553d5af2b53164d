#include "fileaccess.h"

// Files that every local user could write would let anyone point J-Link at
// loaders and scripts of their own.
QFileDevice::Permissions writablePermissions()
{
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
        | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
}
