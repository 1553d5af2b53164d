#include "pinnedhashseed.h"

#include "quietstderr.h"

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
    if (nPins++ == 0) {
        // The toolkit ignores every seed while QT_HASH_SEED is set, and
        // warns of any seed but 0 on standard error, without a line end.
        qunsetenv("QT_HASH_SEED");
        runWithoutStderr([] { qSetGlobalQHashSeed(100); });
    }
}

PinnedHashSeed::~PinnedHashSeed()
{
    if (--nPins == 0)
        qSetGlobalQHashSeed(-1);
    seedMutex().unlock();
}
