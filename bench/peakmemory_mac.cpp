#include "peakmemory.h"

#include <sys/resource.h>

qint64 peakResidentBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    // macOS counts in bytes.
    return qint64(usage.ru_maxrss);
}
