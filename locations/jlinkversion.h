#ifndef JLINKVERSION_H
#define JLINKVERSION_H

#include <QString>

// The J-Link version an installation folder is named after, as J-Link names
// its folders ("JLink_V794b" is "V7.94b"), following a link such as
// /opt/SEGGER/JLink to the folder it names. Empty when the name tells none.
QString jlinkVersion(const QString &strFolder);

// Whether that version also reads the per-user device folder.
bool readsUserDeviceFolder(const QString &strVersion);

#endif
