#include "databasefixtures.h"
#include "devicedatabase.h"
#include "jlinkaddqn58mcu.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray database(const QStringList &entries)
{
    return "<DataBase>\n" + entries.join(QLatin1Char('\n')).toUtf8() + "\n</DataBase>\n";
}

} // namespace

class tst_OldDevices : public QObject
{
    Q_OBJECT

private slots:
    void onlyTheVendorsEntriesAreRemoved_data();
    void onlyTheVendorsEntriesAreRemoved();
    void documentElementKeepsItsSpelling_data();
    void documentElementKeepsItsSpelling();
    void databaseWithoutVendorEntriesIsStillRewritten();
    void missingDatabaseIsCreated();
    void emptyVendorFolderIsRemoved();
    void vendorFolderWithContentStays();
    void largeDatabaseIsServed();
};

void tst_OldDevices::onlyTheVendorsEntriesAreRemoved_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("kept");

    const QString a = QStringLiteral("<Device><ChipInfo Vendor=\"ST\" Name=\"A\"/></Device>");
    const QString b = QStringLiteral("<Device><ChipInfo Vendor=\"NXP\" Name=\"B\"/></Device>");
    const QString c = QStringLiteral("<Device><ChipInfo Vendor=\"TI\" Name=\"C\"/></Device>");
    const QString ours = QStringLiteral("<Device><ChipInfo Vendor=\"Kestrilon\" Name=\"QN58\"/>"
                                        "<FlashBankInfo Name=\"Flash Bank1\"/></Device>");
    const auto variant = [](const char *vendor) {
        return QStringLiteral("<Device><ChipInfo Vendor=\"%1\"/></Device>").arg(QLatin1String(vendor));
    };

    QTest::newRow("consecutive entries go, the order of others stays")
        << QStringList{a, ours, ours, b, ours, c} << QStringList{a, b, c};
    QTest::newRow("comments and instructions stay")
        << QStringList{QStringLiteral("<!-- ST -->"), ours, QStringLiteral("<?tool x?>"), a}
        << QStringList{QStringLiteral("<!-- ST -->"), QStringLiteral("<?tool x?>"), a};
    QTest::newRow("lower case vendor stays") << QStringList{variant("kestrilon")} << QStringList{variant("kestrilon")};
    QTest::newRow("upper case vendor stays") << QStringList{variant("KESTRILON")} << QStringList{variant("KESTRILON")};
    QTest::newRow("leading blank stays") << QStringList{variant(" Kestrilon")} << QStringList{variant(" Kestrilon")};
    QTest::newRow("trailing blank stays") << QStringList{variant("Kestrilon ")} << QStringList{variant("Kestrilon ")};
    QTest::newRow("vendor on the second ChipInfo goes")
        << QStringList{QStringLiteral("<Device><ChipInfo Vendor=\"ST\"/><ChipInfo Vendor=\"Kestrilon\"/></Device>"), a}
        << QStringList{a};
    QTest::newRow("vendor among other attributes goes")
        << QStringList{QStringLiteral("<Device><ChipInfo Name=\"X\" Core=\"M4\" Vendor=\"Kestrilon\"/></Device>")}
        << QStringList{};
    const QString inName = QStringLiteral("<Device><ChipInfo Name=\"Kestrilon\"/></Device>");
    QTest::newRow("vendor's name in another attribute stays") << QStringList{inName} << QStringList{inName};
    const QString onDevice = QStringLiteral("<Device Vendor=\"Kestrilon\"><ChipInfo Name=\"X\"/></Device>");
    QTest::newRow("vendor on Device itself stays") << QStringList{onDevice} << QStringList{onDevice};
    const QString onBank = QStringLiteral("<Device><FlashBankInfo Vendor=\"Kestrilon\"/></Device>");
    QTest::newRow("vendor on another child stays") << QStringList{onBank} << QStringList{onBank};
    const QString deeper = QStringLiteral("<Device><Group><ChipInfo Vendor=\"Kestrilon\"/></Group></Device>");
    QTest::newRow("ChipInfo nested deeper stays") << QStringList{deeper} << QStringList{deeper};
    const QString nested = QStringLiteral("<Family>") + ours + QStringLiteral("</Family>");
    QTest::newRow("Device nested deeper stays") << QStringList{nested} << QStringList{nested};
    const QString lowerDevice = QStringLiteral("<device><ChipInfo Vendor=\"Kestrilon\"/></device>");
    QTest::newRow("element name is case-sensitive") << QStringList{lowerDevice} << QStringList{lowerDevice};
    const QString prefixed = QStringLiteral("<k:Device xmlns:k=\"urn:k\"><ChipInfo Vendor=\"Kestrilon\"/></k:Device>");
    QTest::newRow("prefixed Device stays") << QStringList{prefixed} << QStringList{prefixed};
}

void tst_OldDevices::onlyTheVendorsEntriesAreRemoved()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, kept);

    QTemporaryDir dir;
    const QString strPath = deviceDatabasePath(dir.path());
    QVERIFY(writeFile(strPath, database(entries)));
    QString strError = QStringLiteral("left from before");
    QVERIFY(JLinkAddQN58MCU::removeOldDevices(dir.path(), strError));
    QCOMPARE(strError, QString());

    QDomDocument expected;
    QVERIFY(expected.setContent(database(kept)));
    QCOMPARE(canonicalXml(loadXml(strPath)), canonicalXml(expected));
}

void tst_OldDevices::documentElementKeepsItsSpelling_data()
{
    QTest::addColumn<QString>("rootName");
    QTest::newRow("J-Link's spelling") << "Database";
    QTest::newRow("the template's spelling") << "DataBase";
}

void tst_OldDevices::documentElementKeepsItsSpelling()
{
    QFETCH(QString, rootName);

    QTemporaryDir dir;
    const QString strPath = deviceDatabasePath(dir.path());
    const QString strContent = QStringLiteral("<%1><Device><ChipInfo Vendor=\"Kestrilon\"/></Device></%1>").arg(rootName);
    QVERIFY(writeFile(strPath, strContent.toUtf8()));
    QString strError;
    QVERIFY(JLinkAddQN58MCU::removeOldDevices(dir.path(), strError));

    QDomDocument doc = loadDeviceDatabase(strPath);
    QCOMPARE(doc.documentElement().tagName(), rootName);
    QVERIFY(!doc.documentElement().hasChildNodes());
    JLinkAddQN58MCU::addExtFlashDevice(doc, QStringLiteral("-QN58K212_EXT_TYPE1_1MB"),
                                       QStringLiteral("0x038000"), 1024);
    QVERIFY(saveDeviceDatabase(doc, strPath));
    const QByteArray saved = readFile(strPath);
    QVERIFY(saved.startsWith(withLineEnds('<' + rootName.toUtf8() + ">\n  <Device>\n")));
    QVERIFY(saved.endsWith(withLineEnds("</" + rootName.toUtf8() + ">\n")));
}

void tst_OldDevices::databaseWithoutVendorEntriesIsStillRewritten()
{
    QTemporaryDir dir;
    const QString strPath = deviceDatabasePath(dir.path());
    QVERIFY(writeFile(strPath, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Database>\n"
                               "\t<Device><ChipInfo Vendor=\"ST\"/></Device>\n</Database>"));
    QString strError;
    QVERIFY(JLinkAddQN58MCU::removeOldDevices(dir.path(), strError));
    QCOMPARE(readFile(strPath),
             withLineEnds("<Database>\n  <Device>\n    <ChipInfo Vendor=\"ST\"/>\n  </Device>\n</Database>\n"));
}

void tst_OldDevices::missingDatabaseIsCreated()
{
    QTemporaryDir dir;
    QString strError = QStringLiteral("left from before");
    QVERIFY(JLinkAddQN58MCU::removeOldDevices(dir.path(), strError));
    QCOMPARE(strError, QString());
    const QString strPath = deviceDatabasePath(dir.path());
    QCOMPARE(readFile(strPath), templateDatabase);
    QVERIFY(QFileInfo(strPath).isWritable());
}

void tst_OldDevices::emptyVendorFolderIsRemoved()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Devices/Kestrilon")));
    QString strError;
    QVERIFY(JLinkAddQN58MCU::removeOldDevices(dir.path(), strError));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("Devices/Kestrilon"))));
    QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("Devices"))));
}

void tst_OldDevices::vendorFolderWithContentStays()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Devices/Kestrilon/QN58FLM")));
    QString strError;
    QVERIFY(JLinkAddQN58MCU::removeOldDevices(dir.path(), strError));
    QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("Devices/Kestrilon/QN58FLM"))));
}

void tst_OldDevices::largeDatabaseIsServed()
{
    const int nOthers = 30000;
    QStringList entries;
    for (int i = 0; i < nOthers; ++i) {
        entries << QStringLiteral("<Device><ChipInfo Vendor=\"ST\" Name=\"STM32-%1\"/>"
                                  "<FlashBankInfo Name=\"Internal\" BaseAddr=\"0x08000000\"/></Device>").arg(i);
        if (i % 1000 == 0)
            entries << QStringLiteral("<Device><ChipInfo Vendor=\"Kestrilon\" Name=\"QN58-%1\"/></Device>").arg(i);
    }
    QTemporaryDir dir;
    const QString strPath = deviceDatabasePath(dir.path());
    QVERIFY(writeFile(strPath, database(entries)));
    QString strError;
    QVERIFY(JLinkAddQN58MCU::removeOldDevices(dir.path(), strError));

    const QDomElement root = loadDeviceDatabase(strPath).documentElement();
    QCOMPARE(root.childNodes().count(), nOthers);
    QCOMPARE(root.lastChild().firstChild().toElement().attribute(QStringLiteral("Name")),
             QStringLiteral("STM32-%1").arg(nOthers - 1));
}

QTEST_APPLESS_MAIN(tst_OldDevices)

#include "tst_olddevices.moc"
