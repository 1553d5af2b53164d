#include "runningprocess.h"

#include <cerrno>

#include <signal.h>

bool processRuns(qint64 nPid)
{
    // Another account's process may not be signalled, but it runs.
    return nPid > 0 && (kill(pid_t(nPid), 0) == 0 || errno == EPERM);
}
