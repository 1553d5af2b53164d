#ifndef PEAKMEMORY_H
#define PEAKMEMORY_H

#include <QtGlobal>

// The largest resident set (working set on Windows) this process has had, in bytes.
qint64 peakResidentBytes();

#endif
