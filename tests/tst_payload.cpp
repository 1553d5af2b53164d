#include "databasefixtures.h"

#include <QDir>
#include <QIcon>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>
#include <QtEndian>
#include <QtTest>

#include <algorithm>

namespace {

// Each name's series: what comes before its first "_" (the script has none).
QString seriesOf(const QString &name)
{
    return name.section(QLatin1Char('_'), 0, 0);
}

QList<QPair<QString, int>> blocksOf(const QStringList &names)
{
    QList<QPair<QString, int>> blocks;
    for (const QString &name : names) {
        if (blocks.isEmpty() || blocks.last().first != seriesOf(name))
            blocks.append({seriesOf(name), 0});
        ++blocks.last().second;
    }
    return blocks;
}

// The "width/bits" of every image in an icon file's directory.
QStringList iconDirectory(const QByteArray &data)
{
    QStringList images;
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
    if (data.size() < 6 || qFromLittleEndian<quint16>(bytes) != 0
        || qFromLittleEndian<quint16>(bytes + 2) != 1)
        return images;
    const int count = qFromLittleEndian<quint16>(bytes + 4);
    for (int i = 0; i < count && 6 + 16 * (i + 1) <= data.size(); ++i) {
        const uchar *entry = bytes + 6 + 16 * i;
        const int width = entry[0] ? entry[0] : 256;
        images << QStringLiteral("%1/%2").arg(width).arg(qFromLittleEndian<quint16>(entry + 6));
    }
    return images;
}

QStringList strings(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts)
        list << QString::fromLatin1(text);
    return list;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

} // namespace

class tst_Payload : public QObject
{
    Q_OBJECT

private slots:
    void templateIsAnEmptyDatabase();
    void listNamesEveryFileOnce();
    void listBeginsWithTheScriptAndEndsWithVC71K228();
    void listBlocks_data();
    void listBlocks();
    void blockSuffixes_data();
    void blockSuffixes();
    void bundleHoldsExactlyTheListedFiles();
    void scriptHasCrLfLineEnds();
    void icons_data();
    void icons();
    void everyFileTheCatalogueNamesIsDeployed();
};

void tst_Payload::templateIsAnEmptyDatabase()
{
    QCOMPARE(readFile(QStringLiteral(":/JLinkDevices.xml")), templateDatabase);
}

void tst_Payload::listNamesEveryFileOnce()
{
    const QStringList names = listedNames();
    QCOMPARE(names.size(), 266);
    QVERIFY(!names.contains(QString()));
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 266);
    QCOMPARE(names.filter(QRegularExpression(QStringLiteral("^[A-Z0-9]+_[A-Z0-9_]+\\.FLM$"))).size(),
             265);
}

void tst_Payload::listBeginsWithTheScriptAndEndsWithVC71K228()
{
    const QStringList names = listedNames();
    QCOMPARE(names.mid(0, 3),
             QStringList({QStringLiteral("QN58Kxxx.JLinkScript"), QStringLiteral("QN58K212_128.FLM"),
                          QStringLiteral("QN58K212_256.FLM")}));
    QCOMPARE(names.mid(264),
             QStringList({QStringLiteral("VC71K228_BOOTMEM_AP.FLM"), QStringLiteral("VC71K228_USD.FLM")}));
}

void tst_Payload::listBlocks_data()
{
    QTest::addColumn<int>("block");
    QTest::addColumn<QString>("series");
    QTest::addColumn<int>("count");

    const QList<QPair<const char *, int>> blocks = {
        {"QN58Kxxx.JLinkScript", 1}, {"QN58K212", 16}, {"QN58K212A", 32}, {"QN58K254", 32},
        {"QN58K199", 24}, {"QN58K528", 5}, {"QN58K830", 5}, {"QN58K3662", 3},
        {"QN58K944", 8}, {"QN58K192", 8}, {"QN58K774", 5}, {"QN58P124", 5},
        {"QN58VX617", 5}, {"QN58K699", 5}, {"QN58K569", 5}, {"QN58K210", 5},
        {"QN58R258A", 32}, {"QN58R820", 5}, {"QN58K872", 5}, {"QN58N164", 4},
        {"QN58N229", 4}, {"QN58K333", 4}, {"QN58K624", 4}, {"QN58K103", 4},
        {"QN58K518", 4}, {"QN58K121", 4}, {"QN58K949", 5}, {"QN58K212E", 7},
        {"QN58K254E", 7}, {"QN58K410", 4}, {"QN58K8395", 4}, {"VC71K228", 5},
    };
    for (int i = 0; i < blocks.size(); ++i)
        QTest::addRow("%d %s", i + 1, blocks.at(i).first)
            << i << QString::fromLatin1(blocks.at(i).first) << blocks.at(i).second;
}

void tst_Payload::listBlocks()
{
    QFETCH(int, block);
    QFETCH(QString, series);
    QFETCH(int, count);

    const auto blocks = blocksOf(listedNames());
    QCOMPARE(blocks.size(), 32);
    QCOMPARE(blocks.at(block).first, series);
    QCOMPARE(blocks.at(block).second, count);
}

void tst_Payload::blockSuffixes_data()
{
    QTest::addColumn<QString>("series");
    QTest::addColumn<QStringList>("suffixes");

    const QStringList listA = strings({
        "_256", "_512", "_1024",
        "_EXT_TYPE1_REAMP0", "_EXT_TYPE1_REAMP0_1MB", "_EXT_TYPE1_REAMP0_2MB",
        "_EXT_TYPE1_REAMP0_4MB", "_EXT_TYPE1_REAMP0_8MB", "_EXT_TYPE1_REAMP0_16MB",
        "_EXT_TYPE1_REAMP0_GENERAL",
        "_EXT_TYPE1_REAMP1", "_EXT_TYPE1_REAMP1_1MB", "_EXT_TYPE1_REAMP1_2MB",
        "_EXT_TYPE1_REAMP1_4MB", "_EXT_TYPE1_REAMP1_8MB", "_EXT_TYPE1_REAMP1_16MB",
        "_EXT_TYPE1_REAMP1_GENERAL",
        "_EXT_TYPE2_REAMP0", "_EXT_TYPE2_REAMP0_1MB", "_EXT_TYPE2_REAMP0_2MB",
        "_EXT_TYPE2_REAMP0_4MB", "_EXT_TYPE2_REAMP0_8MB", "_EXT_TYPE2_REAMP0_16MB",
        "_EXT_TYPE2_REAMP0_GENERAL",
        "_EXT_TYPE2_REAMP1", "_EXT_TYPE2_REAMP1_1MB", "_EXT_TYPE2_REAMP1_2MB",
        "_EXT_TYPE2_REAMP1_4MB", "_EXT_TYPE2_REAMP1_8MB", "_EXT_TYPE2_REAMP1_16MB",
        "_EXT_TYPE2_REAMP1_GENERAL",
        "_USD",
    });
    const QStringList listB = strings({
        "_64", "_128", "_256",
        "_EXT_TYPE1_REAMP0_1MB", "_EXT_TYPE1_REAMP0_2MB", "_EXT_TYPE1_REAMP0_4MB",
        "_EXT_TYPE1_REAMP0_8MB", "_EXT_TYPE1_REAMP0_16MB",
        "_EXT_TYPE1_REAMP1_1MB", "_EXT_TYPE1_REAMP1_2MB", "_EXT_TYPE1_REAMP1_4MB",
        "_EXT_TYPE1_REAMP1_8MB", "_EXT_TYPE1_REAMP1_16MB",
        "_EXT_TYPE2_REAMP0_1MB", "_EXT_TYPE2_REAMP0_2MB", "_EXT_TYPE2_REAMP0_4MB",
        "_EXT_TYPE2_REAMP0_8MB", "_EXT_TYPE2_REAMP0_16MB",
        "_EXT_TYPE2_REAMP1_1MB", "_EXT_TYPE2_REAMP1_2MB", "_EXT_TYPE2_REAMP1_4MB",
        "_EXT_TYPE2_REAMP1_8MB", "_EXT_TYPE2_REAMP1_16MB",
        "_USD",
    });
    const QStringList mainFlashSizes =
        strings({"_256", "_448", "_960", "_1024", "_1984", "_4032", "_USD"});
    const QStringList usdVariants =
        strings({"_192", "_256", "_448", "_960", "_1024", "_4032", "_USD_4096", "_USD_512"});

    QTest::newRow("QN58K212") << "QN58K212"
        << strings({"_128", "_256", "_512", "_1024",
                    "_EXT_TYPE1_1MB", "_EXT_TYPE1_2MB", "_EXT_TYPE1_4MB", "_EXT_TYPE1_8MB",
                    "_EXT_TYPE1_16MB", "_EXT_TYPE1_GENERAL",
                    "_EXT_TYPE2_1MB", "_EXT_TYPE2_2MB", "_EXT_TYPE2_4MB", "_EXT_TYPE2_8MB",
                    "_EXT_TYPE2_16MB", "_USD"});
    QTest::newRow("QN58K212A: list A") << "QN58K212A" << listA;
    QTest::newRow("QN58K254: list A") << "QN58K254" << listA;
    QTest::newRow("QN58R258A: list A") << "QN58R258A" << listA;
    QTest::newRow("QN58K199: list B") << "QN58K199" << listB;
    QTest::newRow("QN58K944: 4096 before 512") << "QN58K944" << usdVariants;
    QTest::newRow("QN58K192: 4096 before 512") << "QN58K192" << usdVariants;
    QTest::newRow("QN58K3662") << "QN58K3662" << strings({"_64", "_BOOTMEM_AP", "_USD"});
    QTest::newRow("QN58N229 has its own boot memory loader")
        << "QN58N229" << strings({"_64", "_128", "_BOOTMEM_AP", "_USD"});
    QTest::newRow("QN58K212E") << "QN58K212E" << mainFlashSizes;
    QTest::newRow("QN58K254E") << "QN58K254E" << mainFlashSizes;
    QTest::newRow("VC71K228")
        << "VC71K228" << strings({"_16", "_32", "_64", "_BOOTMEM_AP", "_USD"});
}

void tst_Payload::blockSuffixes()
{
    QFETCH(QString, series);
    QFETCH(QStringList, suffixes);

    QStringList listed;
    for (const QString &name : listedNames()) {
        if (seriesOf(name) == series)
            listed << name.mid(series.size()).chopped(4);
    }
    QCOMPARE(listed, suffixes);
}

void tst_Payload::bundleHoldsExactlyTheListedFiles()
{
    const QStringList bundled =
        QDir(QStringLiteral(":/FLMFile")).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                    | QDir::NoDotAndDotDot);
    QCOMPARE(sorted(bundled), sorted(listedNames()));
    for (const QString &name : bundled)
        QVERIFY2(!bundledFile(name).isEmpty(), qPrintable(name));
}

void tst_Payload::scriptHasCrLfLineEnds()
{
    const QByteArray script = bundledFile(QStringLiteral("QN58Kxxx.JLinkScript"));
    QVERIFY(script.endsWith("\r\n"));
    QCOMPARE(script.count('\n'), script.count("\r\n"));
    QCOMPARE(script.count('\r'), script.count("\r\n"));
}

void tst_Payload::icons_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("images");

    QTest::newRow("window icon") << ":/image/sandbox_shfXP.ico"
        << strings({"16/32", "16/8", "256/32", "32/32", "32/8", "48/32", "48/8"});
    QTest::newRow("progress icon") << ":/image/Kestri.ico"
        << strings({"128/32", "16/32", "256/32", "32/32", "48/32", "64/32"});
}

void tst_Payload::icons()
{
    QFETCH(QString, path);
    QFETCH(QStringList, images);

    const QStringList directory = iconDirectory(readFile(path));
    QCOMPARE(sorted(directory), images);

    // Every image decodes, at the size its directory entry gives.
    QImageReader reader(path);
    QCOMPARE(reader.imageCount(), images.size());
    for (int i = 0; i < directory.size(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(QString::number(image.width()), directory.at(i).section(QLatin1Char('/'), 0, 0));
        QCOMPARE(image.height(), image.width());
    }
    QVERIFY(!QIcon(path).isNull());
}

void tst_Payload::everyFileTheCatalogueNamesIsDeployed()
{
    const QDomDocument doc = registeredCatalogue();
    const QStringList names = listedNames();
    QStringList named;
    const QDomNodeList banks = doc.elementsByTagName(QStringLiteral("FlashBankInfo"));
    for (int i = 0; i < banks.size(); ++i)
        named << banks.at(i).toElement().attribute(QStringLiteral("Loader"));
    const QDomNodeList chips = doc.elementsByTagName(QStringLiteral("ChipInfo"));
    for (int i = 0; i < chips.size(); ++i)
        named << chips.at(i).toElement().attribute(QStringLiteral("JLinkScriptFile"));
    named.removeDuplicates();
    QVERIFY(named.size() > 200);
    // Relative to the J-Link folder.
    const QString strPrefix = loaderFolder.mid(1) + QLatin1Char('/');
    for (const QString &path : qAsConst(named)) {
        QVERIFY2(path.startsWith(strPrefix), qPrintable(path));
        QVERIFY2(names.contains(path.mid(strPrefix.size())), qPrintable(path));
    }
}

QTEST_MAIN(tst_Payload)
#include "tst_payload.moc"
