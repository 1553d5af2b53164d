#include "userfolder.h"

// Roaming AppData, where J-Link looks; the toolkit's own locations add an
// organisation and program name or point at Local AppData.
const char userFolderVariable[] = "APPDATA";
const char userFolderBelowVariable[] = "/SEGGER/JLinkDevices";
