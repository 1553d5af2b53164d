#include "databasefixtures.h"
#include "jlinkaddqn58mcu.h"

#include <QtTest>

namespace {

enum Writer { MainFlash, ApMode, Universal, Usd, ExtFlash };

QDomDocument templateDocument()
{
    QDomDocument doc;
    doc.setContent(templateDatabase);
    return doc;
}

// Calls one writer with the given name and family, the other arguments fixed.
void write(QDomDocument doc, Writer writer, const QString &strName, int familyCode)
{
    const QString strRam = QStringLiteral("0x038000");
    switch (writer) {
    case MainFlash: JLinkAddQN58MCU::addMainFlashDevice(doc, strName, strRam, 256, familyCode); break;
    case ApMode: JLinkAddQN58MCU::addApModeDevice(doc, strName, strRam, 256, familyCode); break;
    case Universal: JLinkAddQN58MCU::addUniversalDevice(doc, strName, strRam, 256, 1, 0, familyCode); break;
    case Usd: JLinkAddQN58MCU::addUsdDevice(doc, strName, strRam, familyCode, 0); break;
    case ExtFlash: JLinkAddQN58MCU::addExtFlashDevice(doc, strName, strRam, 1024); break;
    }
}

// The banks of the document's last entry, after checking the entry's shape:
// a bare Device holding ChipInfo and then nBanks FlashBankInfo elements.
QVector<QDomElement> banksOfLastEntry(const QDomDocument &doc, int nBanks)
{
    QVector<QDomElement> banks;
    const QDomElement device = doc.documentElement().lastChild().toElement();
    if (device.tagName() != QLatin1String("Device") || device.attributes().count() != 0
        || device.childNodes().count() != nBanks + 1
        || device.firstChild().nodeName() != QLatin1String("ChipInfo"))
        return banks;
    for (QDomElement bank = device.firstChildElement(QStringLiteral("FlashBankInfo")); !bank.isNull();
         bank = bank.nextSiblingElement(QStringLiteral("FlashBankInfo"))) {
        banks << bank;
    }
    if (banks.size() != nBanks)
        banks.clear();
    return banks;
}

// One bank against its expected values; an empty expectation is an absent
// attribute, and every bank ends with the same loader type and presence.
void verifyBank(const QDomElement &bank, const QString &strName, const QString &strBaseAddr,
                const QString &strMaxSize, const QString &strLoaderFile)
{
    const QString strLoader = strLoaderFile.isEmpty()
        ? QString()
        : QStringLiteral("Devices/Kestrilon/QN58FLM/") + strLoaderFile;
    const QStringList names = {QStringLiteral("Name"), QStringLiteral("BaseAddr"),
                               QStringLiteral("MaxSize"), QStringLiteral("Loader")};
    const QStringList values = {strName, strBaseAddr, strMaxSize, strLoader};
    int nExpected = 2;
    for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(bank.hasAttribute(names.at(i)), !values.at(i).isEmpty());
        QCOMPARE(bank.attribute(names.at(i)), values.at(i));
        nExpected += values.at(i).isEmpty() ? 0 : 1;
    }
    QCOMPARE(bank.attribute(QStringLiteral("LoaderType")), QStringLiteral("FLASH_ALGO_TYPE_OPEN"));
    QCOMPARE(bank.attribute(QStringLiteral("AlwaysPresent")), QStringLiteral("1"));
    QCOMPARE(bank.attributes().count(), nExpected);
}

} // namespace

#define VERIFY_BANK(bank, name, base, size, loader)                                                \
    do {                                                                                           \
        verifyBank(bank, name, base, size, loader);                                                \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

class tst_EntryWriters : public QObject
{
    Q_OBJECT

private slots:
    void chipInfo_data();
    void chipInfo();
    void mainFlash_data();
    void mainFlash();
    void apMode_data();
    void apMode();
    void universal_data();
    void universal();
    void userSystemData_data();
    void userSystemData();
    void externalFlash_data();
    void externalFlash();
    void entryIsAppendedAndNothingElseChanges_data();
    void entryIsAppendedAndNothingElseChanges();
};

void tst_EntryWriters::chipInfo_data()
{
    QTest::addColumn<int>("writer");
    QTest::addColumn<QString>("deviceName");
    QTest::addColumn<int>("familyCode");
    QTest::addColumn<QString>("core");

    const QString m0 = QStringLiteral("JLINK_CORE_CORTEX_M0");
    const QString m4 = QStringLiteral("JLINK_CORE_CORTEX_M4");
    QTest::newRow("leading dash is kept") << int(MainFlash) << "-QN58K212ZCT6" << 2 << m4;
    QTest::newRow("plain name") << int(MainFlash) << "QN58K569RCT7" << 20 << m4;
    QTest::newRow("main flash QN58P124 is M0") << int(MainFlash) << "QN58P124K6" << 16 << m0;
    QTest::newRow("main flash QN58K949 is M0") << int(MainFlash) << "QN58K949K6" << 37 << m0;
    QTest::newRow("main flash unknown family is M4") << int(MainFlash) << "X" << 99 << m4;
    QTest::newRow("AP mode QN58P124 is M0") << int(ApMode) << "QN58P124_APMODE_64" << 16 << m0;
    QTest::newRow("AP mode QN58K949 is M0") << int(ApMode) << "QN58K949_APMODE_64" << 37 << m0;
    QTest::newRow("AP mode QN58K528 is M4") << int(ApMode) << "QN58K528_APMODE_256" << 5 << m4;
    QTest::newRow("USD QN58P124 is M0") << int(Usd) << "QN58P124USD" << 16 << m0;
    QTest::newRow("USD QN58K949 is M0") << int(Usd) << "QN58K949USD" << 37 << m0;
    QTest::newRow("USD QN58K212 is M4") << int(Usd) << "-QN58K212USD" << 2 << m4;
    QTest::newRow("universal is M4 for QN58P124") << int(Universal) << "-QN58P124_UNIVERSAL_" << 16 << m4;
    QTest::newRow("universal is M4 for QN58K949") << int(Universal) << "-QN58K949_UNIVERSAL_" << 37 << m4;
    QTest::newRow("external flash is M4") << int(ExtFlash) << "-QN58K212_EXT_TYPE1_1MB" << 16 << m4;
}

void tst_EntryWriters::chipInfo()
{
    QFETCH(int, writer);
    QFETCH(QString, deviceName);
    QFETCH(int, familyCode);
    QFETCH(QString, core);

    QDomDocument doc = templateDocument();
    write(doc, Writer(writer), deviceName, familyCode);
    const QDomElement chipInfo = doc.documentElement().lastChild().firstChild().toElement();
    QCOMPARE(chipInfo.tagName(), QStringLiteral("ChipInfo"));
    QCOMPARE(chipInfo.attribute(QStringLiteral("Vendor")), QStringLiteral("Kestrilon"));
    QCOMPARE(chipInfo.attribute(QStringLiteral("Name")), deviceName);
    QCOMPARE(chipInfo.attribute(QStringLiteral("WorkRAMAddr")), QStringLiteral("0x20000000"));
    QCOMPARE(chipInfo.attribute(QStringLiteral("WorkRAMSize")), QStringLiteral("0x038000"));
    QCOMPARE(chipInfo.attribute(QStringLiteral("Core")), core);
    QCOMPARE(chipInfo.attribute(QStringLiteral("JLinkScriptFile")),
             QStringLiteral("Devices/Kestrilon/QN58FLM/QN58Kxxx.JLinkScript"));
    QCOMPARE(chipInfo.attributes().count(), 6);
    QVERIFY(!chipInfo.hasChildNodes());
}

void tst_EntryWriters::mainFlash_data()
{
    QTest::addColumn<int>("familyCode");
    QTest::addColumn<int>("flashSizeKB");
    QTest::addColumn<QString>("bankName");
    QTest::addColumn<QString>("maxSize");
    QTest::addColumn<QString>("loader");

    const QString one = QStringLiteral("Flash Bank1");
    const QString oneTwo = QStringLiteral("Flash Bank1_2");
    QTest::newRow("2: 512 KB is still bank 1") << 2 << 512 << one << "0x00080000" << "QN58K212_512.FLM";
    QTest::newRow("2: above 512 KB is bank 1_2") << 2 << 1024 << oneTwo << "0x00100000" << "QN58K212_1024.FLM";
    QTest::newRow("4") << 4 << 64 << one << "0x00010000" << "QN58K199_64.FLM";
    QTest::newRow("5") << 5 << 128 << one << "0x00020000" << "QN58K528_128.FLM";
    QTest::newRow("5: no fallback row here") << 5 << 512 << one << "0x00080000" << "";
    QTest::newRow("7") << 7 << 512 << one << "0x00080000" << "QN58K212A_512.FLM";
    QTest::newRow("8") << 8 << 1024 << oneTwo << "0x00100000" << "QN58K254_1024.FLM";
    QTest::newRow("9") << 9 << 16 << one << "0x00004000" << "QN58K830_16.FLM";
    QTest::newRow("13: lower-case size digits") << 13 << 4032 << oneTwo << "0x003f0000" << "QN58K944_4032.FLM";
    QTest::newRow("13: 192 KB") << 13 << 192 << one << "0x00030000" << "QN58K944_192.FLM";
    QTest::newRow("14") << 14 << 448 << one << "0x00070000" << "QN58K192_448.FLM";
    QTest::newRow("14: no 192 KB loader") << 14 << 192 << one << "0x00030000" << "";
    QTest::newRow("15") << 15 << 32 << one << "0x00008000" << "QN58K774_32.FLM";
    QTest::newRow("16") << 16 << 64 << one << "0x00010000" << "QN58P124_64.FLM";
    QTest::newRow("17") << 17 << 256 << one << "0x00040000" << "QN58VX617_256.FLM";
    QTest::newRow("18") << 18 << 128 << one << "0x00020000" << "QN58K699_128.FLM";
    QTest::newRow("19") << 19 << 256 << one << "0x00040000" << "QN58K210_256.FLM";
    QTest::newRow("20") << 20 << 128 << one << "0x00020000" << "QN58K569_128.FLM";
    QTest::newRow("21") << 21 << 512 << one << "0x00080000" << "QN58K103_512.FLM";
    QTest::newRow("22") << 22 << 256 << one << "0x00040000" << "QN58K518_256.FLM";
    QTest::newRow("23") << 23 << 512 << one << "0x00080000" << "QN58K121_512.FLM";
    QTest::newRow("24") << 24 << 1024 << oneTwo << "0x00100000" << "QN58R258A_1024.FLM";
    QTest::newRow("25") << 25 << 64 << one << "0x00010000" << "QN58N164_64.FLM";
    QTest::newRow("26") << 26 << 128 << one << "0x00020000" << "QN58N229_128.FLM";
    QTest::newRow("29") << 29 << 256 << one << "0x00040000" << "QN58R820_256.FLM";
    QTest::newRow("30") << 30 << 128 << one << "0x00020000" << "QN58K872_128.FLM";
    QTest::newRow("33") << 33 << 64 << one << "0x00010000" << "QN58K333_64.FLM";
    QTest::newRow("34") << 34 << 128 << one << "0x00020000" << "QN58K624_128.FLM";
    QTest::newRow("35") << 35 << 448 << one << "0x00070000" << "QN58K212E_448.FLM";
    QTest::newRow("36") << 36 << 1024 << oneTwo << "0x00100000" << "QN58K254E_1024.FLM";
    QTest::newRow("37") << 37 << 16 << one << "0x00004000" << "QN58K949_16.FLM";
    QTest::newRow("38") << 38 << 256 << one << "0x00040000" << "QN58K410_256.FLM";
    QTest::newRow("149") << 149 << 128 << one << "0x00020000" << "QN58K8395_128.FLM";
    QTest::newRow("150") << 150 << 64 << one << "0x00010000" << "VC71K228_64.FLM";
    QTest::newRow("150: only 64 KB has a loader") << 150 << 32 << one << "0x00008000" << "";
    QTest::newRow("unknown family") << 99 << 256 << one << "0x00040000" << "";
    QTest::newRow("zero size") << 2 << 0 << one << "0x00000000" << "";
    QTest::newRow("negative size, 32-bit shift") << 2 << -1 << one << "0xfffffc00" << "";
}

void tst_EntryWriters::mainFlash()
{
    QFETCH(int, familyCode);
    QFETCH(int, flashSizeKB);
    QFETCH(QString, bankName);
    QFETCH(QString, maxSize);
    QFETCH(QString, loader);

    QDomDocument doc = templateDocument();
    JLinkAddQN58MCU::addMainFlashDevice(doc, QStringLiteral("-QN58X"), QStringLiteral("0x00C000"),
                                        flashSizeKB, familyCode);
    const QVector<QDomElement> banks = banksOfLastEntry(doc, 1);
    QVERIFY(!banks.isEmpty());
    VERIFY_BANK(banks.at(0), bankName, QStringLiteral("0x08000000"), maxSize, loader);
}

void tst_EntryWriters::apMode_data()
{
    QTest::addColumn<int>("familyCode");
    QTest::addColumn<int>("flashSizeKB");
    QTest::addColumn<QString>("mainName");
    QTest::addColumn<QString>("mainMaxSize");
    QTest::addColumn<QString>("mainLoader");
    QTest::addColumn<QString>("bootBase");
    QTest::addColumn<QString>("bootMaxSize");
    QTest::addColumn<QString>("bootLoader");

    const QString one = QStringLiteral("Flash Bank1");
    QTest::newRow("5: other sizes take the 256 row, group A")
        << 5 << 512 << one << "0x00040000" << "QN58K528_256.FLM"
        << "0x1FFFAC00" << "0x00004800" << "QN58K528_BOOTMEM_AP.FLM";
    QTest::newRow("5: 64 KB row") << 5 << 64 << one << "0x00010000" << "QN58K528_64.FLM"
                                  << "0x1FFFAC00" << "0x00004800" << "QN58K528_BOOTMEM_AP.FLM";
    QTest::newRow("17: other sizes take the 256 row")
        << 17 << 100 << one << "0x00040000" << "QN58VX617_256.FLM"
        << "0x1FFFAC00" << "0x00004800" << "QN58VX617_BOOTMEM_AP.FLM";
    QTest::newRow("9: group B") << 9 << 32 << one << "0x00008000" << "QN58K830_32.FLM"
                                << "0x1FFFE400" << "0x00001000" << "QN58K830_BOOTMEM_AP.FLM";
    QTest::newRow("18: no row for 512 KB, group C")
        << 18 << 512 << one << "" << ""
        << "0x1FFFA400" << "0x00005000" << "QN58K699_BOOTMEM_AP.FLM";
    QTest::newRow("21: 512 KB is never bank 1_2, group D")
        << 21 << 512 << one << "0x00080000" << "QN58K103_512.FLM"
        << "0x1FFF7C00" << "0x00006800" << "QN58K103_BOOTMEM_AP.FLM";
    QTest::newRow("25: group E") << 25 << 128 << one << "0x00020000" << "QN58N164_128.FLM"
                                 << "0x1FFF8000" << "0x00007000" << "QN58N164_BOOTMEM_AP.FLM";
    QTest::newRow("26: boots with the QN58N164 loader")
        << 26 << 64 << one << "0x00010000" << "QN58N229_64.FLM"
        << "0x1FFF8000" << "0x00007000" << "QN58N164_BOOTMEM_AP.FLM";
    QTest::newRow("150: 32 KB has an AP-mode row")
        << 150 << 32 << one << "0x00008000" << "VC71K228_32.FLM"
        << "0x1FFFE400" << "0x00001000" << "VC71K228_BOOTMEM_AP.FLM";
    QTest::newRow("35: named main bank only") << 35 << 256 << one << "" << "" << "" << "" << "";
    QTest::newRow("36: named main bank only") << 36 << 1024 << one << "" << "" << "" << "" << "";
    QTest::newRow("2: no AP mode") << 2 << 512 << "" << "" << "" << "" << "" << "";
    QTest::newRow("unknown family") << 99 << 64 << "" << "" << "" << "" << "" << "";
}

void tst_EntryWriters::apMode()
{
    QFETCH(int, familyCode);
    QFETCH(int, flashSizeKB);
    QFETCH(QString, mainName);
    QFETCH(QString, mainMaxSize);
    QFETCH(QString, mainLoader);
    QFETCH(QString, bootBase);
    QFETCH(QString, bootMaxSize);
    QFETCH(QString, bootLoader);

    QDomDocument doc = templateDocument();
    JLinkAddQN58MCU::addApModeDevice(doc, QStringLiteral("-QN58X_APMODE_"), QStringLiteral("0x00C000"),
                                     flashSizeKB, familyCode);
    const QVector<QDomElement> banks = banksOfLastEntry(doc, 2);
    QVERIFY(!banks.isEmpty());
    VERIFY_BANK(banks.at(0), mainName, QStringLiteral("0x08000000"), mainMaxSize, mainLoader);
    VERIFY_BANK(banks.at(1), QStringLiteral("Flash Boot Memory"), bootBase, bootMaxSize, bootLoader);
}

void tst_EntryWriters::universal_data()
{
    QTest::addColumn<int>("familyCode");
    QTest::addColumn<int>("flashSizeKB");
    QTest::addColumn<int>("extType");
    QTest::addColumn<int>("extRemap");
    QTest::addColumn<QString>("mainName");
    QTest::addColumn<QString>("mainMaxSize");
    QTest::addColumn<QString>("mainLoader");
    QTest::addColumn<QString>("extLoader");

    const QString one = QStringLiteral("Flash Bank1");
    const QString oneTwo = QStringLiteral("Flash Bank1_2");
    QTest::newRow("2: up to 128 KB, remap not looked at")
        << 2 << 128 << 1 << 1 << one << "0x00020000" << "QN58K212_128.FLM" << "QN58K212_EXT_TYPE1_16MB.FLM";
    QTest::newRow("2: small size, odd remap")
        << 2 << 64 << 1 << 7 << one << "0x00020000" << "QN58K212_128.FLM" << "QN58K212_EXT_TYPE1_16MB.FLM";
    QTest::newRow("2: above 128 KB")
        << 2 << 256 << 2 << 0 << oneTwo << "0x00100000" << "QN58K212_1024.FLM" << "QN58K212_EXT_TYPE2_16MB.FLM";
    QTest::newRow("4: up to 128 KB")
        << 4 << 128 << 2 << 1 << one << "0x00020000" << "QN58K199_128.FLM"
        << "QN58K199_EXT_TYPE2_REAMP1_16MB.FLM";
    QTest::newRow("4: above 128 KB stays bank 1")
        << 4 << 256 << 1 << 0 << one << "0x00040000" << "QN58K199_256.FLM"
        << "QN58K199_EXT_TYPE1_REAMP0_16MB.FLM";
    QTest::newRow("7") << 7 << 512 << 1 << 1 << oneTwo << "0x00100000" << "QN58K212A_1024.FLM"
                       << "QN58K212A_EXT_TYPE1_REAMP1_16MB.FLM";
    QTest::newRow("8") << 8 << 64 << 2 << 0 << oneTwo << "0x00100000" << "QN58K254_1024.FLM"
                       << "QN58K254_EXT_TYPE2_REAMP0_16MB.FLM";
    QTest::newRow("24") << 24 << 1024 << 1 << 0 << oneTwo << "0x00100000" << "QN58R258A_1024.FLM"
                        << "QN58R258A_EXT_TYPE1_REAMP0_16MB.FLM";
    QTest::newRow("35: no external-flash loader")
        << 35 << 1024 << 1 << 1 << oneTwo << "0x00100000" << "QN58K212E_1024.FLM" << "";
    QTest::newRow("36: no external-flash loader")
        << 36 << 256 << 2 << 0 << oneTwo << "0x00100000" << "QN58K254E_1024.FLM" << "";
    QTest::newRow("type 3") << 4 << 256 << 3 << 0 << one << "0x00040000" << "QN58K199_256.FLM" << "";
    QTest::newRow("type 0 on 2") << 2 << 128 << 0 << 0 << one << "0x00020000" << "QN58K212_128.FLM" << "";
    QTest::newRow("remap 2") << 7 << 1024 << 1 << 2 << oneTwo << "0x00100000" << "QN58K212A_1024.FLM" << "";
    QTest::newRow("family without universal rows") << 16 << 64 << 1 << 0 << "" << "" << "" << "";
}

void tst_EntryWriters::universal()
{
    QFETCH(int, familyCode);
    QFETCH(int, flashSizeKB);
    QFETCH(int, extType);
    QFETCH(int, extRemap);
    QFETCH(QString, mainName);
    QFETCH(QString, mainMaxSize);
    QFETCH(QString, mainLoader);
    QFETCH(QString, extLoader);

    QDomDocument doc = templateDocument();
    JLinkAddQN58MCU::addUniversalDevice(doc, QStringLiteral("-QN58X_UNIVERSAL_"), QStringLiteral("0x00C000"),
                                        flashSizeKB, extType, extRemap, familyCode);
    const QVector<QDomElement> banks = banksOfLastEntry(doc, 2);
    QVERIFY(!banks.isEmpty());
    VERIFY_BANK(banks.at(0), mainName, QStringLiteral("0x08000000"), mainMaxSize, mainLoader);
    VERIFY_BANK(banks.at(1), QStringLiteral("Flash Bank3"), QStringLiteral("0x08400000"),
                QStringLiteral("0x01000000"), extLoader);
}

void tst_EntryWriters::userSystemData_data()
{
    QTest::addColumn<int>("familyCode");
    QTest::addColumn<int>("usdVariant");
    QTest::addColumn<QString>("baseAddr");
    QTest::addColumn<QString>("maxSize");
    QTest::addColumn<QString>("loader");

    const QString usual = QStringLiteral("0x1FFFF800");
    const QString high = QStringLiteral("0x1FFFC000");
    QTest::newRow("2") << 2 << 0 << usual << "0x30" << "QN58K212_USD.FLM";
    QTest::newRow("2: variant not looked at") << 2 << 512 << usual << "0x30" << "QN58K212_USD.FLM";
    QTest::newRow("4") << 4 << 0 << usual << "0x30" << "QN58K199_USD.FLM";
    QTest::newRow("5") << 5 << 0 << usual << "0x400" << "QN58K528_USD.FLM";
    QTest::newRow("7") << 7 << 0 << usual << "0x30" << "QN58K212A_USD.FLM";
    QTest::newRow("8") << 8 << 0 << usual << "0x30" << "QN58K254_USD.FLM";
    QTest::newRow("9") << 9 << 0 << usual << "0x200" << "QN58K830_USD.FLM";
    QTest::newRow("13: 512 B") << 13 << 512 << high << "0x200" << "QN58K944_USD_512.FLM";
    QTest::newRow("13: 4096 B") << 13 << 4096 << high << "0x1000" << "QN58K944_USD_4096.FLM";
    QTest::newRow("13: any other variant is 4096 B") << 13 << 0 << high << "0x1000" << "QN58K944_USD_4096.FLM";
    QTest::newRow("14: 512 B") << 14 << 512 << high << "0x200" << "QN58K192_USD_512.FLM";
    QTest::newRow("14: 4096 B") << 14 << 4096 << high << "0x1000" << "QN58K192_USD_4096.FLM";
    QTest::newRow("15") << 15 << 0 << usual << "0x200" << "QN58K774_USD.FLM";
    QTest::newRow("16") << 16 << 0 << usual << "0x200" << "QN58P124_USD.FLM";
    QTest::newRow("17") << 17 << 0 << usual << "0x400" << "QN58VX617_USD.FLM";
    QTest::newRow("18") << 18 << 0 << usual << "0x200" << "QN58K699_USD.FLM";
    QTest::newRow("19") << 19 << 0 << usual << "0x200" << "QN58K210_USD.FLM";
    QTest::newRow("20") << 20 << 0 << usual << "0x200" << "QN58K569_USD.FLM";
    QTest::newRow("21") << 21 << 0 << usual << "0x200" << "QN58K103_USD.FLM";
    QTest::newRow("22") << 22 << 0 << usual << "0x200" << "QN58K518_USD.FLM";
    QTest::newRow("23") << 23 << 0 << usual << "0x200" << "QN58K121_USD.FLM";
    QTest::newRow("24") << 24 << 0 << usual << "0x30" << "QN58R258A_USD.FLM";
    QTest::newRow("25") << 25 << 0 << usual << "0x200" << "QN58N164_USD.FLM";
    QTest::newRow("26") << 26 << 0 << usual << "0x200" << "QN58N229_USD.FLM";
    QTest::newRow("29") << 29 << 0 << usual << "0x200" << "QN58R820_USD.FLM";
    QTest::newRow("30") << 30 << 0 << usual << "0x200" << "QN58K872_USD.FLM";
    QTest::newRow("33") << 33 << 0 << usual << "0x200" << "QN58K333_USD.FLM";
    QTest::newRow("34") << 34 << 0 << usual << "0x200" << "QN58K624_USD.FLM";
    QTest::newRow("35") << 35 << 0 << usual << "0x100" << "QN58K212E_USD.FLM";
    QTest::newRow("36") << 36 << 0 << usual << "0x100" << "QN58K254E_USD.FLM";
    QTest::newRow("37") << 37 << 0 << usual << "0x200" << "QN58K949_USD.FLM";
    QTest::newRow("38") << 38 << 0 << usual << "0x200" << "QN58K410_USD.FLM";
    QTest::newRow("149") << 149 << 0 << usual << "0x200" << "QN58K8395_USD.FLM";
    QTest::newRow("150") << 150 << 0 << usual << "0x200" << "VC71K228_USD.FLM";
    QTest::newRow("unknown family") << 99 << 0 << "" << "" << "";
}

void tst_EntryWriters::userSystemData()
{
    QFETCH(int, familyCode);
    QFETCH(int, usdVariant);
    QFETCH(QString, baseAddr);
    QFETCH(QString, maxSize);
    QFETCH(QString, loader);

    QDomDocument doc = templateDocument();
    JLinkAddQN58MCU::addUsdDevice(doc, QStringLiteral("-QN58XUSD"), QStringLiteral("0x00C000"),
                                  familyCode, usdVariant);
    const QVector<QDomElement> banks = banksOfLastEntry(doc, 1);
    QVERIFY(!banks.isEmpty());
    const QString name = baseAddr.isEmpty() ? QString() : QStringLiteral("Flash USD");
    VERIFY_BANK(banks.at(0), name, baseAddr, maxSize, loader);
}

void tst_EntryWriters::externalFlash_data()
{
    QTest::addColumn<QString>("deviceName");
    QTest::addColumn<int>("extSizeKB");
    QTest::addColumn<QString>("maxSize");
    QTest::addColumn<QString>("loader");

    QTest::newRow("leading dash dropped for the loader")
        << "-QN58K212_EXT_TYPE1_16MB" << 16384 << "0x01000000" << "QN58K212_EXT_TYPE1_16MB.FLM";
    QTest::newRow("REAMP name") << "-QN58K199_EXT_TYPE2_REAMP1_8MB" << 8192 << "0x00800000"
                                << "QN58K199_EXT_TYPE2_REAMP1_8MB.FLM";
    QTest::newRow("no leading dash") << "QN58K212_EXT_TYPE2_1MB" << 1024 << "0x00100000"
                                     << "QN58K212_EXT_TYPE2_1MB.FLM";
    QTest::newRow("only one dash dropped") << "--QN58X" << 2048 << "0x00200000" << "-QN58X.FLM";
    QTest::newRow("empty name") << "" << 4096 << "0x00400000" << ".FLM";
}

void tst_EntryWriters::externalFlash()
{
    QFETCH(QString, deviceName);
    QFETCH(int, extSizeKB);
    QFETCH(QString, maxSize);
    QFETCH(QString, loader);

    QDomDocument doc = templateDocument();
    JLinkAddQN58MCU::addExtFlashDevice(doc, deviceName, QStringLiteral("0x00C000"), extSizeKB);
    const QVector<QDomElement> banks = banksOfLastEntry(doc, 1);
    QVERIFY(!banks.isEmpty());
    QCOMPARE(doc.documentElement().lastChild().firstChild().toElement().attribute(QStringLiteral("Name")),
             deviceName);
    VERIFY_BANK(banks.at(0), QStringLiteral("Flash Bank3"), QStringLiteral("0x08400000"), maxSize, loader);
}

void tst_EntryWriters::entryIsAppendedAndNothingElseChanges_data()
{
    QTest::addColumn<int>("writer");
    QTest::newRow("main flash") << int(MainFlash);
    QTest::newRow("AP mode") << int(ApMode);
    QTest::newRow("universal") << int(Universal);
    QTest::newRow("USD") << int(Usd);
    QTest::newRow("external flash") << int(ExtFlash);
}

void tst_EntryWriters::entryIsAppendedAndNothingElseChanges()
{
    QFETCH(int, writer);

    QDomDocument doc;
    QVERIFY(doc.setContent(QByteArray("<?xml version=\"1.0\"?><Database><!-- theirs -->"
                                      "<Device><ChipInfo Vendor=\"Other\" Name=\"A\"/></Device>"
                                      "<Other/></Database>")));
    const QString before = doc.toString();
    write(doc, Writer(writer), QStringLiteral("-QN58K212ZCT6"), 2);

    QDomElement root = doc.documentElement();
    QCOMPARE(root.childNodes().count(), 4);
    QCOMPARE(root.lastChild().nodeName(), QStringLiteral("Device"));
    root.removeChild(root.lastChild());
    QCOMPARE(doc.toString(), before);
}

QTEST_APPLESS_MAIN(tst_EntryWriters)

#include "tst_entrywriters.moc"
