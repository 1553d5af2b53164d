#include "catalogue.h"
#include "devicedatabase.h"
#include "jlinkaddqn58mcu.h"
#include "jobmessages.h"
#include "registration.h"

#include <QFileInfo>

namespace {

void registerRow(QDomDocument doc, const CatalogueRow &row)
{
    const QString deviceName = QLatin1String(row.deviceName);
    const QString workRamSize = QLatin1String(row.workRamSize);
    switch (row.kind) {
    case EntryKind::MainFlash:
        JLinkAddQN58MCU::addMainFlashDevice(doc, deviceName, workRamSize, row.flashSizeKB,
                                            row.familyCode);
        break;
    case EntryKind::ApMode:
        JLinkAddQN58MCU::addApModeDevice(doc, deviceName, workRamSize, row.flashSizeKB,
                                         row.familyCode);
        break;
    case EntryKind::Usd:
        JLinkAddQN58MCU::addUsdDevice(doc, deviceName, workRamSize, row.familyCode,
                                      row.usdVariant);
        break;
    case EntryKind::ExtFlash:
        JLinkAddQN58MCU::addExtFlashDevice(doc, deviceName, workRamSize, row.extSizeKB);
        break;
    case EntryKind::Universal:
        JLinkAddQN58MCU::addUniversalDevice(doc, deviceName, workRamSize, row.flashSizeKB,
                                            row.extType, row.extRemap, row.familyCode);
        break;
    }
}

} // namespace

void addCatalogueEntries(QDomDocument doc)
{
    for (const CatalogueRow &row : deviceCatalogue())
        registerRow(doc, row);
}

bool JLinkAddQN58MCU::registerDevices(QString strJLinkPath, QString &strErroInfo,
                                      Reason *pReason)
{
    const QString strFileName = deviceDatabasePath(strJLinkPath);
    strErroInfo.clear();
    if (!QFileInfo::exists(strFileName)) {
        strErroInfo = JobMessages::databaseMissing();
        return false;
    }

    // Entries that were not saved are not registered.
    return editDeviceDatabase(
        strFileName,
        [](QDomDocument doc) {
            addCatalogueEntries(doc);
            return true;
        },
        strErroInfo, pReason);
}

QByteArray catalogueEntriesText()
{
    // The same bytes for every job of the process, made once.
    static const QByteArray text = [] {
        QDomDocument doc;
        doc.appendChild(doc.createElement(QStringLiteral("DataBase")));
        addCatalogueEntries(doc);
        return childrenText(doc.documentElement());
    }();
    return text;
}
