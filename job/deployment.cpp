#include "jlinkaddqn58mcu.h"

#include "deploymentlist.h"
#include "devicedatabase.h"
#include "setuplog.h"
#include "vendor.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Why a payload file could not be put in place, for the user.
Reason copyReason(const QString &strTarget, const QString &strName)
{
    const QFileInfo target(strTarget);
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir())
        return Reason(QStringLiteral("the folder \"%1\" could not be made")
                          .arg(Vendor::entryLoaderFolder().chopped(1)),
                      target.path(), QStringLiteral("could not be made"));
    const bool bForbidden = !folder.isWritable() || (target.exists() && !target.isWritable());
    const QString strWords = bForbidden ? QStringLiteral("permission denied")
                                        : QStringLiteral("could not be written");
    return Reason(QStringLiteral("\"%1\" could not be written").arg(strName)
                      + (bForbidden ? QStringLiteral(": permission denied") : QString()),
                  strTarget, strWords);
}

} // namespace

bool JLinkAddQN58MCU::deployFiles(QString strFLMPath, Reason *pReason)
{
    // Nothing is rolled back: the copies made before a failure stay.
    try {
        for (const char *name : deploymentList)
            copyFlmFile(strFLMPath, QString::fromLatin1(name));
    } catch (const FileError &error) {
        if (pReason)
            *pReason = error.reason();
        return false;
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
        qCDebug(lcSetup).noquote() << strMessage;
        throw FileError(strMessage, copyReason(strTarget, strName));
    }
    // The copy inherits the resource's read-only permissions, which would stop
    // the next run from replacing it.
    makeFileWritable(strTarget);
}
