// The DOM keeps an element's attributes in a hash table that takes the
// process's hash seed when it is filled, and writes them in the table's
// order; the edit of the text orders them as that table does. With the seed
// pinned before anything runs, the same database gives the same file on
// every machine and through every path: the tree, the text, the catalogue's
// entries made once. Compiled into every program that links the add-on.

#include <QHash>

namespace {

struct HashSeedPin
{
    HashSeedPin()
    {
        // The toolkit ignores every seed while QT_HASH_SEED is set. Any seed
        // but 0 lets it hash with the processor's CRC32 instructions where
        // there are some, and x86-64 and ARM machines would write the
        // attributes in different orders.
        qunsetenv("QT_HASH_SEED");
        qSetGlobalQHashSeed(0);
    }
};

const HashSeedPin pin;

} // namespace
