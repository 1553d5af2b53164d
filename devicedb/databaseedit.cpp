#include "databaseedit.h"

#include "devicedatabase.h"
#include "jobmessages.h"
#include "pinnedhashseed.h"

bool editDeviceDatabase(const QString &strFileName, const std::function<bool(QDomDocument)> &edit,
                        QString &strErroInfo, QString *pstrReason)
{
    QString strReason;
    try {
        const PinnedHashSeed seed;
        QDomDocument doc = loadDeviceDatabase(strFileName);
        // A save that did not happen (a full disk, say) is no success.
        if (!edit(doc) || saveDeviceDatabase(doc, strFileName, &strReason))
            return true;
    } catch (const FileError &error) {
        strReason = error.reason();
    } catch (const std::exception &) {
    }
    strErroInfo = JobMessages::databaseAccessFailed();
    if (pstrReason)
        *pstrReason = strReason;
    return false;
}
