#include "runningprocess.h"

#include <windows.h>

bool processRuns(qint64 nPid)
{
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, DWORD(nPid));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    const bool bRuns = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return bRuns;
}
