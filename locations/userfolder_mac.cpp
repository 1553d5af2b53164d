#include "userfolder.h"

const char userFolderVariable[] = "HOME";
const char userFolderBelowVariable[] = "/Library/Application Support/SEGGER/JLinkDevices";
