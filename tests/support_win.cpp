#include "support.h"

#include <windows.h>

void detachFromConsole(QProcess &process)
{
    process.setCreateProcessArgumentsModifier(
        [](QProcess::CreateProcessArguments *arguments) { arguments->flags |= DETACHED_PROCESS; });
}

bool runsAsRoot()
{
    return false;
}
