#ifndef USERFOLDER_H
#define USERFOLDER_H

#include "failurereason.h"

#include <QString>

// The variable the per-user folder lies below on this platform: HOME, or
// APPDATA on Windows.
extern const char userFolderVariable[];
// Where below it J-Link looks.
extern const char userFolderBelowVariable[];

// The per-user folder from which J-Link V7.62 and later also read device
// descriptions, on this platform; it may not exist yet. Empty when
// userFolderVariable is unset, empty or not an absolute path: the account
// then has no such place, and a guess would write elsewhere.
QString userDeviceFolder();
// Makes the per-user folder (strFolder, as the user spelt it) with its
// parents before the first installation into it; J-Link makes none of them.
// Refuses, when privileged, a per-user folder that is not this account's own.
bool makeUserDeviceFolder(const QString &strFolder);
// Why a privileged run does not work in the per-user folder: it, or the
// folder above it that exists, belongs to another account (a HOME kept by
// sudo -E, say), or cannot be reached safely. Empty when it may.
Reason userFolderRefusal(const QString &strFolder);

#endif
