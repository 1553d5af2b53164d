#ifndef OUTCOME_H
#define OUTCOME_H

#include <QString>

// The line that reports a job's result, the same in the window and on the
// console: success, else the job's message or a fallback for an empty one,
// followed by the reason of the failure when the job names one.
QString outcomeText(int nResult, const QString &strErrorInfo,
                    const QString &strReason = QString());

#endif
