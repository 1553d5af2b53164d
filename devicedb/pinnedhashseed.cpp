#include "pinnedhashseed.h"

#include <QHash>
#include <QRecursiveMutex>

namespace {

QRecursiveMutex &seedMutex()
{
    static QRecursiveMutex mutex;
    return mutex;
}

int nPins = 0; // guarded by seedMutex()

} // namespace

PinnedHashSeed::PinnedHashSeed()
{
    seedMutex().lock();
    if (nPins++ == 0)
        qSetGlobalQHashSeed(100);
}

PinnedHashSeed::~PinnedHashSeed()
{
    if (--nPins == 0)
        qSetGlobalQHashSeed(-1);
    seedMutex().unlock();
}
