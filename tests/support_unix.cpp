#include "support.h"

#include <unistd.h>

void detachFromConsole(QProcess &)
{
}

bool runsAsRoot()
{
    return geteuid() == 0;
}
