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
    if (nPins++ == 0) {
        // The toolkit ignores every seed while QT_HASH_SEED is set. Any seed
        // but 0 lets it hash with the processor's CRC32 instructions where
        // there are some, and x86-64 and ARM machines would write the
        // attributes in different orders.
        qunsetenv("QT_HASH_SEED");
        qSetGlobalQHashSeed(0);
    }
}

PinnedHashSeed::~PinnedHashSeed()
{
    if (--nPins == 0)
        qSetGlobalQHashSeed(-1);
    seedMutex().unlock();
}
