#ifndef FILEACCESS_H
#define FILEACCESS_H

#include <QFileDevice>
#include <QString>

// Gives an open replacement the owner and group of the file it is about to
// replace, as far as the process may: root may set both, another user only a
// group they belong to. A database that an administrator saved over a user's
// installation must stay writable for that user.
void keepOwner(QFileDevice &replacement, const QString &strReplaced);

// What a copy out of the payload bundle is given, so that the next run can
// replace it.
QFileDevice::Permissions writablePermissions();

#endif
