#include "userfolder.h"

const char userFolderVariable[] = "HOME";
// J-Link names $HOME/.config itself, whatever XDG_CONFIG_HOME says.
const char userFolderBelowVariable[] = "/.config/SEGGER/JLinkDevices";
