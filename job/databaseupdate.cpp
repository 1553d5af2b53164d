#include "databaseupdate.h"
#include "jlinkaddqn58mcu.h"

#include "devicedatabase.h"
#include "heldfolder.h"
#include "jobmessages.h"
#include "olddevices.h"
#include "registration.h"
#include "textrewriter.h"
#include "vendorentries.h"

#include <QFileInfo>

#include <exception>

bool replaceVendorEntries(QDomDocument doc)
{
    removeVendorEntries(doc.documentElement());
    addCatalogueEntries(doc);
    return true;
}

TextEditResult replaceVendorEntriesInText(const QByteArray &content, QByteArray &text)
{
    return rewriteDatabaseText(content, catalogueEntriesText(), text) ? TextEditResult::Edited
                                                                      : TextEditResult::LeftToTree;
}

namespace {

// A missing database starts from the template in memory and is written once,
// so that no run leaves the bare template behind. Fails as the removal step
// does when it cannot make the database.
bool createWithEntries(const QString &strJLinkPath, QString &strErroInfo, Reason *pReason)
{
    const QString strDatabasePath = deviceDatabasePath(strJLinkPath);
    Reason reason;
    try {
        QDomDocument doc = loadDatabaseTemplate();
        replaceVendorEntries(doc);
        // Whatever is in the way, a name that leads nowhere included, is replaced.
        if (saveDeviceDatabase(doc, strDatabasePath, &reason))
            return true;
        if (!isRefusal(reason))
            reason = creationReason(strJLinkPath);
    } catch (const std::exception &) {
        strErroInfo = JobMessages::databaseAccessFailed();
    }
    if (pReason)
        *pReason = reason;
    return false;
}

} // namespace

// One load and one save: the database on disk goes from its old content to
// the new one in a single replacement, and holds nothing in between.
int JLinkAddQN58MCU::updateDevices(QString strJLinkPath, QString &strErroInfo, Reason *pReason)
{
    strErroInfo.clear();
    removeEmptyVendorFolder(strJLinkPath);
    const QString strDatabasePath = deviceDatabasePath(strJLinkPath);
    const bool bDone = QFileInfo::exists(strDatabasePath)
        ? editDeviceDatabase(strDatabasePath, replaceVendorEntries, strErroInfo, pReason,
                             replaceVendorEntriesInText)
        : createWithEntries(strJLinkPath, strErroInfo, pReason);
    return bDone ? 0 : 1;
}
