#include "outcome.h"

#include <QCoreApplication>

QString outcomeText(int nResult, const QString &strErrorInfo)
{
    if (nResult == 0)
        return QCoreApplication::translate(
            "MainWindow", "Setup has performed all requested operations successfully");
    if (!strErrorInfo.isEmpty())
        return strErrorInfo;
    return QCoreApplication::translate("MainWindow", "Setup has failed");
}
