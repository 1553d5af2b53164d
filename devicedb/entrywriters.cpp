#include "jlinkaddqn58mcu.h"

#include "familycodes.h"
#include "vendor.h"

#include <QVector>

#include <climits>

namespace {

const char *const coreM0 = "JLINK_CORE_CORTEX_M0";
const char *const coreM4 = "JLINK_CORE_CORTEX_M4";

const char *const bankOne = "Flash Bank1";
const char *const bankOneTwo = "Flash Bank1_2";
const char *const bankBootMemory = "Flash Boot Memory";
const char *const bankThree = "Flash Bank3";
const char *const bankUsd = "Flash USD";

const char *const mainFlashBase = "0x08000000";
const char *const extFlashBase = "0x08400000";

// A main flash above this size is registered as "Flash Bank1_2".
const int largestBankOneKB = 512;
// The external flash of a universal entry.
const int universalExtFlashKB = 16384;

// Main-flash sizes in KB for which a family has a loader.
struct MainFlashLoaders
{
    int familyCode;
    QVector<int> sizesKB;
};

const MainFlashLoaders mainFlashLoaders[] = {
    {FamilyCode::QN58K212, {128, 256, 512, 1024}},
    {FamilyCode::QN58K199, {64, 128, 256}},
    {FamilyCode::QN58K528, {64, 128, 256}},
    {FamilyCode::QN58K212A, {256, 512, 1024}},
    {FamilyCode::QN58K254, {256, 512, 1024}},
    {FamilyCode::QN58K830, {16, 32, 64}},
    {FamilyCode::QN58K944, {192, 256, 448, 960, 1024, 4032}},
    {FamilyCode::QN58K192, {256, 448, 1024, 4032}},
    {FamilyCode::QN58K774, {16, 32, 64}},
    {FamilyCode::QN58P124, {16, 32, 64}},
    {FamilyCode::QN58VX617, {64, 128, 256}},
    {FamilyCode::QN58K699, {64, 128, 256}},
    {FamilyCode::QN58K210, {128, 256}},
    {FamilyCode::QN58K569, {128, 256}},
    {FamilyCode::QN58K103, {256, 512}},
    {FamilyCode::QN58K518, {256, 512}},
    {FamilyCode::QN58K121, {256, 512}},
    {FamilyCode::QN58R258A, {256, 512, 1024}},
    {FamilyCode::QN58N164, {64, 128}},
    {FamilyCode::QN58N229, {64, 128}},
    {FamilyCode::QN58R820, {64, 128, 256}},
    {FamilyCode::QN58K872, {128, 256}},
    {FamilyCode::QN58K333, {64, 128}},
    {FamilyCode::QN58K624, {64, 128}},
    {FamilyCode::QN58K212E, {256, 448, 1024}},
    {FamilyCode::QN58K254E, {256, 448, 1024}},
    {FamilyCode::QN58K949, {16, 32, 64}},
    {FamilyCode::QN58K410, {256, 512}},
    {FamilyCode::QN58K8395, {64, 128}},
    {FamilyCode::VC71K228, {64}},
};

struct BootMemory
{
    const char *baseAddr;
    int sizeKB;
};

const BootMemory bootGroupA = {"0x1FFFAC00", 18};
const BootMemory bootGroupB = {"0x1FFFE400", 4};
const BootMemory bootGroupC = {"0x1FFFA400", 20};
const BootMemory bootGroupD = {"0x1FFF7C00", 26};
const BootMemory bootGroupE = {"0x1FFF8000", 28};

// The main-flash rows of an AP-mode entry and its boot memory.
struct ApModeFamily
{
    int familyCode;
    QVector<int> rowsKB;
    int otherSizesRowKB; // the row for a size without a row of its own; 0 for none
    const BootMemory *bootMemory;
};

const ApModeFamily apModeFamilies[] = {
    {FamilyCode::QN58K528, {64, 128, 256}, 256, &bootGroupA},
    {FamilyCode::QN58K830, {16, 32, 64}, 0, &bootGroupB},
    {FamilyCode::QN58K774, {16, 32, 64}, 0, &bootGroupB},
    {FamilyCode::QN58P124, {16, 32, 64}, 0, &bootGroupB},
    {FamilyCode::QN58VX617, {64, 128, 256}, 256, &bootGroupA},
    {FamilyCode::QN58K699, {64, 128, 256}, 0, &bootGroupC},
    {FamilyCode::QN58K210, {128, 256}, 0, &bootGroupC},
    {FamilyCode::QN58K569, {128, 256}, 0, &bootGroupC},
    {FamilyCode::QN58K103, {256, 512}, 0, &bootGroupD},
    {FamilyCode::QN58K518, {256, 512}, 0, &bootGroupD},
    {FamilyCode::QN58K121, {256, 512}, 0, &bootGroupD},
    {FamilyCode::QN58N164, {64, 128}, 0, &bootGroupE},
    {FamilyCode::QN58N229, {64, 128}, 0, &bootGroupE},
    {FamilyCode::QN58R820, {64, 128, 256}, 0, &bootGroupC},
    {FamilyCode::QN58K872, {128, 256}, 0, &bootGroupC},
    {FamilyCode::QN58K333, {64, 128}, 0, &bootGroupE},
    {FamilyCode::QN58K624, {64, 128}, 0, &bootGroupE},
    {FamilyCode::QN58K949, {16, 32, 64}, 0, &bootGroupB},
    {FamilyCode::QN58K410, {256, 512}, 0, &bootGroupD},
    {FamilyCode::QN58K8395, {64, 128}, 0, &bootGroupE},
    {FamilyCode::VC71K228, {16, 32, 64}, 0, &bootGroupB},
    // Named main bank only.
    {FamilyCode::QN58K212E, {}, 0, nullptr},
    {FamilyCode::QN58K254E, {}, 0, nullptr},
};

// The main bank of a universal entry: the first row of the family whose
// bound the flash size does not exceed.
struct UniversalMainBank
{
    int familyCode;
    int upToKB;
    const char *name;
    int sizeKB;
};

const int anySize = INT_MAX;

const UniversalMainBank universalMainBanks[] = {
    {FamilyCode::QN58K212, 128, bankOne, 128},
    {FamilyCode::QN58K212, anySize, bankOneTwo, 1024},
    {FamilyCode::QN58K199, 128, bankOne, 128},
    {FamilyCode::QN58K199, anySize, bankOne, 256},
    {FamilyCode::QN58K212A, anySize, bankOneTwo, 1024},
    {FamilyCode::QN58K254, anySize, bankOneTwo, 1024},
    {FamilyCode::QN58R258A, anySize, bankOneTwo, 1024},
    {FamilyCode::QN58K212E, anySize, bankOneTwo, 1024},
    {FamilyCode::QN58K254E, anySize, bankOneTwo, 1024},
};

// Families with a 16 MB external-flash loader per type, and whether the
// loader is also chosen by the remap selection.
struct UniversalExtLoader
{
    int familyCode;
    bool byRemap;
};

const UniversalExtLoader universalExtLoaders[] = {
    {FamilyCode::QN58K212, false},
    {FamilyCode::QN58K199, true},
    {FamilyCode::QN58K212A, true},
    {FamilyCode::QN58K254, true},
    {FamilyCode::QN58R258A, true},
};

struct UsdLayout
{
    int familyCode;
    const char *baseAddr;
    int sizeBytes;
};

// The families whose area size the catalogue passes as the variant.
const int sizeByVariant = 0;

const UsdLayout usdLayouts[] = {
    {FamilyCode::QN58K212, "0x1FFFF800", 0x30},
    {FamilyCode::QN58K199, "0x1FFFF800", 0x30},
    {FamilyCode::QN58K528, "0x1FFFF800", 0x400},
    {FamilyCode::QN58K212A, "0x1FFFF800", 0x30},
    {FamilyCode::QN58K254, "0x1FFFF800", 0x30},
    {FamilyCode::QN58K830, "0x1FFFF800", 0x200},
    {FamilyCode::QN58K944, "0x1FFFC000", sizeByVariant},
    {FamilyCode::QN58K192, "0x1FFFC000", sizeByVariant},
    {FamilyCode::QN58K774, "0x1FFFF800", 0x200},
    {FamilyCode::QN58P124, "0x1FFFF800", 0x200},
    {FamilyCode::QN58VX617, "0x1FFFF800", 0x400},
    {FamilyCode::QN58K699, "0x1FFFF800", 0x200},
    {FamilyCode::QN58K210, "0x1FFFF800", 0x200},
    {FamilyCode::QN58K569, "0x1FFFF800", 0x200},
    {FamilyCode::QN58K103, "0x1FFFF800", 0x200},
    {FamilyCode::QN58K518, "0x1FFFF800", 0x200},
    {FamilyCode::QN58K121, "0x1FFFF800", 0x200},
    {FamilyCode::QN58R258A, "0x1FFFF800", 0x30},
    {FamilyCode::QN58N164, "0x1FFFF800", 0x200},
    {FamilyCode::QN58N229, "0x1FFFF800", 0x200},
    {FamilyCode::QN58R820, "0x1FFFF800", 0x200},
    {FamilyCode::QN58K872, "0x1FFFF800", 0x200},
    {FamilyCode::QN58K333, "0x1FFFF800", 0x200},
    {FamilyCode::QN58K624, "0x1FFFF800", 0x200},
    {FamilyCode::QN58K212E, "0x1FFFF800", 0x100},
    {FamilyCode::QN58K254E, "0x1FFFF800", 0x100},
    {FamilyCode::QN58K949, "0x1FFFF800", 0x200},
    {FamilyCode::QN58K410, "0x1FFFF800", 0x200},
    {FamilyCode::QN58K8395, "0x1FFFF800", 0x200},
    {FamilyCode::VC71K228, "0x1FFFF800", 0x200},
};

template <typename Row, size_t N>
const Row *findFamily(const Row (&table)[N], int familyCode)
{
    for (const Row &row : table) {
        if (row.familyCode == familyCode)
            return &row;
    }
    return nullptr;
}

const UniversalMainBank *findUniversalMainBank(int familyCode, int flashSizeKB)
{
    for (const UniversalMainBank &row : universalMainBanks) {
        if (row.familyCode == familyCode && flashSizeKB <= row.upToKB)
            return &row;
    }
    return nullptr;
}

// A bank's attributes; an empty text is an attribute the bank leaves out.
struct FlashBank
{
    QString strName;
    QString strBaseAddr;
    QString strMaxSize;
    QString strLoader;
};

QString longFormSize(quint32 nBytes)
{
    return QStringLiteral("0x%1").arg(nBytes, 8, 16, QLatin1Char('0'));
}

QString kilobytesLongForm(int nKB)
{
    return longFormSize(quint32(nKB) << 10);
}

QString loaderPath(const QString &strFileName)
{
    return Vendor::entryLoaderFolder() + strFileName;
}

QString mainFlashLoader(int familyCode, int sizeKB)
{
    return loaderPath(familySeries(familyCode) + QLatin1Char('_') + QString::number(sizeKB)
                      + QStringLiteral(".FLM"));
}

QString bootMemoryLoader(int familyCode)
{
    // The QN58N229 boots through the QN58N164's loader.
    const int loaderFamily =
        familyCode == FamilyCode::QN58N229 ? int(FamilyCode::QN58N164) : familyCode;
    return loaderPath(familySeries(loaderFamily) + QStringLiteral("_BOOTMEM_AP.FLM"));
}

QString universalExtLoader(int familyCode, int extType, int extRemap)
{
    const UniversalExtLoader *row = findFamily(universalExtLoaders, familyCode);
    if (!row || (extType != 1 && extType != 2))
        return QString();
    QString strName = familySeries(familyCode) + QStringLiteral("_EXT_TYPE") + QString::number(extType);
    if (row->byRemap) {
        if (extRemap != 0 && extRemap != 1)
            return QString();
        // The loader files spell it "REAMP".
        strName += QStringLiteral("_REAMP") + QString::number(extRemap);
    }
    return loaderPath(strName + QStringLiteral("_16MB.FLM"));
}

const char *coreByFamily(int familyCode)
{
    const bool bCortexM0 = familyCode == FamilyCode::QN58P124 || familyCode == FamilyCode::QN58K949;
    return bCortexM0 ? coreM0 : coreM4;
}

QDomElement newDevice(QDomDocument &doc, const QString &deviceName, const QString &workRamSize,
                      const char *core)
{
    QDomElement device = doc.createElement(QStringLiteral("Device"));
    QDomElement chipInfo = doc.createElement(QStringLiteral("ChipInfo"));
    chipInfo.setAttribute(QStringLiteral("Vendor"), Vendor::name());
    chipInfo.setAttribute(QStringLiteral("Name"), deviceName);
    chipInfo.setAttribute(QStringLiteral("WorkRAMAddr"), QStringLiteral("0x20000000"));
    chipInfo.setAttribute(QStringLiteral("WorkRAMSize"), workRamSize);
    chipInfo.setAttribute(QStringLiteral("Core"), QLatin1String(core));
    chipInfo.setAttribute(QStringLiteral("JLinkScriptFile"),
                          Vendor::entryLoaderFolder() + QStringLiteral("QN58Kxxx.JLinkScript"));
    device.appendChild(chipInfo);
    return device;
}

void setIfGiven(QDomElement &element, const QString &strAttribute, const QString &strValue)
{
    if (!strValue.isEmpty())
        element.setAttribute(strAttribute, strValue);
}

void appendBank(QDomDocument &doc, QDomElement &device, const FlashBank &bank)
{
    QDomElement element = doc.createElement(QStringLiteral("FlashBankInfo"));
    setIfGiven(element, QStringLiteral("Name"), bank.strName);
    setIfGiven(element, QStringLiteral("BaseAddr"), bank.strBaseAddr);
    setIfGiven(element, QStringLiteral("MaxSize"), bank.strMaxSize);
    setIfGiven(element, QStringLiteral("Loader"), bank.strLoader);
    element.setAttribute(QStringLiteral("LoaderType"), QStringLiteral("FLASH_ALGO_TYPE_OPEN"));
    element.setAttribute(QStringLiteral("AlwaysPresent"), QStringLiteral("1"));
    device.appendChild(element);
}

} // namespace

void JLinkAddQN58MCU::addMainFlashDevice(QDomDocument doc, QString deviceName, QString workRamSize,
                                         int flashSizeKB, int familyCode)
{
    QDomElement device = newDevice(doc, deviceName, workRamSize, coreByFamily(familyCode));
    FlashBank bank;
    bank.strName = QLatin1String(flashSizeKB > largestBankOneKB ? bankOneTwo : bankOne);
    bank.strBaseAddr = QLatin1String(mainFlashBase);
    bank.strMaxSize = kilobytesLongForm(flashSizeKB);
    const MainFlashLoaders *loaders = findFamily(mainFlashLoaders, familyCode);
    if (loaders && loaders->sizesKB.contains(flashSizeKB))
        bank.strLoader = mainFlashLoader(familyCode, flashSizeKB);
    appendBank(doc, device, bank);
    doc.documentElement().appendChild(device);
}

void JLinkAddQN58MCU::addApModeDevice(QDomDocument doc, QString deviceName, QString workRamSize,
                                      int flashSizeKB, int familyCode)
{
    QDomElement device = newDevice(doc, deviceName, workRamSize, coreByFamily(familyCode));
    const ApModeFamily *family = findFamily(apModeFamilies, familyCode);

    FlashBank mainBank;
    mainBank.strBaseAddr = QLatin1String(mainFlashBase);
    if (family) {
        mainBank.strName = QLatin1String(bankOne);
        const int rowKB =
            family->rowsKB.contains(flashSizeKB) ? flashSizeKB : family->otherSizesRowKB;
        if (rowKB != 0) {
            mainBank.strMaxSize = kilobytesLongForm(rowKB);
            mainBank.strLoader = mainFlashLoader(familyCode, rowKB);
        }
    }
    appendBank(doc, device, mainBank);

    FlashBank bootBank;
    bootBank.strName = QLatin1String(bankBootMemory);
    if (family && family->bootMemory) {
        bootBank.strBaseAddr = QLatin1String(family->bootMemory->baseAddr);
        bootBank.strMaxSize = kilobytesLongForm(family->bootMemory->sizeKB);
        bootBank.strLoader = bootMemoryLoader(familyCode);
    }
    appendBank(doc, device, bootBank);
    doc.documentElement().appendChild(device);
}

void JLinkAddQN58MCU::addUniversalDevice(QDomDocument doc, QString deviceName, QString workRamSize,
                                         int flashSizeKB, int extType, int extRemap, int familyCode)
{
    QDomElement device = newDevice(doc, deviceName, workRamSize, coreM4);

    FlashBank mainBank;
    mainBank.strBaseAddr = QLatin1String(mainFlashBase);
    if (const UniversalMainBank *row = findUniversalMainBank(familyCode, flashSizeKB)) {
        mainBank.strName = QLatin1String(row->name);
        mainBank.strMaxSize = kilobytesLongForm(row->sizeKB);
        mainBank.strLoader = mainFlashLoader(familyCode, row->sizeKB);
    }
    appendBank(doc, device, mainBank);

    FlashBank extBank;
    extBank.strName = QLatin1String(bankThree);
    extBank.strBaseAddr = QLatin1String(extFlashBase);
    extBank.strMaxSize = kilobytesLongForm(universalExtFlashKB);
    extBank.strLoader = universalExtLoader(familyCode, extType, extRemap);
    appendBank(doc, device, extBank);
    doc.documentElement().appendChild(device);
}

void JLinkAddQN58MCU::addUsdDevice(QDomDocument doc, QString deviceName, QString workRamSize,
                                   int familyCode, int usdVariant)
{
    QDomElement device = newDevice(doc, deviceName, workRamSize, coreByFamily(familyCode));
    FlashBank bank;
    if (const UsdLayout *layout = findFamily(usdLayouts, familyCode)) {
        int nSizeBytes = layout->sizeBytes;
        QString strLoaderName = familySeries(familyCode) + QStringLiteral("_USD");
        if (nSizeBytes == sizeByVariant) {
            nSizeBytes = usdVariant == 512 ? 512 : 4096;
            strLoaderName += QLatin1Char('_') + QString::number(nSizeBytes);
        }
        bank.strName = QLatin1String(bankUsd);
        bank.strBaseAddr = QLatin1String(layout->baseAddr);
        // Short form here, unlike every other bank: no leading zeros.
        bank.strMaxSize = QStringLiteral("0x") + QString::number(nSizeBytes, 16);
        bank.strLoader = loaderPath(strLoaderName + QStringLiteral(".FLM"));
    }
    appendBank(doc, device, bank);
    doc.documentElement().appendChild(device);
}

void JLinkAddQN58MCU::addExtFlashDevice(QDomDocument doc, QString deviceName, QString workRamSize,
                                        int extSizeKB)
{
    QDomElement device = newDevice(doc, deviceName, workRamSize, coreM4);
    // The loader files are named after the device, without the catalogue's leading "-".
    const QString strLoaderName = deviceName.startsWith(QLatin1Char('-')) ? deviceName.mid(1) : deviceName;
    FlashBank bank;
    bank.strName = QLatin1String(bankThree);
    bank.strBaseAddr = QLatin1String(extFlashBase);
    bank.strMaxSize = kilobytesLongForm(extSizeKB);
    bank.strLoader = loaderPath(strLoaderName + QStringLiteral(".FLM"));
    appendBank(doc, device, bank);
    doc.documentElement().appendChild(device);
}
