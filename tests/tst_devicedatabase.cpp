#include "databasefixtures.h"
#include "devicedatabase.h"
#include "installationstatus.h"
#include "jlinkaddqn58mcu.h"
#include "uninstallation.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QLoggingCategory>
#include <QtTest>

#include <functional>

// Swaps names below the J-Link folder (first) and a folder elsewhere.
using Swap = std::function<bool(const QString &, const QString &)>;
Q_DECLARE_METATYPE(Swap)

#include <stdexcept>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

// Calls a user of the load on a J-Link folder.
using Caller = std::function<QStringList(const QString &strFolder)>;
Q_DECLARE_METATYPE(Caller)

namespace {

QDomDocument parsed(const QByteArray &content)
{
    QDomDocument doc;
    doc.setContent(content);
    return doc;
}

// Owner, group and others only: the user bits mirror the owner's.
QFileDevice::Permissions modeBits(const QString &strFileName)
{
    const QFileDevice::Permissions mask = QFileDevice::ReadOwner | QFileDevice::WriteOwner
        | QFileDevice::ExeOwner | QFileDevice::ReadGroup | QFileDevice::WriteGroup
        | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther
        | QFileDevice::ExeOther;
    return QFile::permissions(strFileName) & mask;
}

QByteArray binaryGarbage()
{
    QRandomGenerator generator(7);
    QByteArray content(4096, Qt::Uninitialized);
    for (char &byte : content)
        byte = char(generator.bounded(256));
    return content;
}

// Each reference stays below the parser's limit per entity; all of them grow
// the file 600-fold.
QByteArray repeatedEntity()
{
    QByteArray uses;
    for (int i = 0; i < 20000; ++i)
        uses += "&e;";
    return "<!DOCTYPE DataBase [<!ENTITY e \"" + QByteArray(4000, 'x') + "\">]>\n" + entryWith(uses);
}

// What stands at a path that holds no plain file.
QString kindOf(const QString &strPath)
{
    const QFileInfo info(strPath);
    if (info.isSymLink())
        return QStringLiteral("link to ") + info.symLinkTarget();
    if (info.isDir())
        return QStringLiteral("folder holding ")
            + QDir(strPath).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).join(QLatin1Char(' '));
    return info.exists() ? QStringLiteral("special file") : QStringLiteral("nothing");
}

// What a user of the load tells: its result, its message and why.
template <typename Result>
QStringList report(Result result, const QString &strMessage, const QString &strReason)
{
    return {QString::number(int(result)), strMessage, strReason};
}

// Read after the call that fills it.
template <typename Result>
QStringList report(Result result, const QString &strMessage, const Reason &reason)
{
    return report(result, strMessage, reason.text());
}

} // namespace

class tst_DeviceDatabase : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pathIsPlainConcatenation_data();
    void pathIsPlainConcatenation();
    void missingDatabaseIsCreatedFromTheTemplate();
    void creationReplacesAnExistingFile();
    void creationInAMissingFolderFailsQuietly();
    void makeFileWritableThrowsOnAMissingFile();
#ifdef Q_OS_WIN
    void makeFileWritableClearsReadOnly();
#else
    // Unix permission bits; Windows has the read-only attribute only.
    void makeFileWritableGrantsWriteWithoutExecute();
#endif
    void saveWritesOneElementPerIndentedLine();
    void saveDropsTheDeclaration_data();
    void saveDropsTheDeclaration();
    void declarationPass_data();
    void declarationPass();
#ifndef Q_OS_WIN
    // Unix permission bits; a read-only Windows file does not load at all.
    void saveKeepsPermissionBits_data();
    void saveKeepsPermissionBits();
#endif
    void otherContentSurvivesLoadAndSave();
    void loadBuildsTheToolkitsTree_data();
    void loadBuildsTheToolkitsTree();
    void unparsableDatabaseDoesNotLoad_data();
    void unparsableDatabaseDoesNotLoad();
    void databaseThatIsNoPlainFileDoesNotLoad_data();
    void databaseThatIsNoPlainFileDoesNotLoad();
    void callersLeaveAnUnreadableDatabaseUntouched_data();
    void callersLeaveAnUnreadableDatabaseUntouched();
#ifndef Q_OS_WIN
    // Windows keeps a folder held open from being renamed, and QFile::link
    // makes shortcuts there, not links.
    void nameSwappedBetweenReadAndWriteChangesNothingElse_data();
    void nameSwappedBetweenReadAndWriteChangesNothingElse();
#endif
};

void tst_DeviceDatabase::initTestCase()
{
    // The log lines asserted here are off by default.
    QLoggingCategory::setFilterRules(QStringLiteral("qn58.setup.debug=true"));
}

void tst_DeviceDatabase::pathIsPlainConcatenation_data()
{
    QTest::addColumn<QString>("jlinkPath");
    QTest::addColumn<QString>("databasePath");

    QTest::newRow("folder") << "/opt/SEGGER/JLink" << "/opt/SEGGER/JLink/JLinkDevices.xml";
    QTest::newRow("trailing separator kept") << "/opt/JLink/" << "/opt/JLink//JLinkDevices.xml";
    QTest::newRow("backslashes kept") << "C:\\Program Files\\SEGGER\\JLink"
                                      << "C:\\Program Files\\SEGGER\\JLink/JLinkDevices.xml";
    QTest::newRow("relative") << "JLink" << "JLink/JLinkDevices.xml";
}

void tst_DeviceDatabase::pathIsPlainConcatenation()
{
    QFETCH(QString, jlinkPath);
    QFETCH(QString, databasePath);
    QCOMPARE(deviceDatabasePath(jlinkPath), databasePath);
}

void tst_DeviceDatabase::missingDatabaseIsCreatedFromTheTemplate()
{
    QTemporaryDir dir;
    const QString strPath = dir.filePath(QStringLiteral("JLinkDevices.xml"));
    QVERIFY(createDeviceDatabase(strPath));
    QCOMPARE(readFile(strPath), templateDatabase);
    QCOMPARE(readFile(strPath).size(), 23);
    QVERIFY(QFileInfo(strPath).isWritable());
#ifndef Q_OS_WIN
    QCOMPARE(modeBits(strPath), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                 | QFileDevice::ReadOther);
#endif
}

void tst_DeviceDatabase::creationReplacesAnExistingFile()
{
    QTemporaryDir dir;
    const QString strPath = dir.filePath(QStringLiteral("JLinkDevices.xml"));
    QVERIFY(writeFile(strPath, "something else entirely"));
    QVERIFY(createDeviceDatabase(strPath));
    QCOMPARE(readFile(strPath), templateDatabase);
}

void tst_DeviceDatabase::creationInAMissingFolderFailsQuietly()
{
    QTemporaryDir dir;
    const QString strPath = dir.filePath(QStringLiteral("missing/JLinkDevices.xml"));
    QVERIFY(!createDeviceDatabase(strPath));
    QVERIFY(!QFile::exists(strPath));
}

void tst_DeviceDatabase::makeFileWritableThrowsOnAMissingFile()
{
    QTemporaryDir dir;
    const QString strPath = dir.filePath(QStringLiteral("missing.FLM"));
    QTest::ignoreMessage(QtDebugMsg,
                         QRegularExpression(QStringLiteral("^Failed to open file: ")
                                            + QRegularExpression::escape(strPath)));
    try {
        makeFileWritable(strPath);
        QFAIL("no exception");
    } catch (const std::runtime_error &error) {
        QVERIFY(QString::fromLatin1(error.what()).startsWith(QStringLiteral("Failed to open file: ")
                                                              + strPath + QLatin1Char('(')));
    }
}

#ifdef Q_OS_WIN
void tst_DeviceDatabase::makeFileWritableClearsReadOnly()
{
    QTemporaryDir dir;
    const QString strPath = dir.filePath(QStringLiteral("loader.FLM"));
    QVERIFY(writeFile(strPath, "FLM"));
    QVERIFY(QFile::setPermissions(strPath, readOnlyFile));
    // The attribute, as Wine, run as root, would still open the file for writing.
    QVERIFY(!QFileInfo(strPath).isWritable());
    makeFileWritable(strPath);
    QVERIFY(QFileInfo(strPath).isWritable());
    QCOMPARE(readFile(strPath), QByteArray("FLM"));
}
#else
void tst_DeviceDatabase::makeFileWritableGrantsWriteWithoutExecute()
{
    QTemporaryDir dir;
    const QString strPath = dir.filePath(QStringLiteral("loader.FLM"));
    QVERIFY(writeFile(strPath, "FLM"));
    for (const QFileDevice::Permissions before : {QFileDevice::Permissions(QFileDevice::ReadOwner),
                                                  QFileDevice::Permissions(0x7777)}) {
        QVERIFY(QFile::setPermissions(strPath, before));
        makeFileWritable(strPath);
        QCOMPARE(modeBits(strPath), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                     | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }
}
#endif

void tst_DeviceDatabase::saveWritesOneElementPerIndentedLine()
{
    QTemporaryDir dir;
    const QString strPath = dir.filePath(QStringLiteral("JLinkDevices.xml"));
    QDomDocument doc = parsed(templateDatabase);
    JLinkAddQN58MCU::addMainFlashDevice(doc, QStringLiteral("-QN58K212ZCT6"), QStringLiteral("0x038000"),
                                        512, 2);
    JLinkAddQN58MCU::addApModeDevice(doc, QStringLiteral("QN58K528_APMODE_256"), QStringLiteral("0x008000"),
                                     256, 5);
    QVERIFY(saveDeviceDatabase(doc, strPath));

    const QByteArray content = readFile(strPath);
    // Every CR and LF belongs to a platform line end.
    QCOMPARE(content.count('\n'), content.count(lineEnd));
    QCOMPARE(content.count('\r') + content.count('\n'), content.count(lineEnd) * int(qstrlen(lineEnd)));
    QVERIFY(content.endsWith(withLineEnds("</DataBase>\n")));
    const QStringList lines = QString::fromUtf8(content).split(QLatin1String(lineEnd));
    const QStringList expected = {
        QStringLiteral("<DataBase>"),        QStringLiteral("  <Device>"),
        QStringLiteral("    <ChipInfo "),    QStringLiteral("    <FlashBankInfo "),
        QStringLiteral("  </Device>"),       QStringLiteral("  <Device>"),
        QStringLiteral("    <ChipInfo "),    QStringLiteral("    <FlashBankInfo "),
        QStringLiteral("    <FlashBankInfo "), QStringLiteral("  </Device>"),
        QStringLiteral("</DataBase>"),       QString(),
    };
    QCOMPARE(lines.size(), expected.size());
    for (int i = 0; i < lines.size(); ++i) {
        QVERIFY2(lines.at(i).startsWith(expected.at(i)), qPrintable(lines.at(i)));
        if (expected.at(i).endsWith(QLatin1Char(' ')))
            QVERIFY2(lines.at(i).endsWith(QStringLiteral("/>")), qPrintable(lines.at(i)));
    }
}

void tst_DeviceDatabase::saveDropsTheDeclaration_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("firstLine");

    QTest::newRow("template, empty element") << templateDatabase << "<DataBase/>";
    QTest::newRow("UTF-8 declaration") << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<DataBase/>")
                                       << "<DataBase/>";
    QTest::newRow("Latin-1 declaration")
        << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><Database><D N=\"\xe9\"/></Database>")
        << "<Database>";
    QTest::newRow("comment before the root")
        << QByteArray("<?xml version=\"1.0\"?>\n<!-- J-Link -->\n<Database/>") << "<!-- J-Link -->";
}

void tst_DeviceDatabase::saveDropsTheDeclaration()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, firstLine);

    QTemporaryDir dir;
    const QString strPath = dir.filePath(QStringLiteral("JLinkDevices.xml"));
    QVERIFY(writeFile(strPath, content));
    const QDomDocument doc = loadDeviceDatabase(strPath);
    QVERIFY(saveDeviceDatabase(doc, strPath));

    const QByteArray saved = readFile(strPath);
    QVERIFY(!saved.contains("<?xml"));
    QCOMPARE(QString::fromUtf8(saved).section(QLatin1String(lineEnd), 0, 0), firstLine);
    QCOMPARE(canonicalXml(parsed(saved)), canonicalXml(parsed(content)));
}

void tst_DeviceDatabase::declarationPass_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("result");

    const QByteArray oneLine("<?xml version=\"1.0\"?><DataBase/>");
    QTest::newRow("a single line keeps its declaration") << oneLine << oneLine;
    QTest::newRow("declaration line removed")
        << QByteArray("<?xml version=\"1.0\"?>\n<DataBase>\n</DataBase>")
        << QByteArray("<DataBase>\n</DataBase>\n");
    QTest::newRow("case-sensitive") << QByteArray("<?XML version=\"1.0\"?>\n<DataBase/>\n")
                                    << QByteArray("<?XML version=\"1.0\"?>\n<DataBase/>\n");
    QTest::newRow("no declaration") << QByteArray("<DataBase>\n</DataBase>")
                                    << QByteArray("<DataBase>\n</DataBase>");
    QTest::newRow("UTF-8 lines unchanged")
        << QByteArray("<?xml version=\"1.0\"?>\n<D N=\"Gr\xc3\xb6\xc3\x9f" "e \xe2\x82\xac\"/>\n")
        << QByteArray("<D N=\"Gr\xc3\xb6\xc3\x9f" "e \xe2\x82\xac\"/>\n");
}

void tst_DeviceDatabase::declarationPass()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, result);

    removeXmlDeclaration(content);
    QCOMPARE(content, result);
}

#ifndef Q_OS_WIN
void tst_DeviceDatabase::saveKeepsPermissionBits_data()
{
    QTest::addColumn<int>("permissions");
    QTest::newRow("0644") << 0x6644;
    QTest::newRow("0600") << 0x6600;
    QTest::newRow("0664") << 0x6664;
    QTest::newRow("0666") << 0x6666;
}

void tst_DeviceDatabase::saveKeepsPermissionBits()
{
    QFETCH(int, permissions);

    QTemporaryDir dir;
    const QString strPath = dir.filePath(QStringLiteral("JLinkDevices.xml"));
    QVERIFY(writeFile(strPath, templateDatabase));
    QVERIFY(QFile::setPermissions(strPath, QFileDevice::Permissions(permissions)));
    const QFileDevice::Permissions before = modeBits(strPath);
    QDomDocument doc = loadDeviceDatabase(strPath);
    JLinkAddQN58MCU::addUsdDevice(doc, QStringLiteral("-QN58K212USD"), QStringLiteral("0x038000"), 2, 0);
    QVERIFY(saveDeviceDatabase(doc, strPath));
    QVERIFY(readFile(strPath).contains("QN58K212_USD.FLM"));
    QCOMPARE(modeBits(strPath), before);
}
#endif

void tst_DeviceDatabase::otherContentSurvivesLoadAndSave()
{
    // Text streams fall back to the locale's codec; a Latin-1 one would garble
    // the file if any pass relied on it.
    QTextCodec *const localeCodec = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    auto restoreCodec = qScopeGuard([localeCodec] { QTextCodec::setCodecForLocale(localeCodec); });

    QTemporaryDir dir;
    const QString strPath = dir.filePath(QStringLiteral("JLinkDevices.xml"));
    const QByteArray original = otherVendorsDatabase(3);
    QVERIFY(writeFile(strPath, original));
    QVERIFY(saveDeviceDatabase(loadDeviceDatabase(strPath), strPath));

    const QByteArray saved = readFile(strPath);
    QCOMPARE(canonicalXml(parsed(saved)), canonicalXml(parsed(original)));
    for (const char *text : {"Gerätedatenbank, © SEGGER", "Nordström &amp; Søn", "ÆØÅ-2",
                             "内部フラッシュ", "Ünïcödé text &amp; more", "<?vendor-tool keep=\"yes\"?>"})
        QVERIFY2(saved.contains(text), text);
}

void tst_DeviceDatabase::loadBuildsTheToolkitsTree_data()
{
    QTest::addColumn<QByteArray>("content");

    QTest::newRow("other vendors") << otherVendorsDatabase(3);
    QTest::newRow("declaration, standalone")
        << QByteArray("<?xml version=\"1.0\" standalone=\"yes\"?><?pre x?><!--a--><DataBase/><!--b--><?post y?>");
    QTest::newRow("blank CDATA and blanks beyond XML's")
        << QByteArray("<DataBase><A><![CDATA[   ]]></A><B>\xc2\xa0</B><C><![CDATA[\xe2\x80\x83]]></C></DataBase>");
    QTest::newRow("text beside CDATA") << QByteArray("<DataBase><A> a <![CDATA[b<c]]>d</A></DataBase>");
    QTest::newRow("mixed content")
        << QByteArray("<DataBase>t1<A>t2<B v=\"&amp;&#13;\">t3<C/>t4</B>t5</A>t6</DataBase>");
    QTest::newRow("prefixes and xmlns")
        << QByteArray("<k:DataBase xmlns:k=\"urn:k\"><k:Device k:a=\"1\"/></k:DataBase>");
    QTest::newRow("document type") << QByteArray("<!DOCTYPE Database SYSTEM \"x.dtd\">\n<Database><A/></Database>");
}

// Our own tree builder stands in for the toolkit's parser: same nodes, same text.
void tst_DeviceDatabase::loadBuildsTheToolkitsTree()
{
    QFETCH(QByteArray, content);

    QTemporaryDir dir;
    const QString strPath = dir.filePath(QStringLiteral("JLinkDevices.xml"));
    QVERIFY(writeFile(strPath, content));
    QDomDocument expected;
    QXmlStreamReader reader(content);
    reader.setNamespaceProcessing(false);
    QVERIFY(expected.setContent(&reader, false));
    const QDomDocument doc = loadDeviceDatabase(strPath);
    QCOMPARE(doc.childNodes().count(), expected.childNodes().count());
    QCOMPARE(databaseText(doc), databaseText(expected));
}

void tst_DeviceDatabase::unparsableDatabaseDoesNotLoad_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");

    QTest::newRow("empty") << QByteArray() << "no document element";
    QTest::newRow("blank lines") << QByteArray("\n  \n") << "no document element";
    QTest::newRow("blank with CR LF") << QByteArray(" \r\n") << "no document element";
    QTest::newRow("only a comment") << QByteArray("<!-- no entries -->\n") << "no document element";
    QTest::newRow("truncated") << QByteArray("<DataBase>\n  <Device>\n")
                               << "not well-formed at line 3, column 1";
    const QByteArray others = otherVendorsDatabase(50);
    QTest::newRow("cut in the middle") << others.left(others.size() / 2)
                                       << "not well-formed at line 153, column 12";
    QTest::newRow("cut inside the end tag")
        << QByteArray("<DataBase>\n<Device><ChipInfo Vendor=\"Kestrilon\"/></Device>\n</DataB")
        << "not well-formed at line 3, column 8";
    QTest::newRow("not XML") << QByteArray("JLinkDevices") << "not well-formed at line 1, column 2";
    QTest::newRow("binary garbage") << binaryGarbage() << "not well-formed at line 1, column 2";
    QTest::newRow("two document elements")
        << QByteArray("<DataBase/><DataBase/>") << "not well-formed at line 1, column 23";
    QTest::newRow("mismatched end tag")
        << QByteArray("<DataBase><Device><ChipInfo Vendor=\"Kestrilon\"></Device></DataBase>")
        << "not well-formed at line 1, column 57";
    const QString entities = QStringLiteral("entity declarations are not accepted");
    // The reader places a byte its encoding does not allow where its decoding began.
    const QString column3 = QStringLiteral("not well-formed at line 1, column 3");
    // The reader lets these through; the load decodes once more.
    const QString malformed = QStringLiteral("malformed or incomplete characters");
    QTest::newRow("declares an entity")
        << QByteArray("<!DOCTYPE DataBase [<!ENTITY v \"Kestrilon\">]><DataBase V=\"&v;\"/>")
        << entities;
    QTest::newRow("nested entities") << nestedEntities() << entities;
    QTest::newRow("one entity used 20,000 times") << repeatedEntity() << entities;
    QTest::newRow("bad byte before the entity") << "<!--\xff-->" + repeatedEntity() << column3;
    QTest::newRow("external entity")
        << QByteArray("<!DOCTYPE Database [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n"
                      "<Database><Device><ChipInfo Vendor=\"&x;\"/></Device></Database>\n")
        << entities;
    QTest::newRow("a byte its encoding does not allow") << QByteArray("<DataBase>\xff</DataBase>")
                                                        << column3;
    QTest::newRow("Latin-1 bytes") << entryWith("Nordstr\xf6m") << column3;
    QTest::newRow("Latin-1 bytes, declared UTF-8")
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + entryWith("Nordstr\xf6m")
        << "not well-formed at line 1, column 39";
    QTest::newRow("cut-off UTF-8 sequence") << entryWith("\xf0\x9f\x98") << column3;
    QTest::newRow("overlong UTF-8") << entryWith("\xc0\xaf") << column3;
    QTest::newRow("surrogate in UTF-8") << entryWith("\xed\xa0\x80") << column3;
    QTest::newRow("reference beyond U+10FFFF") << entryWith("&#x110000;")
                                               << "not well-formed at line 3, column 46";
    QTest::newRow("reference to a surrogate") << entryWith("&#xD83D;")
                                              << "not well-formed at line 3, column 44";
    QTest::newRow("lone surrogate in UTF-16")
        << encoded("UTF-16LE", entryWith("x")).replace("x\0", 2, "\x3d\xd8", 2) << malformed;
    QTest::newRow("half a UTF-16 character") << encoded("UTF-16LE", entryWith("x")) + '\0' << malformed;
}

// Also for a check, which reads without asking for write access.
void tst_DeviceDatabase::unparsableDatabaseDoesNotLoad()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    const QString strPath = dir.filePath(QStringLiteral("JLinkDevices.xml"));
    QVERIFY(writeFile(strPath, content));
    for (const DatabaseAccess access : {DatabaseAccess::ReadWrite, DatabaseAccess::ReadOnly}) {
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Failed to parse file: ")));
        QCOMPARE(loadRefusal(strPath, access), reason);
    }
    QCOMPARE(readFile(strPath), content);
}

void tst_DeviceDatabase::databaseThatIsNoPlainFileDoesNotLoad_data()
{
    QTest::addColumn<PathChange>("make");

    QTest::newRow("folder") << PathChange([](const QString &strPath) {
        return QDir().mkdir(strPath) && writeFile(strPath + QStringLiteral("/inside"), "kept");
    });
#ifndef Q_OS_WIN
    // Windows has no FIFOs, and no devices inside a folder.
    QTest::newRow("FIFO") << PathChange([](const QString &strPath) {
        return ::mkfifo(QFile::encodeName(strPath).constData(), 0644) == 0;
    });
    QTest::newRow("link to an endless device") << PathChange([](const QString &strPath) {
        return QFile::link(QStringLiteral("/dev/zero"), strPath);
    });
#endif
}

// Refused without being read: a FIFO would never end.
void tst_DeviceDatabase::databaseThatIsNoPlainFileDoesNotLoad()
{
    QFETCH(PathChange, make);

    QTemporaryDir dir;
    const QString strPath = dir.filePath(QStringLiteral("JLinkDevices.xml"));
    QVERIFY(make(strPath));
    const QString strBefore = kindOf(strPath);
    for (const DatabaseAccess access : {DatabaseAccess::ReadWrite, DatabaseAccess::ReadOnly}) {
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Failed to open file: ")));
        QCOMPARE(loadRefusal(strPath, access), QStringLiteral("not a plain file"));
    }
    QCOMPARE(kindOf(strPath), strBefore);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
             QStringList{QStringLiteral("JLinkDevices.xml")});
}

void tst_DeviceDatabase::callersLeaveAnUnreadableDatabaseUntouched_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Caller>("caller");
    QTest::addColumn<QStringList>("report");

    QTest::newRow("removal step") << nestedEntities() << Caller([](const QString &strFolder) {
        QString strErroInfo;
        Reason reason;
        return report(JLinkAddQN58MCU::removeOldDevices(strFolder, strErroInfo, &reason),
                      strErroInfo, reason);
    }) << report(false, accessFailed, QStringLiteral("entity declarations are not accepted"));
    QTest::newRow("registration step")
        << QByteArray("<DataBase>\n  <Device>\n") << Caller([](const QString &strFolder) {
               QString strErroInfo;
               Reason reason;
               return report(JLinkAddQN58MCU::registerDevices(strFolder, strErroInfo, &reason),
                             strErroInfo, reason);
           })
        << report(false, accessFailed, QStringLiteral("not well-formed at line 3, column 1"));
    QTest::newRow("uninstall")
        << QByteArray("<DataBase><Device Name=\"\xe9\"/></DataBase>") << Caller([](const QString &strFolder) {
               QString strErroInfo;
               Reason reason;
               return report(uninstall(strFolder, strErroInfo, TargetKind::Installation, &reason),
                             strErroInfo, reason);
           })
        << report(UninstallResult::Failed, accessFailed,
                  QStringLiteral("not well-formed at line 1, column 3"));
    QTest::newRow("status") << QByteArray("<DataBase><Device>") << Caller([](const QString &strFolder) {
        const InstallationStatus status = checkInstallation(strFolder);
        return report(status.state, statusText(status), status.reason);
    }) << report(InstallationStatus::State::Unreadable, QStringLiteral("\"JLinkDevices.xml\" cannot be read"),
                 QStringLiteral("not well-formed at line 1, column 19"));
    const Caller job = [](const QString &strFolder) {
        QString strErroInfo;
        Reason reason;
        return report(JLinkAddQN58MCU::runSetup(strFolder, strErroInfo, reason), strErroInfo, reason);
    };
    QTest::newRow("job") << QByteArray("not a folder, not a database") << job
                         << report(1, accessFailed, QStringLiteral("not well-formed at line 1, column 2"));
    // UTF-16 whose declaration the reader takes for an instruction, which it
    // refuses once the file is written in UTF-8.
    QTest::newRow("job, result the load would refuse")
        << QByteArray::fromBase64("PAA/AHgAbQBsACAmAHYAZQByAHMAaQBvPwA+AAoAPABEAGEAdABhAEIAYQBzAGUAPgA8"
                                  "AC8ARABhAHQAYQBCAGEAcwBlAD4A")
        << job << report(1, accessFailed, QStringLiteral("the result would not be readable"));
    const QByteArray others = otherVendorsDatabase(50);
    QTest::newRow("console front end") << others.left(others.size() / 2) << Caller([](const QString &strFolder) {
        const ProgramRun run = runCli({strFolder});
        return report(run.nExit, run.lines.join(QLatin1Char('\n')),
                      QString::fromUtf8(run.errors).replace(QDir::toNativeSeparators(strFolder),
                                                            QStringLiteral("<folder>")));
    }) << report(1, accessFailed,
                 QDir::toNativeSeparators(QStringLiteral("<folder>/JLinkDevices.xml"))
                     + QStringLiteral(":153:12: not well-formed") + QLatin1String(lineEnd));
}

// An installation whose database cannot be read whole: each caller refuses it
// with the load's reason, and changes nothing, neither the database nor the
// files it would otherwise remove or replace.
void tst_DeviceDatabase::callersLeaveAnUnreadableDatabaseUntouched()
{
    QFETCH(QByteArray, content);
    QFETCH(Caller, caller);
    QFETCH(QStringList, report);

    QTemporaryDir dir;
    QVERIFY(install(dir.path()));
    QVERIFY(writeFile(deviceDatabasePath(dir.path()), content));
    const QMap<QString, QByteArray> before = folderContents(dir.path());
    QCOMPARE(caller(dir.path()), report);
    QCOMPARE(folderContents(dir.path()), before);
}

#ifndef Q_OS_WIN
void tst_DeviceDatabase::nameSwappedBetweenReadAndWriteChangesNothingElse_data()
{
    QTest::addColumn<Swap>("swap");
    // Where below the J-Link folder's parent the new text is then.
    QTest::addColumn<QString>("savedAt");

    const QString strDatabase = QStringLiteral("/JLinkDevices.xml");
    QTest::newRow("the database, by a link to a missing file")
        << Swap([=](const QString &strJLink, const QString &strElsewhere) {
               return QFile::rename(strJLink + strDatabase, strJLink + QStringLiteral("/kept.xml"))
                   && QFile::link(strElsewhere + QStringLiteral("/preload"), strJLink + strDatabase);
           })
        << QStringLiteral("/jlink/JLinkDevices.xml");
    QTest::newRow("the database, by a link to another file")
        << Swap([=](const QString &strJLink, const QString &strElsewhere) {
               return QFile::remove(strJLink + strDatabase)
                   && QFile::link(strElsewhere + QStringLiteral("/other.xml"), strJLink + strDatabase);
           })
        << QStringLiteral("/jlink/JLinkDevices.xml");
    QTest::newRow("the J-Link folder, by a link to another folder")
        << Swap([=](const QString &strJLink, const QString &strElsewhere) {
               return QFile::rename(strJLink, strJLink + QStringLiteral(".moved"))
                   && QFile::link(strElsewhere, strJLink);
           })
        << QStringLiteral("/jlink.moved/JLinkDevices.xml");
}

// Read once and written beside what was read: whatever name is swapped while
// the edit runs, the text goes where the database was read, nowhere else.
void tst_DeviceDatabase::nameSwappedBetweenReadAndWriteChangesNothingElse()
{
    QFETCH(Swap, swap);
    QFETCH(QString, savedAt);
    QTemporaryDir dir;
    const QString strJLink = dir.path() + QStringLiteral("/jlink");
    const QString strElsewhere = dir.path() + QStringLiteral("/elsewhere");
    QVERIFY(QDir().mkpath(strJLink) && QDir().mkpath(strElsewhere));
    QVERIFY(writeFile(deviceDatabasePath(strJLink), otherVendorsDatabase(2)));
    QVERIFY(writeFile(strElsewhere + QStringLiteral("/other.xml"), otherVendorsDatabase(3)));
    const QMap<QString, QByteArray> elsewhereBefore = folderContents(strElsewhere);

    QString strErroInfo;
    const auto edit = [&](QDomDocument doc) {
        doc.documentElement().appendChild(doc.createElement(QStringLiteral("Device")));
        return swap(strJLink, strElsewhere);
    };
    QVERIFY(editDeviceDatabase(deviceDatabasePath(strJLink), edit, strErroInfo, nullptr));
    QCOMPARE(folderContents(strElsewhere), elsewhereBefore);
    QVERIFY(!QFileInfo::exists(strElsewhere + QStringLiteral("/preload")));
    QCOMPARE(entryVendors(QFileInfo(dir.path() + savedAt).path()).size(), 3);
}
#endif

QTEST_APPLESS_MAIN(tst_DeviceDatabase)

#include "tst_devicedatabase.moc"
