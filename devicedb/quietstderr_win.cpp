#include "quietstderr.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

// A program without a console has no standard error to mute.
void runWithoutStderr(const std::function<void()> &call)
{
    std::fflush(stderr);
    const int nStderr = _fileno(stderr);
    const int nSaved = nStderr >= 0 ? _dup(nStderr) : -1;
    const int nNull = _open("NUL", _O_WRONLY);
    const bool bMuted = nSaved >= 0 && nNull >= 0 && _dup2(nNull, nStderr) == 0;
    call();
    if (bMuted) {
        std::fflush(stderr);
        _dup2(nSaved, nStderr);
    }
    if (nNull >= 0)
        _close(nNull);
    if (nSaved >= 0)
        _close(nSaved);
}
