#include "catalogue.h"

#include <QRegularExpression>
#include <QSet>
#include <QtTest>

#include <algorithm>

Q_DECLARE_METATYPE(EntryKind)

namespace {

// What each family block must hold, in registration order. workRam is one
// value for the whole block or "size:value" pairs by main-flash size.
struct ExpectedBlock {
    int familyCode;
    const char *family;
    int rows;
    int mainFlash;
    int apMode;
    int usd;
    int extFlash;
    int universal;
    bool leadingDash;
    const char *workRam;
};

const ExpectedBlock expectedBlocks[] = {
    { 2, "QN58K212", 32, 17, 0, 1, 10, 4, true, "0x038000" },
    { 4, "QN58K199", 41, 12, 0, 1, 20, 8, true, "0x008000" },
    { 5, "QN58K528", 21, 17, 3, 1, 0, 0, true, "0x008000" },
    { 7, "QN58K212A", 39, 14, 0, 1, 20, 4, true, "0x038000" },
    { 8, "QN58K254", 33, 8, 0, 1, 20, 4, true, "0x038000" },
    { 9, "QN58K830", 30, 26, 3, 1, 0, 0, true, "16:0x002000 32:0x004000 64:0x004000" },
    { 13, "QN58K944", 22, 20, 0, 2, 0, 0, true, "0x060000" },
    { 14, "QN58K192", 14, 12, 0, 2, 0, 0, true, "0x060000" },
    { 15, "QN58K774", 19, 16, 2, 1, 0, 0, true, "0x005000" },
    { 16, "QN58P124", 25, 21, 3, 1, 0, 0, true, "0x002400" },
    { 17, "QN58VX617", 5, 1, 3, 1, 0, 0, true, "0x008000" },
    { 18, "QN58K699", 26, 22, 3, 1, 0, 0, true, "64:0x008000 128:0x00C000 256:0x00C000" },
    { 20, "QN58K569", 13, 10, 2, 1, 0, 0, false, "128:0x012000 256:0x019800" },
    { 19, "QN58K210", 13, 10, 2, 1, 0, 0, false, "128:0x012000 256:0x019800" },
    { 30, "QN58K872", 3, 1, 1, 1, 0, 0, false, "0x019800" },
    { 24, "QN58R258A", 37, 12, 0, 1, 20, 4, true, "0x038000" },
    { 29, "QN58R820", 25, 21, 3, 1, 0, 0, false, "64:0x008000 128:0x00C000 256:0x00C000" },
    { 25, "QN58N164", 11, 8, 2, 1, 0, 0, false, "0x004000" },
    { 26, "QN58N229", 11, 8, 2, 1, 0, 0, false, "0x004000" },
    { 33, "QN58K333", 17, 14, 2, 1, 0, 0, false, "0x004000" },
    { 34, "QN58K624", 15, 12, 2, 1, 0, 0, false, "0x004000" },
    { 21, "QN58K103", 13, 10, 2, 1, 0, 0, false, "256:0x01B000 512:0x023000" },
    { 22, "QN58K518", 13, 10, 2, 1, 0, 0, false, "256:0x01B000 512:0x023000" },
    { 23, "QN58K121", 9, 6, 2, 1, 0, 0, false, "256:0x01B000 512:0x023000" },
    { 37, "QN58K949", 6, 4, 1, 1, 0, 0, false, "0x002400" },
    { 149, "QN58K8395", 3, 1, 1, 1, 0, 0, false, "0x004000" },
    { 35, "QN58K212E", 13, 12, 0, 1, 0, 0, false, "0x038000" },
    { 36, "QN58K254E", 7, 6, 0, 1, 0, 0, false, "0x038000" },
    { 38, "QN58K410", 9, 6, 2, 1, 0, 0, false, "0x004000" },
    { 150, "VC71K228", 3, 1, 1, 1, 0, 0, false, "0x004000" },
};
constexpr int blockCount = int(std::size(expectedBlocks));

QString nameOf(const CatalogueRow &row)
{
    return QLatin1String(row.deviceName);
}

// A block is a run of rows with one family code; external-flash rows carry
// none and belong to the run they stand in.
QVector<QVector<CatalogueRow>> catalogueBlocks()
{
    QVector<QVector<CatalogueRow>> blocks;
    int currentCode = -1;
    for (const CatalogueRow &row : deviceCatalogue()) {
        const int code = row.kind == EntryKind::ExtFlash ? currentCode : row.familyCode;
        if (blocks.isEmpty() || code != currentCode)
            blocks.append(QVector<CatalogueRow>());
        blocks.last().append(row);
        currentCode = code;
    }
    return blocks;
}

// The stem that a block's pseudo-device names start with.
QString stemOf(const ExpectedBlock &block)
{
    return QLatin1String(block.leadingDash ? "-" : "") + QLatin1String(block.family);
}

QMap<int, QString> workRamBySize(const ExpectedBlock &block)
{
    QMap<int, QString> bySize;
    const QString rule = QLatin1String(block.workRam);
    if (!rule.contains(QLatin1Char(':')))
        return bySize;
    for (const QString &pair : rule.split(QLatin1Char(' '))) {
        const QStringList parts = pair.split(QLatin1Char(':'));
        bySize.insert(parts.at(0).toInt(), parts.at(1));
    }
    return bySize;
}

void addBlockRows()
{
    QTest::addColumn<int>("block");
    for (int i = 0; i < blockCount; ++i)
        QTest::newRow(qPrintable(QStringLiteral("block %1 %2").arg(i + 1).arg(QLatin1String(expectedBlocks[i].family))))
            << i;
}

} // namespace

class tst_Catalogue : public QObject
{
    Q_OBJECT

private slots:
    void everyNameOccursOnce();
    void firstAndLastRows();
    void kindTotals_data();
    void kindTotals();
    void blocksFollowTheFamilyOrder();
    void blockContents_data();
    void blockContents();
    void workRamFollowsTheBlockRule_data();
    void workRamFollowsTheBlockRule();
    void oneK212PartHasLessWorkRam();
    void offFamilyNames_data();
    void offFamilyNames();
    void partNumbersAgreeWithFlashSize();
    void pseudoDeviceNamesAgreeWithTheirFields_data();
    void pseudoDeviceNamesAgreeWithTheirFields();
    void extFlashOrder_data();
    void extFlashOrder();
    void valuesComeFromTheKnownSets();
};

void tst_Catalogue::everyNameOccursOnce()
{
    QSet<QString> names;
    for (const CatalogueRow &row : deviceCatalogue()) {
        QVERIFY(row.deviceName && *row.deviceName);
        names.insert(nameOf(row));
    }
    QCOMPARE(deviceCatalogue().size(), std::size_t(528));
    QCOMPARE(names.size(), 528);
}

void tst_Catalogue::firstAndLastRows()
{
    const CatalogueRows rows = deviceCatalogue();
    const CatalogueRow &first = rows[0];
    QCOMPARE(first.kind, EntryKind::MainFlash);
    QCOMPARE(nameOf(first), QStringLiteral("-QN58K212ZCT6"));
    QCOMPARE(QLatin1String(first.workRamSize), QLatin1String("0x038000"));
    QCOMPARE(first.flashSizeKB, 256);
    QCOMPARE(first.familyCode, 2);

    const CatalogueRow &last = rows[rows.size() - 1];
    QCOMPARE(last.kind, EntryKind::Usd);
    QCOMPARE(nameOf(last), QStringLiteral("VC71K228USD"));
    QCOMPARE(QLatin1String(last.workRamSize), QLatin1String("0x004000"));
    QCOMPARE(last.familyCode, 150);
    QCOMPARE(last.usdVariant, 0);
}

void tst_Catalogue::kindTotals_data()
{
    QTest::addColumn<EntryKind>("kind");
    QTest::addColumn<int>("total");

    QTest::newRow("main flash") << EntryKind::MainFlash << 338;
    QTest::newRow("AP mode") << EntryKind::ApMode << 44;
    QTest::newRow("USD") << EntryKind::Usd << 32;
    QTest::newRow("external flash") << EntryKind::ExtFlash << 90;
    QTest::newRow("universal") << EntryKind::Universal << 24;
}

void tst_Catalogue::kindTotals()
{
    QFETCH(EntryKind, kind);
    QFETCH(int, total);

    const CatalogueRows rows = deviceCatalogue();
    QCOMPARE(int(std::count_if(rows.begin(), rows.end(),
                               [kind](const CatalogueRow &row) { return row.kind == kind; })),
             total);
}

void tst_Catalogue::blocksFollowTheFamilyOrder()
{
    QVector<int> codes;
    for (const QVector<CatalogueRow> &block : catalogueBlocks())
        codes << block.first().familyCode;
    QVector<int> expected;
    for (const ExpectedBlock &block : expectedBlocks)
        expected << block.familyCode;
    QCOMPARE(codes, expected);
}

void tst_Catalogue::blockContents_data()
{
    addBlockRows();
}

void tst_Catalogue::blockContents()
{
    QFETCH(int, block);
    const ExpectedBlock &expected = expectedBlocks[block];
    const QVector<QVector<CatalogueRow>> blocks = catalogueBlocks();
    QCOMPARE(blocks.size(), blockCount);
    const QVector<CatalogueRow> &rows = blocks.at(block);

    QCOMPARE(rows.size(), expected.rows);
    QMap<EntryKind, int> perKind;
    for (int i = 0; i < rows.size(); ++i) {
        const CatalogueRow &row = rows.at(i);
        ++perKind[row.kind];
        if (i > 0)
            QVERIFY2(int(rows.at(i - 1).kind) <= int(row.kind), row.deviceName);
        if (row.kind != EntryKind::ExtFlash)
            QCOMPARE(row.familyCode, expected.familyCode);
        QVERIFY2(nameOf(row).startsWith(QLatin1Char('-')) == expected.leadingDash, row.deviceName);
        if (row.kind != EntryKind::MainFlash)
            QVERIFY2(nameOf(row).startsWith(stemOf(expected)), row.deviceName);
    }
    QCOMPARE(perKind.value(EntryKind::MainFlash), expected.mainFlash);
    QCOMPARE(perKind.value(EntryKind::ApMode), expected.apMode);
    QCOMPARE(perKind.value(EntryKind::Usd), expected.usd);
    QCOMPARE(perKind.value(EntryKind::ExtFlash), expected.extFlash);
    QCOMPARE(perKind.value(EntryKind::Universal), expected.universal);
}

void tst_Catalogue::workRamFollowsTheBlockRule_data()
{
    addBlockRows();
}

// Where work RAM depends on the flash size, AP-mode rows follow the main
// flash rule and the USD row takes the value of the largest size.
void tst_Catalogue::workRamFollowsTheBlockRule()
{
    QFETCH(int, block);
    const ExpectedBlock &expected = expectedBlocks[block];
    const QMap<int, QString> bySize = workRamBySize(expected);
    const QVector<QVector<CatalogueRow>> blocks = catalogueBlocks();
    QCOMPARE(blocks.size(), blockCount);

    for (const CatalogueRow &row : blocks.at(block)) {
        if (nameOf(row) == QLatin1String("-QN58K212CBT6"))
            continue;
        QString ram = QLatin1String(expected.workRam);
        if (!bySize.isEmpty()) {
            QVERIFY2(row.kind == EntryKind::MainFlash || row.kind == EntryKind::ApMode
                         || row.kind == EntryKind::Usd,
                     row.deviceName);
            ram = row.kind == EntryKind::Usd ? bySize.last() : bySize.value(row.flashSizeKB);
        }
        QVERIFY2(QLatin1String(row.workRamSize) == ram, row.deviceName);
    }
}

void tst_Catalogue::oneK212PartHasLessWorkRam()
{
    for (const CatalogueRow &row : deviceCatalogue()) {
        if (nameOf(row) != QLatin1String("-QN58K212CBT6"))
            continue;
        QCOMPARE(row.kind, EntryKind::MainFlash);
        QCOMPARE(QLatin1String(row.workRamSize), QLatin1String("0x008000"));
        QCOMPARE(row.flashSizeKB, 128);
        QCOMPARE(row.familyCode, 2);
        return;
    }
    QFAIL("-QN58K212CBT6 is missing");
}

void tst_Catalogue::offFamilyNames_data()
{
    QTest::addColumn<int>("block");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("flashSizes");

    const QMap<int, QPair<QStringList, QList<int>>> offFamily = {
        { 0, { { QStringLiteral("-VB3K212CGT6") }, { 1024 } } },
        { 1, { { QStringLiteral("-QN58KQZDC8T7") }, { 64 } } },
        { 2, { { QStringLiteral("-HD4477") }, { 128 } } },
        { 3, { { QStringLiteral("-VB3K212CGT6-A") }, { 1024 } } },
        { 5, { { QStringLiteral("-QN58K3662C8T7") }, { 64 } } },
    };
    for (int i = 0; i < blockCount; ++i)
        QTest::newRow(qPrintable(QStringLiteral("block %1").arg(i + 1)))
            << i << offFamily.value(i).first << offFamily.value(i).second;
}

// Only these main-flash rows are named outside their family; they still
// carry the block's code and work RAM (checked with the block's rules).
void tst_Catalogue::offFamilyNames()
{
    QFETCH(int, block);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, flashSizes);

    const QVector<QVector<CatalogueRow>> blocks = catalogueBlocks();
    QCOMPARE(blocks.size(), blockCount);
    QStringList found;
    QList<int> sizes;
    for (const CatalogueRow &row : blocks.at(block)) {
        if (!nameOf(row).startsWith(stemOf(expectedBlocks[block]))) {
            QCOMPARE(row.kind, EntryKind::MainFlash);
            found << nameOf(row);
            sizes << row.flashSizeKB;
        }
    }
    QCOMPARE(found, names);
    QCOMPARE(sizes, flashSizes);
}

// A part number codes its flash size in the letter before the package
// letter (...C T7 is 256 KB), so a slipped size shows up against the name.
void tst_Catalogue::partNumbersAgreeWithFlashSize()
{
    const QHash<QChar, int> sizeCodes = {
        { QLatin1Char('4'), 16 },  { QLatin1Char('6'), 32 },  { QLatin1Char('8'), 64 },
        { QLatin1Char('B'), 128 }, { QLatin1Char('C'), 256 }, { QLatin1Char('D'), 448 },
        { QLatin1Char('E'), 512 }, { QLatin1Char('G'), 1024 }, { QLatin1Char('M'), 4032 },
    };
    const QVector<QVector<CatalogueRow>> blocks = catalogueBlocks();
    QCOMPARE(blocks.size(), blockCount);
    int checked = 0;
    for (int i = 0; i < blockCount; ++i) {
        const QRegularExpression partNumber(
            QLatin1Char('^') + QRegularExpression::escape(stemOf(expectedBlocks[i]))
            + QLatin1String("[A-Z]{1,2}([468BCDEGM])[TUPW]"));
        for (const CatalogueRow &row : blocks.at(i)) {
            const QRegularExpressionMatch match = partNumber.match(nameOf(row));
            if (row.kind != EntryKind::MainFlash || !match.hasMatch())
                continue;
            QVERIFY2(sizeCodes.value(match.captured(1).at(0)) == row.flashSizeKB, row.deviceName);
            ++checked;
        }
    }
    // Every main-flash row but the five named outside their family.
    QCOMPARE(checked, 338 - 5);
}

void tst_Catalogue::pseudoDeviceNamesAgreeWithTheirFields_data()
{
    addBlockRows();
}

void tst_Catalogue::pseudoDeviceNamesAgreeWithTheirFields()
{
    QFETCH(int, block);
    const ExpectedBlock &expected = expectedBlocks[block];
    const QString stem = stemOf(expected);
    const QVector<QVector<CatalogueRow>> blocks = catalogueBlocks();
    QCOMPARE(blocks.size(), blockCount);
    const QVector<CatalogueRow> &rows = blocks.at(block);
    int largestFlash = 0;
    for (const CatalogueRow &row : rows) {
        if (row.kind == EntryKind::MainFlash)
            largestFlash = std::max(largestFlash, row.flashSizeKB);
    }

    const QRegularExpression extFlash(QLatin1Char('^') + QRegularExpression::escape(stem)
                                      + QLatin1String("_EXT_TYPE([12])(_REAMP[01])?_(\\d+)MB$"));
    const QRegularExpression universal(
        QLatin1Char('^') + QRegularExpression::escape(stem)
        + QLatin1String("_UNIVERSAL_TYPE([12])(_NOREMAP|_REMAP)?(_1KPAGE|_2KPAGE)?$"));
    // Only these families name a remap in their external-flash and universal rows.
    const bool namesRemap = expected.familyCode != 2;

    for (const CatalogueRow &row : rows) {
        const QString name = nameOf(row);
        switch (row.kind) {
        case EntryKind::MainFlash:
            break;
        case EntryKind::ApMode:
            QCOMPARE(name, stem + QLatin1String("_APMODE_") + QString::number(row.flashSizeKB));
            break;
        case EntryKind::Usd:
            QCOMPARE(name, stem + QLatin1String("USD")
                               + (row.usdVariant ? QLatin1Char('_') + QString::number(row.usdVariant)
                                                 : QString()));
            QCOMPARE(row.usdVariant != 0, expected.usd == 2);
            break;
        case EntryKind::ExtFlash: {
            const QRegularExpressionMatch match = extFlash.match(name);
            QVERIFY2(match.hasMatch(), row.deviceName);
            QCOMPARE(match.capturedLength(2) != 0, namesRemap);
            QCOMPARE(row.extSizeKB, match.captured(3).toInt() * 1024);
            break;
        }
        case EntryKind::Universal: {
            const QRegularExpressionMatch match = universal.match(name);
            QVERIFY2(match.hasMatch(), row.deviceName);
            QCOMPARE(row.extType, match.captured(1).toInt());
            QCOMPARE(match.capturedLength(2) != 0, namesRemap);
            QCOMPARE(row.extRemap, match.captured(2) == QLatin1String("_REMAP") ? 1 : 0);
            // A 1 KB page part is the 128 KB one; the others use the largest flash.
            QCOMPARE(row.flashSizeKB,
                     match.captured(3) == QLatin1String("_1KPAGE") ? 128 : largestFlash);
            break;
        }
        }
    }
}

void tst_Catalogue::extFlashOrder_data()
{
    QTest::addColumn<int>("block");
    QTest::addColumn<QStringList>("suffixes");

    const QStringList sizes = { QStringLiteral("1MB"), QStringLiteral("2MB"), QStringLiteral("4MB"),
                                QStringLiteral("8MB"), QStringLiteral("16MB") };
    const QStringList combinations = { QStringLiteral("TYPE1_REAMP0"), QStringLiteral("TYPE1_REAMP1"),
                                       QStringLiteral("TYPE2_REAMP0"), QStringLiteral("TYPE2_REAMP1") };
    QStringList typeByType;
    for (const QString &type : { QStringLiteral("TYPE1"), QStringLiteral("TYPE2") })
        for (const QString &size : sizes)
            typeByType << type + QLatin1Char('_') + size;
    QStringList sizeBySize;
    for (const QString &size : sizes)
        for (const QString &combination : combinations)
            sizeBySize << combination + QLatin1Char('_') + size;
    QStringList combinationByCombination;
    for (const QString &combination : combinations)
        for (const QString &size : sizes)
            combinationByCombination << combination + QLatin1Char('_') + size;

    QTest::newRow("QN58K212 type by type") << 0 << typeByType;
    QTest::newRow("QN58K199 size by size") << 1 << sizeBySize;
    QTest::newRow("QN58K212A combination by combination") << 3 << combinationByCombination;
    QTest::newRow("QN58K254 combination by combination") << 4 << combinationByCombination;
    QTest::newRow("QN58R258A combination by combination") << 15 << combinationByCombination;
}

void tst_Catalogue::extFlashOrder()
{
    QFETCH(int, block);
    QFETCH(QStringList, suffixes);

    const QString prefix = stemOf(expectedBlocks[block]) + QLatin1String("_EXT_");
    const QVector<QVector<CatalogueRow>> blocks = catalogueBlocks();
    QCOMPARE(blocks.size(), blockCount);
    QStringList names;
    for (const CatalogueRow &row : blocks.at(block)) {
        if (row.kind == EntryKind::ExtFlash)
            names << nameOf(row);
    }
    QStringList expected;
    for (const QString &suffix : suffixes)
        expected << prefix + suffix;
    QCOMPARE(names, expected);
}

void tst_Catalogue::valuesComeFromTheKnownSets()
{
    QSet<QString> workRam;
    QSet<int> flashSizes, extSizes, extTypes, extRemaps;
    for (const CatalogueRow &row : deviceCatalogue()) {
        workRam.insert(QLatin1String(row.workRamSize));
        if (row.kind == EntryKind::MainFlash || row.kind == EntryKind::ApMode
            || row.kind == EntryKind::Universal)
            flashSizes.insert(row.flashSizeKB);
        if (row.kind == EntryKind::ExtFlash)
            extSizes.insert(row.extSizeKB);
        if (row.kind == EntryKind::Universal) {
            extTypes.insert(row.extType);
            extRemaps.insert(row.extRemap);
        }
    }
    const QStringList ramValues = {
        QStringLiteral("0x002000"), QStringLiteral("0x002400"), QStringLiteral("0x004000"),
        QStringLiteral("0x005000"), QStringLiteral("0x008000"), QStringLiteral("0x00C000"),
        QStringLiteral("0x012000"), QStringLiteral("0x019800"), QStringLiteral("0x01B000"),
        QStringLiteral("0x023000"), QStringLiteral("0x038000"), QStringLiteral("0x060000"),
    };
    QCOMPARE(workRam, QSet<QString>(ramValues.begin(), ramValues.end()));
    QCOMPARE(flashSizes, (QSet<int>{ 16, 32, 64, 128, 256, 448, 512, 1024, 4032 }));
    QCOMPARE(extSizes, (QSet<int>{ 1024, 2048, 4096, 8192, 16384 }));
    QCOMPARE(extTypes, (QSet<int>{ 1, 2 }));
    QCOMPARE(extRemaps, (QSet<int>{ 0, 1 }));
}

QTEST_APPLESS_MAIN(tst_Catalogue)

#include "tst_catalogue.moc"
