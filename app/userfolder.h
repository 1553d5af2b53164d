#ifndef USERFOLDER_H
#define USERFOLDER_H

#include <QString>

// The per-user folder from which J-Link V7.62 and later also read device
// descriptions, on this platform; it may not exist yet. Empty when the
// account has no such place.
QString userDeviceFolder();

#endif
