#ifndef FILEACCESS_H
#define FILEACCESS_H

#include <QFileDevice>
#include <QString>

// What a copy out of the payload bundle is given, so that the next run can
// replace it.
QFileDevice::Permissions writablePermissions();

#endif
