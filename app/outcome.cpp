#include "outcome.h"

#include <QCoreApplication>

QString outcomeText(int nResult, const QString &strErrorInfo, const QString &strReason)
{
    if (nResult == 0)
        return QCoreApplication::translate(
            "MainWindow", "Setup has performed all requested operations successfully");
    const QString strMessage = strErrorInfo.isEmpty()
        ? QCoreApplication::translate("MainWindow", "Setup has failed")
        : strErrorInfo;
    return strReason.isEmpty() ? strMessage : strMessage + QStringLiteral(": ") + strReason;
}
