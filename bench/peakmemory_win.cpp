#include "peakmemory.h"

#include <windows.h>

#include <psapi.h>

qint64 peakResidentBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)))
        return 0;
    return qint64(counters.PeakWorkingSetSize);
}
