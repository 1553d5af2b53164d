#include "catalogue.h"
#include "databasefixtures.h"
#include "jlinkaddqn58mcu.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray otherVendors =
    "<DataBase>\n"
    "  <Device>\n"
    "    <ChipInfo Vendor=\"Acme\" Name=\"ACME100\" WorkRAMAddr=\"0x20000000\"/>\n"
    "  </Device>\n"
    "  <Device>\n"
    "    <ChipInfo Vendor=\"Other\" Name=\"OTHER7\" WorkRAMAddr=\"0x20000000\"/>\n"
    "  </Device>\n"
    "</DataBase>\n";

QString databasePath(const QTemporaryDir &dir)
{
    return dir.path() + QStringLiteral("/JLinkDevices.xml");
}

// The saved file, parsed on its own rather than through the installer's loader.
QList<QDomElement> savedDevices(const QString &strFileName)
{
    const QDomDocument doc = loadXml(strFileName);
    QList<QDomElement> devices;
    for (QDomElement device = doc.documentElement().firstChildElement(QStringLiteral("Device"));
         !device.isNull(); device = device.nextSiblingElement(QStringLiteral("Device")))
        devices << device;
    return devices;
}

QString chipName(const QDomElement &device)
{
    return device.firstChildElement(QStringLiteral("ChipInfo")).attribute(QStringLiteral("Name"));
}

} // namespace

class tst_Registration : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void catalogueFollowsOtherVendors();
    void entriesCarryTheirRowsFields_data();
    void entriesCarryTheirRowsFields();
    void missingDatabaseIsNotCreated();

private:
    // One registration into a database of other vendors, read by several tests.
    QTemporaryDir m_registered;
    bool m_bResult = false;
    QString m_strErroInfo = QStringLiteral("left from an earlier step");
};

void tst_Registration::initTestCase()
{
    QVERIFY(m_registered.isValid());
    QVERIFY(writeFile(databasePath(m_registered), otherVendors));
    m_bResult = JLinkAddQN58MCU::registerDevices(m_registered.path(), m_strErroInfo);
}

void tst_Registration::catalogueFollowsOtherVendors()
{
    QVERIFY(m_bResult);
    QCOMPARE(m_strErroInfo, QString());

    const QList<QDomElement> devices = savedDevices(databasePath(m_registered));
    QCOMPARE(devices.size(), 2 + 528);
    QCOMPARE(chipName(devices.at(0)), QStringLiteral("ACME100"));
    QCOMPARE(chipName(devices.at(1)), QStringLiteral("OTHER7"));

    QStringList names;
    for (int i = 2; i < devices.size(); ++i) {
        names << chipName(devices.at(i));
        QCOMPARE(devices.at(i).firstChildElement(QStringLiteral("ChipInfo")).attribute(QStringLiteral("Vendor")),
                 QStringLiteral("Kestrilon"));
    }
    QStringList catalogueNames;
    for (const CatalogueRow &row : deviceCatalogue())
        catalogueNames << QLatin1String(row.deviceName);
    QCOMPARE(names, catalogueNames);
}

// A few rows of each kind, to see that every field reaches its writer in
// the right place; the writers' own rules are tested with the writers.
void tst_Registration::entriesCarryTheirRowsFields_data()
{
    QTest::addColumn<QString>("deviceName");
    QTest::addColumn<int>("bank");
    QTest::addColumn<QString>("attribute");
    QTest::addColumn<QString>("value");

    const int chip = -1;
    QTest::newRow("main flash work RAM") << "-QN58K212ZCT6" << chip << "WorkRAMSize" << "0x038000";
    QTest::newRow("main flash size") << "-QN58K212ZCT6" << 0 << "MaxSize" << "0x00040000";
    QTest::newRow("main flash family")
        << "-QN58K212ZCT6" << 0 << "Loader" << "Devices/Kestrilon/QN58FLM/QN58K212_256.FLM";
    QTest::newRow("work RAM exception") << "-QN58K212CBT6" << chip << "WorkRAMSize" << "0x008000";
    QTest::newRow("name without dash") << "QN58K569RCT7" << chip << "WorkRAMSize" << "0x019800";
    QTest::newRow("AP mode core") << "-QN58P124_APMODE_16" << chip << "Core" << "JLINK_CORE_CORTEX_M0";
    QTest::newRow("AP mode main bank")
        << "-QN58P124_APMODE_16" << 0 << "Loader" << "Devices/Kestrilon/QN58FLM/QN58P124_16.FLM";
    QTest::newRow("AP mode boot memory")
        << "-QN58P124_APMODE_16" << 1 << "Loader"
        << "Devices/Kestrilon/QN58FLM/QN58P124_BOOTMEM_AP.FLM";
    QTest::newRow("USD variant") << "-QN58K944USD_512" << 0 << "MaxSize" << "0x200";
    QTest::newRow("USD variant loader")
        << "-QN58K944USD_4096" << 0 << "Loader" << "Devices/Kestrilon/QN58FLM/QN58K944_USD_4096.FLM";
    QTest::newRow("USD family")
        << "VC71K228USD" << 0 << "Loader" << "Devices/Kestrilon/QN58FLM/VC71K228_USD.FLM";
    QTest::newRow("external flash size") << "-QN58K199_EXT_TYPE2_REAMP1_4MB" << 0 << "MaxSize" << "0x00400000";
    QTest::newRow("external flash work RAM")
        << "-QN58K199_EXT_TYPE2_REAMP1_4MB" << chip << "WorkRAMSize" << "0x008000";
    QTest::newRow("universal main bank")
        << "-QN58K199_UNIVERSAL_TYPE2_REMAP_1KPAGE" << 0 << "Loader"
        << "Devices/Kestrilon/QN58FLM/QN58K199_128.FLM";
    QTest::newRow("universal type and remap")
        << "-QN58K199_UNIVERSAL_TYPE2_REMAP_1KPAGE" << 1 << "Loader"
        << "Devices/Kestrilon/QN58FLM/QN58K199_EXT_TYPE2_REAMP1_16MB.FLM";
    QTest::newRow("universal without remap")
        << "-QN58K212_UNIVERSAL_TYPE2_2KPAGE" << 1 << "Loader"
        << "Devices/Kestrilon/QN58FLM/QN58K212_EXT_TYPE2_16MB.FLM";
}

void tst_Registration::entriesCarryTheirRowsFields()
{
    QFETCH(QString, deviceName);
    QFETCH(int, bank);
    QFETCH(QString, attribute);
    QFETCH(QString, value);

    const QList<QDomElement> devices = savedDevices(databasePath(m_registered));
    QCOMPARE(devices.size(), 2 + 528);
    for (const QDomElement &device : devices) {
        if (chipName(device) != deviceName)
            continue;
        QDomElement element = device.firstChildElement(QStringLiteral("ChipInfo"));
        if (bank >= 0) {
            element = device.firstChildElement(QStringLiteral("FlashBankInfo"));
            for (int i = 0; i < bank; ++i)
                element = element.nextSiblingElement(QStringLiteral("FlashBankInfo"));
        }
        QVERIFY(!element.isNull());
        QCOMPARE(element.attribute(attribute), value);
        return;
    }
    QFAIL("no entry of that name");
}

void tst_Registration::missingDatabaseIsNotCreated()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    QString strErroInfo;
    QVERIFY(!JLinkAddQN58MCU::registerDevices(dir.path(), strErroInfo));
    QCOMPARE(strErroInfo, QStringLiteral("\"JLinkDevices.xml\" does not exist"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());
}

QTEST_APPLESS_MAIN(tst_Registration)

#include "tst_registration.moc"
