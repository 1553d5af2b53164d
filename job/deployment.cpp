#include "jlinkaddqn58mcu.h"

#include "deploymentlist.h"
#include "devicedatabase.h"

#include <QDebug>
#include <QFile>

#include <stdexcept>

bool JLinkAddQN58MCU::deployFiles(QString strFLMPath, QString *pstrReason)
{
    // Nothing is rolled back: the copies made before a failure stay.
    try {
        for (const char *name : deploymentList)
            copyFlmFile(strFLMPath, QString::fromLatin1(name));
    } catch (const std::exception &) {
        return false;
    }
    return true;
}

void JLinkAddQN58MCU::copyFlmFile(QString strFLMPath, QString strName)
{
    const QString strTarget = strFLMPath + QLatin1Char('/') + strName;
    // QFile::copy never overwrites; a file that cannot be removed makes it fail.
    // A link goes too, also one whose target is gone; what it points at stays.
    removeEarlierCopy(strTarget);
    if (!QFile::copy(QStringLiteral(":/FLMFile/") + strName, strTarget)) {
        const QString strMessage = QStringLiteral("Failed to copy file: ") + strName;
        qDebug().noquote() << strMessage;
        throw std::runtime_error(strMessage.toLatin1().toStdString());
    }
    // The copy inherits the resource's read-only permissions, which would stop
    // the next run from replacing it.
    makeFileWritable(strTarget);
}
