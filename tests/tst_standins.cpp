#include "databasefixtures.h"
#include "deploymentlist.h"

#include <QHash>
#include <QtEndian>
#include <QtTest>

namespace {

// The parts of a 32-bit little-endian ELF file that flash programmers read.
struct Section {
    int index = 0;
    quint32 type = 0;
    quint32 flags = 0;
    quint32 address = 0;
    quint32 offset = 0;
    quint32 size = 0;
};

struct Segment {
    quint32 type = 0;
    quint32 offset = 0;
    quint32 address = 0;
    quint32 fileSize = 0;
    quint32 memorySize = 0;
};

struct Symbol {
    quint32 value = 0;
    quint32 size = 0;
    int type = 0;
    int binding = 0;
    int section = 0;
};

struct Descriptor {
    quint16 version = 0;
    QByteArray name;
    quint16 type = 0;
    quint32 start = 0;
    quint32 size = 0;
    quint32 pageSize = 0;
    quint8 erasedValue = 0;
    QList<QPair<quint32, quint32>> sectors; // size, offset; up to the end marker
    bool ended = false;
};

enum : quint32 { SectionProgbits = 1, SectionSymtab = 2, SegmentLoad = 1 };
enum : quint32 { FlagWrite = 1, FlagAlloc = 2, FlagExec = 4 };
enum : int { SymbolObject = 1, SymbolFunction = 2, BindingGlobal = 1 };

class FlashAlgorithm
{
public:
    explicit FlashAlgorithm(const QByteArray &data) : m_data(data) { parse(); }

    bool valid() const { return m_valid; }
    quint16 fileType() const { return u16(16); }
    quint16 machine() const { return u16(18); }
    // Of the first unit, behind its 32-bit length.
    quint16 debugInfoVersion() const { return u16(section(QStringLiteral(".debug_info")).offset + 4); }
    bool contains(const QByteArray &text) const { return m_data.contains(text); }
    Section section(const QString &name) const { return m_sections.value(name); }
    QList<Segment> segments() const { return m_segments; }
    bool hasSymbol(const QString &name) const { return m_symbols.contains(name); }
    Symbol symbol(const QString &name) const { return m_symbols.value(name); }

    // The descriptor that the symbol FlashDevice points at.
    Descriptor descriptor() const
    {
        Descriptor descriptor;
        const Section devDscr = section(QStringLiteral("DevDscr"));
        const Symbol flashDevice = symbol(QStringLiteral("FlashDevice"));
        const quint32 at = devDscr.offset + flashDevice.value - devDscr.address;
        if (flashDevice.value < devDscr.address || flashDevice.size < 176
            || at + flashDevice.size > quint32(m_data.size()))
            return descriptor;
        descriptor.version = u16(at);
        descriptor.name = m_data.mid(at + 2, 128);
        descriptor.name.truncate(descriptor.name.indexOf('\0'));
        descriptor.type = u16(at + 130);
        descriptor.start = u32(at + 132);
        descriptor.size = u32(at + 136);
        descriptor.pageSize = u32(at + 140);
        descriptor.erasedValue = quint8(m_data.at(at + 148));
        for (quint32 entry = at + 160; entry + 8 <= at + flashDevice.size; entry += 8) {
            if (u32(entry) == 0xFFFFFFFF && u32(entry + 4) == 0xFFFFFFFF) {
                descriptor.ended = true;
                break;
            }
            descriptor.sectors.append({u32(entry), u32(entry + 4)});
        }
        return descriptor;
    }

private:
    quint16 u16(quint32 at) const
    {
        return at + 2 <= quint32(m_data.size())
            ? qFromLittleEndian<quint16>(m_data.constData() + at) : 0;
    }
    quint32 u32(quint32 at) const
    {
        return at + 4 <= quint32(m_data.size())
            ? qFromLittleEndian<quint32>(m_data.constData() + at) : 0;
    }
    QString text(quint32 table, quint32 at) const
    {
        return QString::fromLatin1(m_data.constData() + table + at);
    }

    void parse()
    {
        // Magic, 32-bit class, little-endian data.
        if (!m_data.startsWith("\x7f" "ELF\x01\x01") || m_data.size() < 52)
            return;
        const quint32 sectionTable = u32(32);
        const int sectionCount = u16(48);
        const quint32 names = u32(sectionTable + 40 * u16(50) + 16);
        QList<Section> sections;
        for (int i = 0; i < sectionCount; ++i) {
            const quint32 header = sectionTable + 40 * i;
            Section section{i, u32(header + 4), u32(header + 8), u32(header + 12),
                            u32(header + 16), u32(header + 20)};
            m_sections.insert(text(names, u32(header)), section);
            sections.append(section);
        }
        for (int i = 0; i < u16(44); ++i) {
            const quint32 header = u32(28) + 32 * i;
            m_segments.append({u32(header), u32(header + 4), u32(header + 8), u32(header + 16),
                               u32(header + 20)});
        }
        for (const Section &symtab : qAsConst(sections)) {
            if (symtab.type != SectionSymtab)
                continue;
            const quint32 link = u32(sectionTable + 40 * symtab.index + 24);
            const quint32 strings = sections.value(int(link)).offset;
            for (quint32 entry = symtab.offset; entry + 16 <= symtab.offset + symtab.size;
                 entry += 16) {
                const quint8 info = quint8(m_data.at(entry + 12));
                m_symbols.insert(text(strings, u32(entry)),
                                 {u32(entry + 4), u32(entry + 8), info & 0xf, info >> 4, u16(entry + 14)});
            }
        }
        m_valid = true;
    }

    QByteArray m_data;
    bool m_valid = false;
    QHash<QString, Section> m_sections;
    QList<Segment> m_segments;
    QHash<QString, Symbol> m_symbols;
};

FlashAlgorithm bundledLoader(const QString &name)
{
    return FlashAlgorithm(bundledFile(name));
}

bool segmentStartsAt(const QList<Segment> &segments, const Section &section)
{
    for (const Segment &segment : segments) {
        if (segment.type == SegmentLoad && segment.address == section.address
            && segment.offset == section.offset && segment.fileSize >= section.size)
            return true;
    }
    return false;
}

} // namespace

class tst_StandIns : public QObject
{
    Q_OBJECT

private slots:
    void loaderIsAFlashAlgorithm_data();
    void loaderIsAFlashAlgorithm();
    void descriptorDescribesTheNamedMemory_data();
    void descriptorDescribesTheNamedMemory();
    void descriptorsMatchTheBanksThatNameThem();
};

void tst_StandIns::loaderIsAFlashAlgorithm_data()
{
    QTest::addColumn<QString>("name");

    for (const char *name : deploymentList) {
        if (QByteArray(name).endsWith(".FLM"))
            QTest::newRow(name) << QString::fromLatin1(name);
    }
}

void tst_StandIns::loaderIsAFlashAlgorithm()
{
    QFETCH(QString, name);

    const FlashAlgorithm loader = bundledLoader(name);
    QVERIFY(loader.valid());
    QCOMPARE(loader.fileType(), quint16(2)); // executable
    QCOMPARE(loader.machine(), quint16(40)); // ARM
    // Debian 12's ELF readers stop at DWARF 5; no build machine's paths.
    QCOMPARE(loader.debugInfoVersion(), quint16(4));
    QVERIFY(!loader.contains(QN58_SOURCE_DIR) && !loader.contains(QN58_BINARY_DIR));

    // The code from address 0, the data right behind it, each starting a
    // load segment: programmers load both and point R9 at the data.
    const Section code = loader.section(QStringLiteral("PrgCode"));
    const Section data = loader.section(QStringLiteral("PrgData"));
    const Section devDscr = loader.section(QStringLiteral("DevDscr"));
    QCOMPARE(code.type, quint32(SectionProgbits));
    QCOMPARE(code.flags & (FlagAlloc | FlagExec), quint32(FlagAlloc | FlagExec));
    QCOMPARE(code.address, quint32(0));
    QVERIFY(code.size > 0);
    QCOMPARE(code.size % 4, quint32(0));
    QCOMPARE(data.type, quint32(SectionProgbits));
    QCOMPARE(data.flags & (FlagAlloc | FlagWrite), quint32(FlagAlloc | FlagWrite));
    QCOMPARE(data.address, code.address + code.size);
    QCOMPARE(devDscr.type, quint32(SectionProgbits));
    QVERIFY(segmentStartsAt(loader.segments(), code));
    QVERIFY(segmentStartsAt(loader.segments(), data));

    for (const char *entryPoint : {"Init", "UnInit", "EraseChip", "EraseSector", "ProgramPage"}) {
        const QString symbolName = QString::fromLatin1(entryPoint);
        QVERIFY2(loader.hasSymbol(symbolName), entryPoint);
        const Symbol symbol = loader.symbol(symbolName);
        QCOMPARE(symbol.type, int(SymbolFunction));
        QCOMPARE(symbol.binding, int(BindingGlobal));
        QCOMPARE(symbol.section, code.index);
        QCOMPARE(symbol.value & 1, quint32(1)); // Thumb code
        QVERIFY(symbol.value < code.size);
    }
    QVERIFY(loader.hasSymbol(QStringLiteral("FlashDevice")));
    const Symbol flashDevice = loader.symbol(QStringLiteral("FlashDevice"));
    QCOMPARE(flashDevice.type, int(SymbolObject));
    QCOMPARE(flashDevice.section, devDscr.index);

    const Descriptor descriptor = loader.descriptor();
    QCOMPARE(descriptor.version, quint16(0x0101));
    QVERIFY2(descriptor.name.contains("stand-in"), descriptor.name.constData());
    QCOMPARE(descriptor.erasedValue, quint8(0xFF));
    QVERIFY(descriptor.ended);
    QCOMPARE(descriptor.sectors.size(), 1);
    QCOMPARE(descriptor.sectors.first().second, quint32(0));
    QVERIFY(descriptor.sectors.first().first > 0);
    QCOMPARE(descriptor.size % descriptor.sectors.first().first, quint32(0));
    QVERIFY(descriptor.pageSize > 0 && descriptor.pageSize <= descriptor.sectors.first().first);
}

void tst_StandIns::descriptorDescribesTheNamedMemory_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::addColumn<quint32>("start");
    QTest::addColumn<quint32>("size");

    const int onChip = 1;
    const int externalSpi = 5;
    QTest::newRow("main flash") << "QN58K212_128.FLM" << onChip << 0x08000000u << 0x20000u;
    QTest::newRow("main flash, 4032 KB") << "QN58K944_4032.FLM" << onChip << 0x08000000u << 0x3F0000u;
    QTest::newRow("main flash, 1984 KB") << "QN58K212E_1984.FLM" << onChip << 0x08000000u << 0x1F0000u;
    QTest::newRow("boot memory A") << "QN58VX617_BOOTMEM_AP.FLM" << onChip << 0x1FFFAC00u << 0x4800u;
    QTest::newRow("boot memory B") << "VC71K228_BOOTMEM_AP.FLM" << onChip << 0x1FFFE400u << 0x1000u;
    QTest::newRow("boot memory C") << "QN58K872_BOOTMEM_AP.FLM" << onChip << 0x1FFFA400u << 0x5000u;
    QTest::newRow("boot memory D") << "QN58K410_BOOTMEM_AP.FLM" << onChip << 0x1FFF7C00u << 0x6800u;
    QTest::newRow("boot memory E") << "QN58N229_BOOTMEM_AP.FLM" << onChip << 0x1FFF8000u << 0x7000u;
    QTest::newRow("boot memory of QN58K3662")
        << "QN58K3662_BOOTMEM_AP.FLM" << onChip << 0x1FFFE400u << 0x1000u;
    QTest::newRow("USD of 0x30") << "QN58R258A_USD.FLM" << onChip << 0x1FFFF800u << 0x30u;
    QTest::newRow("USD of 0x100") << "QN58K254E_USD.FLM" << onChip << 0x1FFFF800u << 0x100u;
    QTest::newRow("USD of 0x400") << "QN58K528_USD.FLM" << onChip << 0x1FFFF800u << 0x400u;
    QTest::newRow("USD of 0x200") << "QN58K3662_USD.FLM" << onChip << 0x1FFFF800u << 0x200u;
    QTest::newRow("USD_512") << "QN58K944_USD_512.FLM" << onChip << 0x1FFFC000u << 0x200u;
    QTest::newRow("USD_4096") << "QN58K192_USD_4096.FLM" << onChip << 0x1FFFC000u << 0x1000u;
    QTest::newRow("external 1 MB")
        << "QN58K212_EXT_TYPE1_1MB.FLM" << externalSpi << 0x08400000u << 0x100000u;
    QTest::newRow("external 8 MB, remapped")
        << "QN58K199_EXT_TYPE2_REAMP1_8MB.FLM" << externalSpi << 0x08400000u << 0x800000u;
    QTest::newRow("external, no size")
        << "QN58K212A_EXT_TYPE1_REAMP0.FLM" << externalSpi << 0x08400000u << 0x1000000u;
    QTest::newRow("external, general")
        << "QN58K254_EXT_TYPE2_REAMP1_GENERAL.FLM" << externalSpi << 0x08400000u << 0x1000000u;
}

void tst_StandIns::descriptorDescribesTheNamedMemory()
{
    QFETCH(QString, name);
    QFETCH(int, type);
    QFETCH(quint32, start);
    QFETCH(quint32, size);

    const Descriptor descriptor = bundledLoader(name).descriptor();
    QCOMPARE(int(descriptor.type), type);
    QCOMPARE(descriptor.start, start);
    QCOMPARE(descriptor.size, size);
}

// Each bank that the device entries give a loader has the base and size
// that the loader's own descriptor states.
void tst_StandIns::descriptorsMatchTheBanksThatNameThem()
{
    const QDomDocument doc = registeredCatalogue();
    const QDomNodeList banks = doc.elementsByTagName(QStringLiteral("FlashBankInfo"));
    int checked = 0;
    for (int i = 0; i < banks.size(); ++i) {
        const QDomElement bank = banks.at(i).toElement();
        const QString loader = bank.attribute(QStringLiteral("Loader")).section(QLatin1Char('/'), -1);
        if (loader.isEmpty())
            continue;
        const Descriptor descriptor = bundledLoader(loader).descriptor();
        const QString where = loader + QLatin1Char(' ') + bank.attribute(QStringLiteral("BaseAddr"));
        QVERIFY2(descriptor.start == bank.attribute(QStringLiteral("BaseAddr")).toUInt(nullptr, 16),
                 qPrintable(where));
        QVERIFY2(descriptor.size == bank.attribute(QStringLiteral("MaxSize")).toUInt(nullptr, 16),
                 qPrintable(where));
        ++checked;
    }
    QVERIFY(checked > 500);
}

QTEST_MAIN(tst_StandIns)
#include "tst_standins.moc"
