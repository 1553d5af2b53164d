#ifndef QUIETSTDERR_H
#define QUIETSTDERR_H

#include <functional>

// Runs call with the process's standard error sent nowhere, for toolkit calls
// that print a note no user can act on. Other threads' output in that moment
// is lost too, so call must be short.
void runWithoutStderr(const std::function<void()> &call);

#endif
