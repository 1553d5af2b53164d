#ifndef DETACHEDJOB_H
#define DETACHEDJOB_H

class QThread;

// Hands a started job over to the process: the window may stop waiting for
// it, but quitting waits until it has finished, so the database and the
// loader folder are never left half written. It is deleted once finished.
void detachJob(QThread *job);

#endif
