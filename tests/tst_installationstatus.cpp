#include "databasefixtures.h"
#include "installationstatus.h"
#include "jlinkaddqn58mcu.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString loaderFolder = QStringLiteral("/Devices/Kestrilon/QN58FLM");

// The vendor's entry nIndex, counted from 0; a null element past the last.
QDomElement vendorEntry(const QDomDocument &doc, int nIndex)
{
    QDomElement entry = doc.documentElement().firstChildElement(QStringLiteral("Device"));
    for (; !entry.isNull(); entry = entry.nextSiblingElement(QStringLiteral("Device"))) {
        const QString strVendor = entry.firstChildElement(QStringLiteral("ChipInfo"))
                                      .attribute(QStringLiteral("Vendor"));
        if (strVendor == QLatin1String("Kestrilon") && nIndex-- == 0)
            break;
    }
    return entry;
}

QDomElement otherVendorsEntry(QDomDocument doc)
{
    QDomElement entry = doc.createElement(QStringLiteral("Device"));
    QDomElement chipInfo = doc.createElement(QStringLiteral("ChipInfo"));
    chipInfo.setAttribute(QStringLiteral("Vendor"), QStringLiteral("Other"));
    chipInfo.setAttribute(QStringLiteral("Name"), QStringLiteral("OTHER1"));
    entry.appendChild(chipInfo);
    return entry;
}

// Changes the installed database as the test case says; false when it is no
// database change.
bool changeDatabase(const QString &strFileName, const QString &strChange)
{
    QDomDocument doc = loadXml(strFileName);
    QDomElement root = doc.documentElement();
    if (strChange == QLatin1String("one attribute")) {
        vendorEntry(doc, 0)
            .firstChildElement(QStringLiteral("ChipInfo"))
            .setAttribute(QStringLiteral("WorkRAMSize"), QStringLiteral("0x010000"));
    } else if (strChange == QLatin1String("stale entry")) {
        QDomElement stale = otherVendorsEntry(doc);
        stale.firstChildElement().setAttribute(QStringLiteral("Vendor"),
                                               QStringLiteral("Kestrilon"));
        stale.firstChildElement().setAttribute(QStringLiteral("Name"), QStringLiteral("QN58OLD"));
        root.appendChild(stale);
    } else if (strChange == QLatin1String("entry twice")) {
        root.appendChild(vendorEntry(doc, 0).cloneNode());
    } else if (strChange == QLatin1String("missing entry")) {
        root.removeChild(vendorEntry(doc, 1));
    } else if (strChange == QLatin1String("entries swapped")) {
        root.insertAfter(vendorEntry(doc, 0), vendorEntry(doc, 1));
    } else if (strChange == QLatin1String("other vendor between")) {
        root.insertAfter(otherVendorsEntry(doc), vendorEntry(doc, 0));
    } else if (strChange == QLatin1String("no entries")) {
        while (!vendorEntry(doc, 0).isNull())
            root.removeChild(vendorEntry(doc, 0));
    } else {
        return false;
    }
    return writeFile(strFileName, doc.toByteArray(2));
}

// Writes the attributes of the vendor's first ChipInfo in the opposite order.
bool reverseAttributes(const QString &strFileName)
{
    QString strText = QString::fromUtf8(readFile(strFileName));
    const QRegularExpression chipInfo(QStringLiteral(
        "<ChipInfo ((?:\\w+=\"[^\"]*\" ?)*Vendor=\"Kestrilon\"(?: ?\\w+=\"[^\"]*\")*)/>"));
    const QRegularExpressionMatch match = chipInfo.match(strText);
    if (!match.hasMatch())
        return false;
    QStringList attributes;
    QRegularExpressionMatchIterator it
        = QRegularExpression(QStringLiteral("\\w+=\"[^\"]*\"")).globalMatch(match.captured(1));
    while (it.hasNext())
        attributes.prepend(it.next().captured());
    strText.replace(match.capturedStart(1), match.capturedLength(1),
                    attributes.join(QLatin1Char(' ')));
    return writeFile(strFileName, strText.toUtf8());
}

bool changeFiles(const QString &strFolder, const QString &strChange)
{
    const QString strLoaders = strFolder + loaderFolder;
    if (strChange == QLatin1String("one loader byte")) {
        QByteArray content = readFile(strLoaders + QStringLiteral("/QN58K212_128.FLM"));
        content[100] = char(content.at(100) ^ 1);
        return writeFile(strLoaders + QStringLiteral("/QN58K212_128.FLM"), content);
    }
    if (strChange == QLatin1String("missing file"))
        return QFile::remove(strLoaders + QStringLiteral("/QN58Kxxx.JLinkScript"));
    if (strChange == QLatin1String("no files"))
        return QDir(strLoaders).removeRecursively();
    if (strChange == QLatin1String("attribute order"))
        return reverseAttributes(strFolder + QStringLiteral("/JLinkDevices.xml"));
    if (strChange == QLatin1String("unreadable database"))
        return writeFile(strFolder + QStringLiteral("/JLinkDevices.xml"), "<DataBase><Device>");
    return strChange.isEmpty();
}

} // namespace

class tst_InstallationStatus : public QObject
{
    Q_OBJECT

private slots:
    void statusOfInstallation_data();
    void statusOfInstallation();
    void statusOfFolderWithoutInstallation_data();
    void statusOfFolderWithoutInstallation();
};

void tst_InstallationStatus::statusOfInstallation_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("line");

    QTest::newRow("exact") << QString() << "installed";
    QTest::newRow("attribute order") << "attribute order"
                                     << "installed";
    QTest::newRow("other vendor between") << "other vendor between"
                                          << "installed";
    QTest::newRow("one attribute") << "one attribute"
                                   << "differs: changed devices: -QN58K212ZCT6";
    QTest::newRow("stale entry") << "stale entry"
                                 << "differs: stale entries: QN58OLD";
    QTest::newRow("entry twice") << "entry twice"
                                 << "differs: stale entries: -QN58K212ZCT6";
    QTest::newRow("missing entry") << "missing entry"
                                   << "differs: missing devices: -QN58K212VCT6";
    QTest::newRow("entries swapped") << "entries swapped"
                                     << "differs: entries out of catalogue order";
    QTest::newRow("no entries, files left")
        << "no entries"
        << "differs: missing devices: -QN58K212ZCT6, -QN58K212VCT6, -QN58K212RCT6, "
           "-QN58K212CCT6, -QN58K212ZGT6 and 523 more";
    QTest::newRow("one loader byte") << "one loader byte"
                                     << "differs: changed files: QN58K212_128.FLM";
    QTest::newRow("missing file") << "missing file"
                                  << "differs: missing files: QN58Kxxx.JLinkScript";
    QTest::newRow("entries left, no files")
        << "no files"
        << "differs: missing files: QN58Kxxx.JLinkScript, QN58K212_128.FLM, QN58K212_256.FLM, "
           "QN58K212_512.FLM, QN58K212_1024.FLM and 261 more";
    QTest::newRow("unreadable database") << "unreadable database"
                                         << "\"JLinkDevices.xml\" cannot be read";
}

void tst_InstallationStatus::statusOfInstallation()
{
    QFETCH(QString, change);
    QFETCH(QString, line);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.path() + QStringLiteral("/JLinkDevices.xml"), otherVendorsDatabase(3)));
    QString strErroInfo;
    QCOMPARE(JLinkAddQN58MCU::runSetup(dir.path(), strErroInfo), 0);
    QVERIFY(changeDatabase(dir.path() + QStringLiteral("/JLinkDevices.xml"), change)
            || changeFiles(dir.path(), change));
    const QMap<QString, QByteArray> before = folderContents(dir.path());

    const InstallationStatus status = checkInstallation(dir.path());
    QCOMPARE(statusText(status), line);
    QCOMPARE(status.state == InstallationStatus::State::Installed,
             line == QLatin1String("installed"));
    // Looking changes nothing.
    QCOMPARE(folderContents(dir.path()), before);
}

void tst_InstallationStatus::statusOfFolderWithoutInstallation_data()
{
    QTest::addColumn<QByteArray>("database");

    QTest::newRow("empty folder") << QByteArray();
    QTest::newRow("other vendors only") << otherVendorsDatabase(3);
}

void tst_InstallationStatus::statusOfFolderWithoutInstallation()
{
    QFETCH(QByteArray, database);
    QTemporaryDir dir;
    if (!database.isEmpty())
        QVERIFY(writeFile(dir.path() + QStringLiteral("/JLinkDevices.xml"), database));
    const InstallationStatus status = checkInstallation(dir.path());
    QCOMPARE(status.state, InstallationStatus::State::NotInstalled);
    QCOMPARE(statusText(status), QStringLiteral("not installed"));
}

QTEST_GUILESS_MAIN(tst_InstallationStatus)
#include "tst_installationstatus.moc"
