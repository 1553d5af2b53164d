#include "temporaryhome.h"

const char homeVariable[] = "APPDATA";
