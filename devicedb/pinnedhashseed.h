#ifndef PINNEDHASHSEED_H
#define PINNEDHASHSEED_H

#include <QtGlobal>

// The DOM keeps an element's attributes in a hash table that takes the
// process's hash seed when it is made, and writes them in the table's order.
// Held from before a load until after the save, the same database gives the
// same file on every machine. The seed belongs to the whole process: a job on another thread
// waits instead of unpinning it under this one. Nested pins keep the outer one.
class PinnedHashSeed
{
public:
    PinnedHashSeed();
    ~PinnedHashSeed();

private:
    Q_DISABLE_COPY(PinnedHashSeed)
};

#endif
