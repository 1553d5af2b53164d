#include "detachedjob.h"

#include <QCoreApplication>
#include <QThread>

void detachJob(QThread *job)
{
    QObject::connect(job, &QThread::finished, job, &QObject::deleteLater);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, job, [job] { job->wait(); });
}
