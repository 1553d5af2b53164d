#include "databasefixtures.h"
#include "deploymentlist.h"
#include "jlinkaddqn58mcu.h"

#include <QDir>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace {

const QString databaseName = QStringLiteral("/JLinkDevices.xml");
const QString loaderPath = QStringLiteral("/Devices/Kestrilon/QN58FLM");
const QString accessFailed = QStringLiteral("\"JLinkDevices.xml\" access failed");

struct Result
{
    int nCode = -1;
    QString strMessage;
};

// Runs the job as the window does, on its own thread; a job that never ends
// stops the test program instead of hanging it.
Result runJob(const QString &strJLinkPath)
{
    JLinkAddQN58MCU worker(strJLinkPath);
    Result result;
    QObject::connect(&worker, &JLinkAddQN58MCU::emitResult, &worker,
                     [&result](int nCode, const QString &strMessage) {
                         result = {nCode, strMessage};
                     },
                     Qt::DirectConnection);
    worker.start();
    if (!worker.wait(5 * 60 * 1000))
        qFatal("the job on %s does not end", qPrintable(strJLinkPath));
    return result;
}

QByteArray binaryGarbage()
{
    QRandomGenerator generator(7);
    QByteArray content(4096, Qt::Uninitialized);
    for (char &byte : content)
        byte = char(generator.bounded(256));
    return content;
}

QByteArray encoded(const char *codec, const QString &strText)
{
    QTextCodec::ConverterState state(QTextCodec::DefaultConversion); // writes the byte-order mark
    return QTextCodec::codecForName(codec)->fromUnicode(strText.constData(), strText.size(), &state);
}

} // namespace

class tst_BadInput : public QObject
{
    Q_OBJECT

private slots:
    void unreadableDatabase_data();
    void unreadableDatabase();
    void otherEncodings_data();
    void otherEncodings();
    void installationPaths_data();
    void installationPaths();
#ifndef Q_OS_WIN
    // Windows has no FIFOs, and no devices inside a folder.
    void specialFileDatabase_data();
    void specialFileDatabase();
    // QFile::link makes a shortcut on Windows, a plain file to J-Link and to
    // the installer; Wine makes no symbolic links.
    void databaseBehindLink();
    void loaderLinks_data();
    void loaderLinks();
    // Windows has no file size limit, and a full disk under Wine would be the
    // build machine's.
    void fullDisk_data();
    void fullDisk();
#endif
};

void tst_BadInput::unreadableDatabase_data()
{
    QTest::addColumn<QByteArray>("content");

    const QByteArray database = otherVendorsDatabase(50);
    QTest::newRow("binary garbage") << binaryGarbage();
    QTest::newRow("truncated") << database.left(database.size() / 2);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("only a comment") << QByteArray("<!-- no entries -->\n");
    QTest::newRow("entity bomb") << nestedEntities();
    QTest::newRow("external entity")
        << QByteArray("<!DOCTYPE Database [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n"
                      "<Database><Device><ChipInfo Vendor=\"&x;\"/></Device></Database>\n");
}

// Refused with the access message; the file stays as it was and nothing else is made.
void tst_BadInput::unreadableDatabase()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString strDatabase = dir.path() + databaseName;
    QVERIFY(writeFile(strDatabase, content));

    const Result result = runJob(dir.path());
    QCOMPARE(result.nCode, 1);
    QCOMPARE(result.strMessage, accessFailed);
    QCOMPARE(readFile(strDatabase), content);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
             QStringList{QStringLiteral("JLinkDevices.xml")});
}

void tst_BadInput::otherEncodings_data()
{
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<QByteArray>("declared");

    QTest::newRow("UTF-16 LE with byte-order mark") << QByteArray("UTF-16LE") << QByteArray("UTF-16");
    QTest::newRow("UTF-16 BE with byte-order mark") << QByteArray("UTF-16BE") << QByteArray("UTF-16");
    QTest::newRow("UTF-8 with byte-order mark") << QByteArray("UTF-8") << QByteArray("UTF-8");
}

// Read whole in its encoding and written back in UTF-8 with nothing lost.
void tst_BadInput::otherEncodings()
{
    QFETCH(QByteArray, codec);
    QFETCH(QByteArray, declared);
    QString strText = QString::fromUtf8(otherVendorsDatabase(20));
    strText.replace(QStringLiteral("encoding=\"UTF-8\""),
                    QStringLiteral("encoding=\"%1\"").arg(QLatin1String(declared)));
    const QByteArray content = encoded(codec.constData(), strText);
    QVERIFY(content.size() > strText.size()); // the mark is there
    QTemporaryDir dir;
    const QString strDatabase = dir.path() + databaseName;
    QVERIFY(writeFile(strDatabase, content));
    QDomDocument original;
    QVERIFY(original.setContent(content));

    const Result result = runJob(dir.path());
    QCOMPARE(result.nCode, 0);
    const QByteArray saved = readFile(strDatabase);
    QVERIFY(saved.startsWith("<!--")); // UTF-8, without a byte-order mark
    QCOMPARE(entryVendors(dir.path()).count(QStringLiteral("Kestrilon")), 528);
    QCOMPARE(splitVendorEntries(strDatabase).strOthers, canonicalXml(original));
}

void tst_BadInput::installationPaths_data()
{
    QTest::addColumn<QString>("folder");   // made below the temporary folder
    QTest::addColumn<QString>("argument"); // relative ones against it as working folder
    QTest::addColumn<bool>("relative");

    QTest::newRow("spaces") << "J-Link V7.92 (x64)" << "J-Link V7.92 (x64)" << false;
    QTest::newRow("non-ASCII letters") << "JLink Ünïcødé 開発" << "JLink Ünïcødé 開発" << false;
    QTest::newRow("trailing slash") << "JLink_V792" << "JLink_V792/" << false;
    QTest::newRow("relative") << "JLink_V792" << "JLink_V792" << true;
    QTest::newRow("relative with dots") << "JLink_V792" << "./other/../JLink_V792" << true;
#ifdef Q_OS_WIN
    // As Windows users type them; elsewhere a backslash is part of a name.
    QTest::newRow("backslashes") << "JLink_V792" << ".\\other\\..\\JLink_V792\\" << true;
#endif
}

void tst_BadInput::installationPaths()
{
    QFETCH(QString, folder);
    QFETCH(QString, argument);
    QFETCH(bool, relative);
    QTemporaryDir dir;
    const QString strFolder = dir.path() + QLatin1Char('/') + folder;
    QVERIFY(QDir().mkpath(strFolder) && QDir().mkpath(dir.path() + QStringLiteral("/other")));
    QVERIFY(writeFile(strFolder + databaseName, otherVendorsDatabase(3)));
    const QString strWorkingFolder = QDir::currentPath();
    if (relative)
        QVERIFY(QDir::setCurrent(dir.path()));

    const Result result = runJob(relative ? argument : dir.path() + QLatin1Char('/') + argument);
    QDir::setCurrent(strWorkingFolder);
    QCOMPARE(result.nCode, 0);
    QCOMPARE(entryVendors(strFolder).size(), 3 + 528);
    QCOMPARE(QDir(strFolder + loaderPath).entryList(QDir::Files).size(), 266);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 2);
}

#ifndef Q_OS_WIN
void tst_BadInput::specialFileDatabase_data()
{
    QTest::addColumn<QString>("special");

    QTest::newRow("fifo") << "fifo";
    QTest::newRow("link to an endless device") << "/dev/zero";
}

// Refused without being read; the FIFO or link stays and nothing else is made.
void tst_BadInput::specialFileDatabase()
{
    QFETCH(QString, special);
    QTemporaryDir dir;
    const QString strDatabase = dir.path() + databaseName;
    if (special == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(strDatabase).constData(), 0644), 0);
    else
        QVERIFY(QFile::link(special, strDatabase));

    const Result result = runJob(dir.path());
    QCOMPARE(result.nCode, 1);
    QCOMPARE(result.strMessage, accessFailed);
    if (special == QLatin1String("fifo"))
        QVERIFY(QFileInfo(strDatabase).exists() && !QFileInfo(strDatabase).isFile());
    else
        QCOMPARE(QFileInfo(strDatabase).symLinkTarget(), special);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
             QStringList{QStringLiteral("JLinkDevices.xml")});
}

// The link stays; the file it names takes the entries.
void tst_BadInput::databaseBehindLink()
{
    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    const QString strTarget = elsewhere.path() + QStringLiteral("/devices.xml");
    QVERIFY(writeFile(strTarget, otherVendorsDatabase(5)));
    const QString strDatabase = dir.path() + databaseName;
    QVERIFY(QFile::link(strTarget, strDatabase));

    QCOMPARE(runJob(dir.path()).nCode, 0);
    QCOMPARE(QFileInfo(strDatabase).symLinkTarget(), strTarget);
    QCOMPARE(entryVendors(dir.path()).count(QStringLiteral("Kestrilon")), 528);
    QCOMPARE(entryVendors(dir.path()).size(), 5 + 528);
    QCOMPARE(QDir(elsewhere.path()).entryList(QDir::Files), QStringList{QStringLiteral("devices.xml")});
}

void tst_BadInput::loaderLinks_data()
{
    QTest::addColumn<QString>("pointsAt");

    QTest::newRow("file outside the installation") << "file";
    QTest::newRow("folder outside the installation") << "folder";
    QTest::newRow("nothing (dangling)") << "nothing";
}

// A loader's place taken by a link: the link is replaced, what it names is untouched.
void tst_BadInput::loaderLinks()
{
    QFETCH(QString, pointsAt);
    QTemporaryDir dir;
    QTemporaryDir outside;
    QVERIFY(writeFile(dir.path() + databaseName, otherVendorsDatabase(2)));
    QVERIFY(QDir().mkpath(dir.path() + loaderPath));
    const QString strOutside = outside.path() + QStringLiteral("/precious");
    if (pointsAt == QLatin1String("file"))
        QVERIFY(writeFile(strOutside, "precious"));
    else if (pointsAt == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(strOutside) && writeFile(strOutside + QStringLiteral("/inside"), "kept"));
    // The first and a later file of the list, so that a failure cannot hide behind the order.
    const QStringList names{QLatin1String(deploymentList.front()), QLatin1String(deploymentList[100])};
    for (const QString &strName : names)
        QVERIFY(QFile::link(strOutside, dir.path() + loaderPath + QLatin1Char('/') + strName));

    QCOMPARE(runJob(dir.path()).nCode, 0);
    for (const QString &strName : names) {
        const QString strTarget = dir.path() + loaderPath + QLatin1Char('/') + strName;
        QVERIFY(!QFileInfo(strTarget).isSymLink());
        QCOMPARE(readFile(strTarget), readFile(QStringLiteral(":/FLMFile/") + strName));
    }
    QCOMPARE(QDir(dir.path() + loaderPath).entryList(QDir::Files).size(), 266);
    if (pointsAt == QLatin1String("file"))
        QCOMPARE(readFile(strOutside), QByteArray("precious"));
    else if (pointsAt == QLatin1String("folder"))
        QCOMPARE(readFile(strOutside + QStringLiteral("/inside")), QByteArray("kept"));
    else
        QVERIFY(!QFileInfo::exists(strOutside));
}

namespace {

// Files larger than the limit cannot be written, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t nBytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limit = m_previous;
        limit.rlim_cur = nBytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_previous); }

private:
    rlimit m_previous;
};

} // namespace

void tst_BadInput::fullDisk_data()
{
    QTest::addColumn<bool>("registrationOnly");
    QTest::addColumn<int>("code");

    QTest::newRow("removal cannot save") << false << 1;
    QTest::newRow("registration cannot save") << true << 2;
}

// A save that cannot be written fails its step; the file is whole and nothing is deployed.
void tst_BadInput::fullDisk()
{
    QFETCH(bool, registrationOnly);
    QFETCH(int, code);
    QTemporaryDir dir;
    const QString strDatabase = dir.path() + databaseName;
    QVERIFY(writeFile(strDatabase, otherVendorsDatabase(200)));
    QCOMPARE(runJob(dir.path()).nCode, 0);
    QVERIFY(QDir(dir.path() + loaderPath).removeRecursively());
    const QByteArray installed = readFile(strDatabase);

    Result result;
    {
        // Room for the database without the vendor's entries, but not with them.
        const FileSizeLimit limit(registrationOnly ? installed.size() - 1 : 1024);
        result = runJob(dir.path());
    }
    QCOMPARE(result.nCode, code);
    QCOMPARE(result.strMessage, accessFailed);
    QVERIFY(!QFileInfo::exists(dir.path() + loaderPath));
    if (!registrationOnly) {
        QCOMPARE(readFile(strDatabase), installed);
        return;
    }
    const QStringList vendors = entryVendors(dir.path());
    QCOMPARE(vendors.size(), 200);
    QCOMPARE(vendors.count(QStringLiteral("Kestrilon")), 0);
}
#endif

QTEST_GUILESS_MAIN(tst_BadInput)
#include "tst_badinput.moc"
