#include "catalogue.h"
#include "devicedatabase.h"
#include "jlinkaddqn58mcu.h"
#include "pinnedhashseed.h"
#include "registration.h"

#include <QFileInfo>

#include <exception>

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
                                      QString *pstrReason)
{
    const QString strFileName = deviceDatabasePath(strJLinkPath);
    strErroInfo.clear();
    if (!QFileInfo::exists(strFileName)) {
        strErroInfo = QStringLiteral("\"JLinkDevices.xml\" does not exist");
        return false;
    }

    // The load throws rather than hand back a partial tree, so a database
    // that cannot be read whole is never saved over.
    try {
        const PinnedHashSeed seed;
        QDomDocument doc = loadDeviceDatabase(strFileName);
        addCatalogueEntries(doc);
        // Entries that were not saved are not registered.
        if (saveDeviceDatabase(doc, strFileName))
            return true;
    } catch (const std::exception &) {
    }
    strErroInfo = QStringLiteral("\"JLinkDevices.xml\" access failed");
    return false;
}
