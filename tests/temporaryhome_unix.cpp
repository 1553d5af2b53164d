#include "temporaryhome.h"

const char homeVariable[] = "HOME";
