#include "jlinkaddqn58mcu.h"

#include "deploymentlist.h"
#include "devicedatabase.h"
#include "fileaccess.h"
#include "setuplog.h"
#include "vendor.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

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
    // The new file takes a free name; a file that cannot be removed makes the
    // copy fail. A link goes too, also one whose target is gone; what it
    // points at stays.
    removeEarlierCopy(strTarget);
    // Written beside its place and then named, as QFile::copy does and under
    // its name, without its sync of the still empty file, which cost the job
    // more than the rest of the copy and kept nothing safe.
    QFile source(QStringLiteral(":/FLMFile/") + strName);
    QTemporaryFile copy(strFLMPath + QStringLiteral("/qt_temp.XXXXXX"));
    const bool bCopied = source.open(QIODevice::ReadOnly) && copy.open()
        && copy.write(source.readAll()) == source.size() && copy.flush()
        // Writable, or the next run could not replace it.
        && copy.setPermissions(writablePermissions()) && copy.rename(strTarget);
    if (!bCopied) {
        const QString strMessage = QStringLiteral("Failed to copy file: ") + strName;
        qCDebug(lcSetup).noquote() << strMessage;
        throw FileError(strMessage, copyReason(strTarget, strName));
    }
    copy.setAutoRemove(false); // it is the loader now
}
