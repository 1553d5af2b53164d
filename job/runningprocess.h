#ifndef RUNNINGPROCESS_H
#define RUNNINGPROCESS_H

#include <QtGlobal>

// Whether a process of this id still runs on this machine.
bool processRuns(qint64 nPid);

#endif
