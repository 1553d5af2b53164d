#include "quietstderr.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

void runWithoutStderr(const std::function<void()> &call)
{
    std::fflush(stderr);
    const int nSaved = dup(STDERR_FILENO);
    const int nNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    const bool bMuted = nSaved >= 0 && nNull >= 0 && dup2(nNull, STDERR_FILENO) >= 0;
    call();
    if (bMuted) {
        std::fflush(stderr);
        dup2(nSaved, STDERR_FILENO);
    }
    if (nNull >= 0)
        close(nNull);
    if (nSaved >= 0)
        close(nSaved);
}
