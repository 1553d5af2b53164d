#ifndef DEPLOYMENTLIST_H
#define DEPLOYMENTLIST_H

#include <array>

// The payload files that go into the loader folder, in the order they are
// copied: the J-Link script first, then the flash loaders series by series.
// The build reads the names from deploymentlist.cpp to fill the bundle, so
// the list and the bundle cannot drift apart; keep one quoted name per line.
extern const std::array<const char *, 266> deploymentList;

#endif
